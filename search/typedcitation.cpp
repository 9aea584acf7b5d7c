#include "search/typedcitation.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace search {

namespace {

using Match = QRegularExpressionMatch;
constexpr auto Options = QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;

// A place name as written after a court: "Lazio", "Milano", "Reggio Calabria".
const QString Place = QStringLiteral("([A-Z\\x{00C0}-\\x{00DD}][\\w\\x{00E0}-\\x{00FF}']+)");
// The end of an abbreviation: after its dot, or where its word ends ("cass." and
// "cass", not "cassa"); "Cass.civ." needs no blank after the dot.
const QString End = QStringLiteral("(?:(?<=\\.)|\\b)");

QString capitalised(QString word)
{
    word = word.toLower();
    if (!word.isEmpty())
        word[0] = word[0].toUpper();
    return word;
}

// The patterns of courtAbbreviations(), compiled once.
const QList<QRegularExpression>& courtPatterns()
{
    static const QList<QRegularExpression> patterns = [] {
        QList<QRegularExpression> list;
        for (const CourtAbbreviation& a : courtAbbreviations())
            list.append(QRegularExpression(a.typed, Options));
        return list;
    }();
    return patterns;
}

// The court's name as the filters offer it: the court, then its place where one was typed.
QString courtName(const CourtAbbreviation& a, const Match& m)
{
    const QString place = m.lastCapturedIndex() >= 1 ? m.captured(1) : QString();
    return place.isEmpty() ? a.court : a.court + QLatin1Char(' ') + capitalised(place);
}

QString roman(int n)
{
    static const QStringList numerals = {QString(),          QStringLiteral("I"),   QStringLiteral("II"),
                                         QStringLiteral("III"), QStringLiteral("IV"),  QStringLiteral("V"),
                                         QStringLiteral("VI"),  QStringLiteral("VII"), QStringLiteral("VIII"),
                                         QStringLiteral("IX"),  QStringLiteral("X")};
    return n >= 1 && n < numerals.size() ? numerals[n] : QString();
}

// The spans of the text read as the citation, blanked out once read.
class Reader {
public:
    explicit Reader(const QString& typed) : text_(typed) {}

    // The first match of `pattern` not yet read, taken out of the text.
    std::optional<Match> take(const QRegularExpression& pattern)
    {
        const Match m = pattern.match(text_);
        if (!m.hasMatch())
            return std::nullopt;
        text_.replace(m.capturedStart(), m.capturedLength(), QString(m.capturedLength(), QLatin1Char(' ')));
        return m;
    }
    // What is left: the words, without the punctuation the citation left behind.
    QString rest() const
    {
        static const QRegularExpression stray(QStringLiteral("(?:^|\\s)[-,;.:()]+(?=\\s|$)"));
        QString left = text_;
        left.replace(stray, QStringLiteral(" "));
        return left.simplified();
    }

private:
    QString text_;
};

} // namespace

const QList<CourtAbbreviation>& courtAbbreviations()
{
    static const QList<CourtAbbreviation> table = [] {
        const QString cassazione = QStringLiteral("\\bcass(?:azione)?\\.?") + End;
        // A court named with its place: the place after the abbreviation, optionally after `lead`.
        const auto withPlace = [](const QString& court, const QString& lead) {
            return court + End + QStringLiteral("(?:\\s+(?:%1\\s+)?").arg(lead) + Place + QStringLiteral(")?");
        };
        return QList<CourtAbbreviation>{
            {QStringLiteral("Cassazione civile"), QStringLiteral("Cass. civ."),
             cassazione + QStringLiteral("\\s*,?\\s*civ(?:ile)?\\.?") + End},
            {QStringLiteral("Cassazione penale"), QStringLiteral("Cass. pen."),
             cassazione + QStringLiteral("\\s*,?\\s*pen(?:ale)?\\.?") + End},
            {QStringLiteral("Cassazione"), QStringLiteral("Cass."), cassazione},
            {QStringLiteral("Consiglio di Stato"), QStringLiteral("Cons. Stato"),
             QStringLiteral("\\b(?:cons(?:iglio)?\\.?\\s*(?:di\\s+)?st(?:ato)?\\.?|c\\.\\s*d\\.\\s*s\\.|cds)") + End},
            {QStringLiteral("Corte costituzionale"), QStringLiteral("Corte cost."),
             QStringLiteral("\\b(?:c(?:orte)?\\.?\\s*cost(?:ituzionale)?\\.?)") + End},
            {QStringLiteral("T.A.R."), QStringLiteral("T.A.R."),
             withPlace(QStringLiteral("\\bt\\.?\\s*a\\.?\\s*r\\.?"), QStringLiteral("del(?:l[a'])?"))},
            {QStringLiteral("Tribunale"), QStringLiteral("Trib."),
             withPlace(QStringLiteral("\\btrib(?:unale)?\\.?"), QStringLiteral("di"))},
            // Only with its place: "appello" alone is a word lawyers search for.
            {QStringLiteral("Corte d'Appello"), QStringLiteral("App."),
             QStringLiteral("\\b(?:c(?:orte)?\\.?\\s*)?(?:d['\\x{2019}]\\s*)?app(?:ello)?\\.?") + End
                 + QStringLiteral("\\s+(?:di\\s+)?") + Place},
            {QStringLiteral("Pretura"), QStringLiteral("Pret."),
             withPlace(QStringLiteral("\\bpret(?:ura)?\\.?"), QStringLiteral("di"))},
        };
    }();
    return table;
}

