// The tip-file reader on any bytes, as a whole file and as the head of a longer one.

#include "help/tipfile.h"
#include "tests/fuzz/fuzztarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const bool truncated : {false, true}) {
        const QStringList tips = help::tipfile::decode(bytes, truncated);
        if (tips.size() > help::tipfile::MaxTips)
            __builtin_trap();
        for (const QString& tip : tips)
            if (tip.size() > help::tipfile::MaxTipLength)
                __builtin_trap();
    }
    return 0;
}
