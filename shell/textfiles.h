#pragma once
// Text files that lie beside the program may have been written on Windows
// (Windows-1252, UTF-16 with a byte-order mark) or on Linux (UTF-8): every
// reader of such a file opens and decodes it here, so they all accept the
// same files and refuse the same ones with the same reasons.

#include <QByteArray>
#include <QString>

namespace TextFiles {

// UTF-16 or UTF-32 when a byte-order mark says so; UTF-8 (a leading mark
// dropped) when the bytes are valid UTF-8; Windows-1252 otherwise.
QString decode(const QByteArray& data);

// Whether a byte-order mark announces UTF-16 or UTF-32, whose text is full of NUL bytes.
bool isWide(const QByteArray& data);

// Not a text: NUL characters, or more than one control character in ten at its
// start (tabs and line ends aside). Judged on the bytes of an 8-bit file and on
// the decoded text of a UTF-16 or UTF-32 one.
bool looksBinary(const QByteArray& data);

// The first whole characters of `data`: a UTF-8 sequence, a UTF-16 unit or a
// UTF-32 unit cut at the end is dropped, so a file read only in part decodes
// without a replacement character at its end.
QByteArray wholeCharacters(const QByteArray& data);

// The head of a file, opened without blocking and only when it is a regular
// file: a FIFO, a device or a folder in its place is never read from.
struct Head {
    enum class Status { Read, Missing, NotAFile, Unreadable };
    Status status = Status::Missing;
    QByteArray data;       // at most maxBytes bytes, cut at whole characters when truncated
    bool truncated = false; // the file holds more than maxBytes bytes
    QString reason;         // Italian, for Missing, NotAFile and Unreadable: why nothing was read
};
Head readHead(const QString& path, qint64 maxBytes);

} // namespace TextFiles