std::optional<TypedCitation> readTypedCitation(const QString& typed)
{
    Reader reader(typed);
    TypedCitation c;
    const QList<CourtAbbreviation>& courts = courtAbbreviations();
    for (qsizetype i = 0; i < courts.size() && c.court.isEmpty(); ++i)
        if (const std::optional<Match> m = reader.take(courtPatterns()[i]))
            c.court = courtName(courts[i], *m);
    if (c.court.isEmpty())
        return std::nullopt;

    static const QRegularExpression united(
        QStringLiteral("\\b(?:s\\.\\s*u\\.|ss\\.\\s*uu\\.|sez(?:ioni)?\\.?\\s*un(?:ite)?\\.?)") + End, Options);
    static const QRegularExpression section(
        QStringLiteral("\\bsez(?:ione)?\\.?\\s*(lav(?:oro)?\\.?|[ivx]+|\\d{1,2})") + End, Options);
    if (reader.take(united)) {
        c.section = QStringLiteral("U");
    } else if (const std::optional<Match> m = reader.take(section)) {
        const QString s = m->captured(1);
        c.section = s.startsWith(QLatin1String("lav"), Qt::CaseInsensitive) ? QStringLiteral("L")
                  : s.at(0).isDigit()                                         ? roman(s.toInt())
                                                                              : s.toUpper();
    }

    static const QRegularExpression writtenDate(
        QStringLiteral("\\b\\d{1,2}\\s+(?:gennaio|febbraio|marzo|aprile|maggio|giugno|luglio|agosto|settembre|"
                       "ottobre|novembre|dicembre)\\s+((?:18|19|20)\\d\\d)\\b"),
        Options);
    static const QRegularExpression numericDate(
        QStringLiteral("\\b\\d{1,2}[./-]\\d{1,2}[./-]((?:18|19|20)\\d\\d)\\b"), Options);
    static const QRegularExpression numberAndYear(QStringLiteral("\\b(?:n\\.?\\s*)?(\\d{1,7})/((?:18|19|20)\\d\\d)\\b"),
                                                  Options);
    static const QRegularExpression number(QStringLiteral("\\bn(?:r|um)?\\.?\\s*(\\d{1,7})\\b"), Options);
    static const QRegularExpression year(QStringLiteral("\\b((?:18|19|20)\\d\\d)\\b"), Options);
    if (const std::optional<Match> m = reader.take(writtenDate))
        c.year = m->captured(1).toInt();
    else if (const std::optional<Match> m = reader.take(numericDate))
        c.year = m->captured(1).toInt();
    if (const std::optional<Match> m = reader.take(numberAndYear)) {
        c.number = m->captured(1).toInt();
        if (c.year == 0)
            c.year = m->captured(2).toInt();
    } else if (const std::optional<Match> m = reader.take(number)) {
        c.number = m->captured(1).toInt();
    }
    if (c.year == 0)
        if (const std::optional<Match> m = reader.take(year))
            c.year = m->captured(1).toInt();
    if (c.year == 0 && c.number == 0)
        return std::nullopt; // a court alone is a word, not a citation
    c.words = reader.rest();
    return c;
}

} // namespace search
