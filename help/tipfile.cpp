#include "tipfile.h"

#include <QStringDecoder>

namespace help::tipfile {

namespace {

// No text file holds NUL bytes, and few other control characters.
bool looksBinary(const QByteArray& data)
{
    if (data.contains('\0'))
        return true;
    const QByteArray head = data.left(4096);
    qsizetype controls = 0;
    for (const char c : head) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f')
            ++controls;
    }
    return head.size() >= 64 && controls * 10 > head.size(); // more than one in ten
}

QString decodeText(const QByteArray& data)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    // Not UTF-8: a file written on Windows.
    QStringDecoder windows1252("windows-1252");
    if (windows1252.isValid())
        return windows1252.decode(data);
    // Without that codec: Latin-1 but for the printable characters Windows puts at 0x80-0x9F.
    static const char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    text = QString::fromLatin1(data);
    for (QChar& ch : text)
        if (ch.unicode() >= 0x80 && ch.unicode() <= 0x9F)
            ch = QChar(high[ch.unicode() - 0x80]);
    return text;
}

// What the tip label can show: tabs become blanks, other control characters
// and undecodable bytes go.
QString cleanTip(QStringView line)
{
    QString tip;
    tip.reserve(qMin<qsizetype>(line.size(), MaxTipLength));
    for (const QChar ch : line) {
        if (tip.size() >= MaxTipLength)
            break;
        if (ch == QLatin1Char('\t'))
            tip.append(QLatin1Char(' '));
        else if (ch.category() != QChar::Other_Control && ch != QChar::ReplacementCharacter)
            tip.append(ch);
    }
    return tip;
}

} // namespace

QStringList decode(QByteArray data, bool truncated)
{
    // A file cut short ends at its last whole line (or, in one endless line, at
    // its last ASCII byte), so no character is split.
    if (truncated) {
        qsizetype end = data.lastIndexOf('\n');
        for (qsizetype i = data.size() - 1; end < 0 && i >= 0; --i)
            if (static_cast<unsigned char>(data[i]) < 0x80)
                end = i;
        data.truncate(end + 1);
    }

    QString text;
    if (const auto bom = QStringConverter::encodingForData(data);
        bom && *bom != QStringConverter::Utf8 && *bom != QStringConverter::Latin1) {
        text = QStringDecoder(*bom).decode(data); // UTF-16 or UTF-32 with its byte-order mark
    } else {
        if (looksBinary(data))
            return {};
        text = decodeText(data);
    }
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);

    QStringList tips;
    qsizetype start = 0;
    while (start < text.size() && tips.size() < MaxTips) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        tips.append(cleanTip(QStringView(text).mid(start, end - start)));
        // CR LF, LF or a lone CR ends the line; a last line needs no end.
        if (end < text.size() && text[end] == QLatin1Char('\r') && end + 1 < text.size()
            && text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return tips;
}

} // namespace help::tipfile
