#include "textfiles.h"

#include <QStringDecoder>

namespace TextFiles {

namespace {

QString decodeWindows1252(const QByteArray& data)
{
    QStringDecoder windows1252("windows-1252");
    if (windows1252.isValid())
        return windows1252.decode(data);
    // Without that codec: Latin-1 but for the printable characters Windows puts at 0x80-0x9F.
    static const char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString text = QString::fromLatin1(data);
    for (QChar& ch : text)
        if (ch.unicode() >= 0x80 && ch.unicode() <= 0x9F)
            ch = QChar(high[ch.unicode() - 0x80]);
    return text;
}

} // namespace

QString decode(const QByteArray& data)
{
    QString text;
    if (const auto bom = QStringConverter::encodingForData(data);
        bom && *bom != QStringConverter::Utf8 && *bom != QStringConverter::Latin1) {
        text = QStringDecoder(*bom).decode(data);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8.decode(data);
        if (utf8.hasError())
            return decodeWindows1252(data); // a file written on Windows
    }
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    return text;
}

} // namespace TextFiles
