// The start-up tune check on any bytes.

#include "shell/media/midifile.h"
#include "tests/fuzz/fuzztarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool accepted = MidiFile::looksLikeMidi(bytes);
    if (accepted && (size < 14 || !bytes.startsWith("MThd") || bytes.size() > MidiFile::MaxBytes))
        __builtin_trap();
    return 0;
}
