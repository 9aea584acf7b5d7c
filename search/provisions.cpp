#include "search/provisions.h"

#include <QRegularExpression>

#include <optional>

namespace search {

namespace {

constexpr auto Options = QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;

const QString Months = QStringLiteral(
    "gennaio|febbraio|marzo|aprile|maggio|giugno|luglio|agosto|settembre|ottobre|novembre|dicembre");
// Not followed by another letter or digit: "c.c." but not "ccnl".
const QString End = QStringLiteral("(?![\\w])");
const QString Latin = QStringLiteral("(?:[-\\s]?(bis|ter|quater|quinquies|sexies|septies|octies))?");
const QString Paragraph = QStringLiteral("(?:\\s*,?\\s*(\\d{1,2})\\s*(?:°|º|\\^|o)?\\s*comma|\\s*,?\\s*comma\\s+(\\d{1,2}))?");
const QString Of = QStringLiteral("\\s*,?\\s*(?:(?:del(?:la|lo|l['\\x{2019}])?|d\\.)\\s*)?");
const QString Code = QStringLiteral(
    "(c\\.?\\s*p\\.?\\s*c\\.?|cod(?:ice)?\\.?\\s*(?:di\\s+)?proc(?:edura)?\\.?\\s*civ(?:ile)?\\.?"
    "|c\\.?\\s*c\\.?|cod(?:ice)?\\.?\\s*civ(?:ile)?\\.?"
    "|c\\.?\\s*p\\.?|cod(?:ice)?\\.?\\s*pen(?:ale)?\\.?"
    "|cost(?:ituzione)?\\.?)");
const QString Law = QStringLiteral("(?:legge|l\\.)\\s*(?:n\\.\\s*)?"
                                   "(?:\\d{1,2}\\s+(?:%1)\\s+(\\d{4})\\s*,?\\s*n\\.?\\s*(\\d{1,5})"
                                   "|(\\d{1,5})\\s*/\\s*(\\d{4})"
                                   "|(\\d{1,5})\\s+del\\s+(\\d{4}))")
                        .arg(Months);

Provision::Source sourceOf(const QString& written)
{
    QString s = written.toLower();
    s.remove(QRegularExpression(QStringLiteral("[\\s.]")));
    if (s.startsWith(QLatin1String("cost")))
        return Provision::Source::Constitution;
    if (s == QLatin1String("cpc") || s.contains(QLatin1String("proc")))
        return Provision::Source::CivilProcedure;
    if (s == QLatin1String("cp") || s.contains(QLatin1String("pen")))
        return Provision::Source::PenalCode;
    return Provision::Source::CivilCode;
}

QString codeKey(Provision::Source source)
{
    switch (source) {
    case Provision::Source::CivilCode: return QStringLiteral("cc");
    case Provision::Source::CivilProcedure: return QStringLiteral("cpc");
    case Provision::Source::PenalCode: return QStringLiteral("cp");
    case Provision::Source::Constitution: return QStringLiteral("cost");
    case Provision::Source::Law: break;
    }
    return {};
}

// Reads the law of a match of `Law` whose groups start at `first`.
bool readLaw(const QRegularExpressionMatch& m, int first, Provision* p)
{
    for (int g = first; g < first + 6; g += 2) {
        if (m.captured(g).isEmpty())
            continue;
        const bool yearFirst = g == first; // "... 1985, n. 47"
        p->lawYear = m.captured(yearFirst ? g : g + 1).toInt();
        p->lawNumber = m.captured(yearFirst ? g + 1 : g).toInt();
        p->source = Provision::Source::Law;
        return p->lawYear >= 1800 && p->lawNumber > 0;
    }
    return false;
}

// The text with the spans already read blanked out, so that each is read once.
void blank(QString& text, const QRegularExpressionMatch& m)
{
    text.replace(m.capturedStart(), m.capturedLength(), QString(m.capturedLength(), QLatin1Char(' ')));
}

} // namespace

QStringList Provision::indexKeys() const
{
    const QString law = QStringLiteral("l%1n%2").arg(lawYear).arg(lawNumber);
    const QString base = source == Source::Law ? law : codeKey(source);
    if (article.isEmpty())
        return {law};
    QStringList keys{base + QLatin1Char(':') + article};
    if (paragraph > 0)
        keys.prepend(keys.first() + QLatin1Char(':') + QString::number(paragraph));
    if (source == Source::Law)
        keys << law;
    return keys;
}

QString Provision::queryKey() const { return indexKeys().first(); }

QString Provision::shortForm() const
{
    const QString law = QStringLiteral("legge n. %1/%2").arg(lawNumber).arg(lawYear);
    if (article.isEmpty())
        return law;
    QString s = QStringLiteral("art. ") + article;
    if (paragraph > 0)
        s += QStringLiteral(", %1° comma").arg(paragraph);
    switch (source) {
    case Source::CivilCode: return s + QStringLiteral(" c.c.");
    case Source::CivilProcedure: return s + QStringLiteral(" c.p.c.");
    case Source::PenalCode: return s + QStringLiteral(" c.p.");
    case Source::Constitution: return s + QStringLiteral(" Cost.");
    case Source::Law: return s + QLatin1Char(' ') + law;
    }
    return s;
}

ProvisionsRead readProvisions(const QString& text)
{
    // An article with "art." may stand without a code only in what is left
    // unread; a bare number needs its code or law right after it.
    static const QRegularExpression article(
        QStringLiteral("\\b(?:artt?\\.?|articol[oi])\\s*(\\d{1,4})") + Latin + Paragraph + Of + QStringLiteral("(?:")
            + Code + End + QStringLiteral("|") + Law + End + QStringLiteral(")"),
        Options);
    static const QRegularExpression bare(QStringLiteral("\\b(\\d{1,4})") + Latin + Paragraph + Of + QStringLiteral("(?:")
                                             + Code + End + QStringLiteral("|") + Law + End + QStringLiteral(")"),
                                         Options);
    static const QRegularExpression lawAlone(QStringLiteral("\\b") + Law + End, Options);
    static const QRegularExpression unread(QStringLiteral("\\b(?:artt?\\.|articol[oi])\\s*\\d{1,4}"), Options);

    ProvisionsRead read;
    QString left = text;
    for (const QRegularExpression* form : {&article, &bare}) {
        for (;;) {
            const QRegularExpressionMatch m = form->match(left);
            if (!m.hasMatch())
                break;
            Provision p;
            p.article = m.captured(1) + (m.captured(2).isEmpty() ? QString() : QLatin1Char('-') + m.captured(2).toLower());
            p.paragraph = (m.captured(3).isEmpty() ? m.captured(4) : m.captured(3)).toInt();
            const bool ok = m.captured(5).isEmpty() ? readLaw(m, 6, &p) : (p.source = sourceOf(m.captured(5)), true);
            blank(left, m);
            if (ok && !read.provisions.contains(p))
                read.provisions << p;
        }
    }
    for (;;) {
        const QRegularExpressionMatch m = lawAlone.match(left);
        if (!m.hasMatch())
            break;
        Provision p;
        const bool ok = readLaw(m, 1, &p);
        blank(left, m);
        if (ok && !read.provisions.contains(p))
            read.provisions << p;
    }
    for (const QRegularExpressionMatch& m : unread.globalMatch(left))
        read.unreadable << m.captured(0);
    read.rest = left.simplified();
    return read;
}

} // namespace search
