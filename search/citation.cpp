#include "search/citation.h"

#include "corpus/archives.h"

#include <QRegularExpression>

namespace search {

namespace {

const QStringList Months = {QStringLiteral("gennaio"), QStringLiteral("febbraio"), QStringLiteral("marzo"),
                            QStringLiteral("aprile"),  QStringLiteral("maggio"),   QStringLiteral("giugno"),
                            QStringLiteral("luglio"),  QStringLiteral("agosto"),   QStringLiteral("settembre"),
                            QStringLiteral("ottobre"), QStringLiteral("novembre"), QStringLiteral("dicembre")};

// Each pattern below is compiled once per thread: the index reads citations on several threads.

// "19 luglio 2000", "1° marzo 1990", "19.7.2000", "19/07/2000"
std::optional<QDate> readDate(const QString& part)
{
    thread_local const QRegularExpression written(
        QStringLiteral("^(\\d{1,2})\\s*(?:°|º)?\\s+([A-Za-z]+)\\s+(\\d{4})$"));
    thread_local const QRegularExpression numeric(QStringLiteral("^(\\d{1,2})[./-](\\d{1,2})[./-](\\d{4})$"));
    if (const auto m = written.match(part); m.hasMatch()) {
        const int month = int(Months.indexOf(m.captured(2).toLower())) + 1;
        const QDate date(m.captured(3).toInt(), month, m.captured(1).toInt());
        if (month > 0 && date.isValid())
            return date;
    }
    if (const auto m = numeric.match(part); m.hasMatch()) {
        const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

// "sez.II", "sez. U", "Sez. lav.", "sezione III"
std::optional<QString> readSection(const QString& part)
{
    thread_local const QRegularExpression section(
        QStringLiteral("^sez(?:ione|\\.)?\\s*([IVXL]+|U|un\\.?|lav\\.?|\\d+)$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = section.match(part);
    if (!m.hasMatch())
        return std::nullopt;
    const QString value = m.captured(1);
    if (value.startsWith(QLatin1String("un"), Qt::CaseInsensitive))
        return QStringLiteral("U");
    if (value.startsWith(QLatin1String("lav"), Qt::CaseInsensitive))
        return QStringLiteral("L");
    return value.toUpper();
}

// "n.1400", "n. 1400", "nn. 12"
std::optional<int> readNumber(const QString& part)
{
    thread_local const QRegularExpression number(QStringLiteral("^nn?\\.\\s*(\\d+)$"),
                                                 QRegularExpression::CaseInsensitiveOption);
    if (const auto m = number.match(part); m.hasMatch())
        return m.captured(1).toInt();
    return std::nullopt;
}

std::optional<int> readYear(const QString& part)
{
    thread_local const QRegularExpression year(QStringLiteral("^(\\d{4})$"));
    if (const auto m = year.match(part); m.hasMatch())
        return m.captured(1).toInt();
    return std::nullopt;
}

} // namespace

Citation parseCitation(const QString& massima)
{
    Citation c;
    const QString trimmed = massima.trimmed();
    const qsizetype open = trimmed.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return c;

    // The ending: what follows the closing parenthesis, what precedes the opening one.
    QString inside = trimmed.mid(open + 1);
    const qsizetype close = inside.lastIndexOf(QLatin1Char(')'));
    if (close < 0) {
        c.ending = Citation::Ending::Unclosed;
    } else {
        const QString after = inside.mid(close + 1);
        inside.truncate(close);
        const QString before = trimmed.left(open);
        if (massima.endsWith(QLatin1Char(' ')) && after.isEmpty())
            c.ending = Citation::Ending::TrailingBlank;
        else if (after == QLatin1String("."))
            c.ending = Citation::Ending::FullStop;
        else if (!after.isEmpty())
            return Citation{}; // the parenthesis closes something inside the text
        else if (before.endsWith(QLatin1String("- ")))
            c.ending = Citation::Ending::Standard;
        else if (before.endsWith(QLatin1Char('-')))
            c.ending = Citation::Ending::DashNoBlank;
        else
            c.ending = Citation::Ending::NoDash;
    }
    c.text = inside.trimmed();

    // Text before the first date, number or section: the court, then its seat.
    bool courtDone = false;
    for (const CitationPart& part : citationParts(c.text)) {
        switch (part.kind) {
        case CitationPart::Kind::Date:
            c.dates.append(part.date);
            c.years.append(part.date.year());
            break;
        case CitationPart::Kind::Number: c.numbers.append(part.number); break;
        case CitationPart::Kind::Section:
            if (c.section.isEmpty())
                c.section = part.section;
            break;
        case CitationPart::Kind::Year: c.years.append(part.number); break;
        case CitationPart::Kind::Name:
            if (courtDone)
                continue;
            if (c.court.isEmpty())
                c.court = part.text;
            else if (c.seat.isEmpty())
                c.seat = part.text;
            continue;
        }
        courtDone = true;
    }
    // A court needs a date, a number or a section beside it to be told from a remark in brackets.
    if (!courtDone)
        c.court.clear(), c.seat.clear();
    return c;
}

QList<CitationPart> citationParts(const QString& citationText)
{
    QList<CitationPart> parts;
    for (const QString& element : citationText.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool first = true;
        for (const QString& written : element.split(QStringLiteral(" e "), Qt::SkipEmptyParts)) {
            CitationPart part;
            part.text = written.simplified();
            if (part.text.isEmpty())
                continue;
            part.joined = !first;
            first = false;
            if (const auto date = readDate(part.text)) {
                part.kind = CitationPart::Kind::Date;
                part.date = *date;
            } else if (const auto number = readNumber(part.text)) {
                part.kind = CitationPart::Kind::Number;
                part.number = *number;
            } else if (const auto section = readSection(part.text)) {
                part.kind = CitationPart::Kind::Section;
                part.section = *section;
            } else if (const auto year = readYear(part.text)) {
                part.kind = CitationPart::Kind::Year;
                part.number = *year;
            }
            parts.append(part);
        }
    }
    return parts;
}

QString writtenDate(const QDate& date)
{
    return QStringLiteral("%1 %2 %3").arg(date.day()).arg(Months.value(date.month() - 1)).arg(date.year());
}

QString massimaBody(const QString& massima)
{
    QString body = massima.trimmed();
    if (body.startsWith(corpus::DemonstrationMarker.trimmed()))
        body.remove(0, corpus::DemonstrationMarker.trimmed().size());
    if (!parseCitation(body).isUnreadable()) {
        body.truncate(body.lastIndexOf(QLatin1Char('(')));
        while (!body.isEmpty() && (body.back().isSpace() || body.back() == QLatin1Char('-')))
            body.chop(1);
    }
    return body.trimmed();
}

QStringList courtFamilies(const QString& court)
{
    QStringList names{court};
    const QStringList words = court.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() > 1) {
        QStringList shorter = words;
        shorter.removeLast();
        names.append(shorter.join(QLatin1Char(' ')));
    }
    return names;
}

} // namespace search
