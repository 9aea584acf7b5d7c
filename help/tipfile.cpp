#include "tipfile.h"

#include "textfiles.h"

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

    // UTF-16 and UTF-32 (with their byte-order mark) are full of NUL bytes: only
    // the 8-bit encodings are checked for binary content.
    const auto bom = QStringConverter::encodingForData(data);
    const bool wide = bom && *bom != QStringConverter::Utf8 && *bom != QStringConverter::Latin1;
    if (!wide && looksBinary(data))
        return {};
    const QString text = TextFiles::decode(data);

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
