#pragma once
// Text files that lie beside the program may have been written on Windows
// (Windows-1252) or on Linux (UTF-8): both are read without mojibake.

#include <QByteArray>
#include <QString>

namespace TextFiles {

// UTF-16 or UTF-32 when a byte-order mark says so; UTF-8 (a leading mark
// dropped) when the bytes are valid UTF-8; Windows-1252 otherwise.
QString decode(const QByteArray& data);

} // namespace TextFiles
