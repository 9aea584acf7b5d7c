// The corpus data parser on any bytes: the first byte picks the archive whose
// topic and position counts the rest is read against.

#include "corpus/archives.h"
#include "corpus/corpusfile.h"
#include "tests/fuzz/fuzztarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const corpus::ArchiveInfo& a = corpus::archives()[data[0] % corpus::ArchiveCount];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const corpus::ParsedArchive parsed = corpus::parseArchiveFile(bytes, a.topics, a.positions);
    // What the windows rely on: fewer massime than positions, none too long, few faults.
    if (parsed.faults.size() > std::size_t(corpus::MaxFaults) + 1 || parsed.massime.size() != std::size_t(a.topics) + 1)
        __builtin_trap();
    for (const QStringList& topic : parsed.massime) {
        if (topic.size() >= a.positions)
            __builtin_trap();
        for (const QString& massima : topic)
            if (massima.size() > corpus::MaxMassimaLength)
                __builtin_trap();
    }
    return 0;
}
