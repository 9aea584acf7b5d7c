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

struct CourtForm {
    QRegularExpression pattern;
    // The court's name as the filters offer it, from the match.
    QString (*name)(const Match&);
};

const QList<CourtForm>& courtForms()
{
    static const QList<CourtForm> forms = {
        {QRegularExpression(QStringLiteral("\\bcass(?:azione)?\\.?") + End
                                + QStringLiteral("(?:\\s*,?\\s*(civ(?:ile)?|pen(?:ale)?)\\.?") + End + QStringLiteral(")?"),
                            Options),
         [](const Match& m) {
             const QString kind = m.captured(1).toLower();
             if (kind.startsWith(QLatin1String("civ")))
                 return QStringLiteral("Cassazione civile");
             if (kind.startsWith(QLatin1String("pen")))
                 return QStringLiteral("Cassazione penale");
             return QStringLiteral("Cassazione");
         }},
        {QRegularExpression(QStringLiteral("\\b(?:cons(?:iglio)?\\.?\\s*(?:di\\s+)?st(?:ato)?\\.?|c\\.\\s*d\\.\\s*s\\.|cds)")
                                + End,
                            Options),
         [](const Match&) { return QStringLiteral("Consiglio di Stato"); }},
        {QRegularExpression(QStringLiteral("\\b(?:c(?:orte)?\\.?\\s*cost(?:ituzionale)?\\.?)") + End, Options),
         [](const Match&) { return QStringLiteral("Corte costituzionale"); }},
        {QRegularExpression(QStringLiteral("\\bt\\.?\\s*a\\.?\\s*r\\.?") + End + QStringLiteral("(?:\\s+(?:del(?:l[a'])?\\s+)?")
                                + Place + QStringLiteral(")?"),
                            Options),
         [](const Match& m) {
             return m.captured(1).isEmpty() ? QStringLiteral("T.A.R.")
                                            : QStringLiteral("T.A.R. ") + capitalised(m.captured(1));
         }},
        {QRegularExpression(QStringLiteral("\\btrib(?:unale)?\\.?") + End + QStringLiteral("(?:\\s+(?:di\\s+)?") + Place
                                + QStringLiteral(")?"),
                            Options),
         [](const Match& m) {
             return m.captured(1).isEmpty() ? QStringLiteral("Tribunale")
                                            : QStringLiteral("Tribunale ") + capitalised(m.captured(1));
         }},
        // Only with its seat: "appello" alone is a word lawyers search for.
        {QRegularExpression(QStringLiteral("\\b(?:c(?:orte)?\\.?\\s*)?(?:d['\\x{2019}]\\s*)?app(?:ello)?\\.?") + End
                                + QStringLiteral("\\s+(?:di\\s+)?") + Place,
                            Options),
         [](const Match& m) { return QStringLiteral("Corte d'Appello ") + capitalised(m.captured(1)); }},
        {QRegularExpression(QStringLiteral("\\bpret(?:ura)?\\.?") + End + QStringLiteral("(?:\\s+(?:di\\s+)?") + Place
                                + QStringLiteral(")?"),
                            Options),
         [](const Match& m) {
             return m.captured(1).isEmpty() ? QStringLiteral("Pretura")
                                            : QStringLiteral("Pretura ") + capitalised(m.captured(1));
         }},
    };
    return forms;
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

std::optional<TypedCitation> readTypedCitation(const QString& typed)
{
    Reader reader(typed);
    TypedCitation c;
    for (const CourtForm& form : courtForms()) {
        if (const std::optional<Match> m = reader.take(form.pattern)) {
            c.court = form.name(*m);
            break;
        }
    }
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
