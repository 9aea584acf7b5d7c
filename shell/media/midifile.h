#pragma once
// The check a start-up tune passes before it is handed to the synthesiser: a
// Standard MIDI File of sane size whose every chunk and every event lies within
// the file. A file that fails it is not played, silently, like a missing one.

#include <QByteArray>

namespace MidiFile {

// A start-up tune is a few KB; anything far larger is not one.
inline constexpr qsizetype MaxBytes = 1024 * 1024;

// The header chunk ("MThd", format 0-2, at least one track, a time division),
// then chunks whose lengths fit the file, at least one of them a track
// ("MTrk") whose events (delta times, channel, system exclusive and meta
// events, running status) all end inside it.
bool looksLikeMidi(const QByteArray& data);

} // namespace MidiFile
