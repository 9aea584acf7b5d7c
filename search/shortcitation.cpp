#include "search/shortcitation.h"

#include "search/typedcitation.h"

#include <QStringList>

namespace search {

namespace {

const QString UnitedSections = QStringLiteral("U");
const QString Labour = QStringLiteral("L");

// The court as a brief writes it: its own abbreviation, or that of the court
// whose name it goes on from ("Tribunale Milano" is "Trib. Milano"); a court
// the table does not know, as written.
QString abbreviatedCourt(const QString& court)
{
    const QList<CourtAbbreviation>& table = courtAbbreviations();
    for (const CourtAbbreviation& a : table)
        if (a.court == court)
            return a.abbreviation;
    for (const CourtAbbreviation& a : table)
        if (court.startsWith(a.court + QLatin1Char(' ')))
            return a.abbreviation + court.mid(a.court.size());
    return court;
}

QString abbreviatedSection(const QString& section)
{
    if (section == UnitedSections)
        return QStringLiteral("sez. un.");
    if (section == Labour)
        return QStringLiteral("sez. lav.");
    return QStringLiteral("sez. ") + section;
}

QString writtenPart(const CitationPart& part)
{
    switch (part.kind) {
    case CitationPart::Kind::Date: return writtenDate(part.date);
    case CitationPart::Kind::Number: return QStringLiteral("n. %1").arg(part.number);
    case CitationPart::Kind::Year: return QString::number(part.number);
    case CitationPart::Kind::Name:
    case CitationPart::Kind::Section: break;
    }
    return {};
}

// The dates and numbers, each element of the citation in its place and the
// parts " e " joins kept together: "24 luglio 1972, n. 10602 e 10 marzo 1973, n. 9023".
QString decisions(const QString& citationText)
{
    QStringList elements;
    bool sameElement = false; // the last element written is the one this part belongs to
    for (const CitationPart& part : citationParts(citationText)) {
        sameElement = sameElement && part.joined;
        const QString written = writtenPart(part);
        if (written.isEmpty())
            continue;
        if (sameElement)
            elements.last() += QStringLiteral(" e ") + written;
        else
            elements << written;
        sameElement = true;
    }
    return elements.join(QStringLiteral(", "));
}

} // namespace

QString shortCitation(const Citation& c)
{
    if (c.isUnreadable())
        return c.text;
    QStringList parts;
    if (!c.court.isEmpty())
        parts << abbreviatedCourt(c.court);
    if (!c.seat.isEmpty())
        parts << c.seat;
    if (!c.section.isEmpty())
        parts << abbreviatedSection(c.section);
    if (const QString written = decisions(c.text); !written.isEmpty())
        parts << written;
    return parts.join(QStringLiteral(", "));
}

QString sectionName(const QString& section)
{
    if (section == UnitedSections)
        return QStringLiteral("Sezioni Unite");
    if (section == Labour)
        return QStringLiteral("Lavoro");
    return section;
}

} // namespace search
