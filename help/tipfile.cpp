#include "help/tipfile.h"

#include "shell/textfiles.h"


namespace help::tipfile {

namespace {

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
    if (TextFiles::looksBinary(data))
        return {};
    QString text = TextFiles::decode(truncated ? TextFiles::wholeCharacters(data) : data);
    // A file cut short ends at its last whole line; one endless line is kept as
    // far as it was read (each tip is cut to its length anyway).
    if (truncated) {
        qsizetype end = text.size();
        while (end > 0 && text[end - 1] != QLatin1Char('\n') && text[end - 1] != QLatin1Char('\r'))
            --end;
        if (end > 0)
            text.truncate(end);
    }

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
