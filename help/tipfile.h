#pragma once
// Reading the tip file: one tip a line, empty lines included. Written on
// Windows (CRLF, Windows-1252) or on Linux (LF, UTF-8), it reads the same. A
// damaged or oversized file never stalls the window: only the first
// MaxBytes are read, at most MaxTips tips are kept and each is cut at
// MaxTipLength characters; a file that is not text gives no tips. The bytes
// are decoded as every text file beside the program is (TextFiles).

#include <QByteArray>
#include <QStringList>

namespace help::tipfile {

inline constexpr qint64 MaxBytes = 1 << 20;
inline constexpr int MaxTips = 10000;
inline constexpr int MaxTipLength = 1000;

// The tips of the file's first bytes; `truncated` says the file goes on.
QStringList decode(QByteArray data, bool truncated = false);

} // namespace help::tipfile
