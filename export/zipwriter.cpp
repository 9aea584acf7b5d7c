#include "export/zipwriter.h"

#include <QDateTime>
#include <algorithm>
#include <array>

namespace Zip {

namespace {

void put16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void put32(QByteArray& out, quint32 v)
{
    put16(out, quint16(v & 0xffff));
    put16(out, quint16(v >> 16));
}

// Raw deflate data: qCompress gives a 4-byte length and a zlib stream, whose
// 2-byte header and 4-byte Adler-32 trailer zip does not want.
QByteArray deflate(const QByteArray& data)
{
    const QByteArray zlib = qCompress(data, 9);
    return zlib.mid(6, zlib.size() - 10);
}

} // namespace

quint32 crc32(const QByteArray& data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 crc = 0xffffffffu;
    for (char ch : data)
        crc = table[(crc ^ quint8(ch)) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

QByteArray archive(const QList<Entry>& entries)
{
    const QDateTime now = QDateTime::currentDateTime();
    const quint16 dosTime = quint16((now.time().hour() << 11) | (now.time().minute() << 5) | (now.time().second() / 2));
    const quint16 dosDate = quint16(((qMax(now.date().year(), 1980) - 1980) << 9) | (now.date().month() << 5)
                                    | now.date().day());

    QByteArray out;
    QByteArray directory;
    for (const Entry& entry : entries) {
        const QByteArray name = entry.name.toUtf8();
        const bool deflated = entry.compress && !entry.data.isEmpty();
        const QByteArray stored = deflated ? deflate(entry.data) : entry.data;
        const quint32 crc = crc32(entry.data);
        const quint32 offset = quint32(out.size());
        const quint16 method = deflated ? 8 : 0;
        // The UTF-8 flag only where needed: readers of ODF want "mimetype" plain.
        const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return quint8(c) < 0x80; });
        const quint16 flags = ascii ? 0 : 0x0800;

        put32(out, 0x04034b50);
        put16(out, 20);        // version needed to extract
        put16(out, flags);
        put16(out, method);
        put16(out, dosTime);
        put16(out, dosDate);
        put32(out, crc);
        put32(out, quint32(stored.size()));
        put32(out, quint32(entry.data.size()));
        put16(out, quint16(name.size()));
        put16(out, 0);         // no extra field
        out.append(name);
        out.append(stored);

        put32(directory, 0x02014b50);
        put16(directory, 20);  // made by
        put16(directory, 20);
        put16(directory, flags);
        put16(directory, method);
        put16(directory, dosTime);
        put16(directory, dosDate);
        put32(directory, crc);
        put32(directory, quint32(stored.size()));
        put32(directory, quint32(entry.data.size()));
        put16(directory, quint16(name.size()));
        put16(directory, 0);   // extra field
        put16(directory, 0);   // comment
        put16(directory, 0);   // disk
        put16(directory, 0);   // internal attributes
        put32(directory, 0);   // external attributes
        put32(directory, offset);
        directory.append(name);
    }
    const quint32 directoryOffset = quint32(out.size());
    out.append(directory);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(entries.size()));
    put16(out, quint16(entries.size()));
    put32(out, quint32(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);
    return out;
}

} // namespace Zip
