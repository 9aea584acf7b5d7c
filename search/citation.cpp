#include "search/citation.h"

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

    // Elements separated by commas; " e " joins a second number or a second decision.
    bool courtDone = false;
    for (const QString& element : c.text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        for (QString part : element.split(QStringLiteral(" e "), Qt::SkipEmptyParts)) {
            part = part.simplified();
            if (part.isEmpty())
                continue;
            if (const auto date = readDate(part)) {
                c.dates.append(*date);
                c.years.append(date->year());
                courtDone = true;
            } else if (const auto number = readNumber(part)) {
                c.numbers.append(*number);
                courtDone = true;
            } else if (const auto section = readSection(part)) {
                if (c.section.isEmpty())
                    c.section = *section;
                courtDone = true;
            } else if (const auto year = readYear(part)) {
                c.years.append(*year);
                courtDone = true;
            } else if (!courtDone) {
                // Text before the first date, number or section: the court, then its seat.
                if (c.court.isEmpty())
                    c.court = part;
                else if (c.seat.isEmpty())
                    c.seat = part;
            }
        }
    }
    // A court needs a date, a number or a section beside it to be told from a remark in brackets.
    if (!courtDone)
        c.court.clear(), c.seat.clear();
    return c;
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
