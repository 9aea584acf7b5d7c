#include "search/querytext.h"

#include "search/textfold.h"
#include "search/wordlists.h"

#include <QRegularExpression>
#include <QSet>

namespace search {

namespace {

constexpr int MaxQueryLength = 300;

// The typed text with line breaks as blanks, control and format characters
// dropped (`dropped` says whether there were any) and every kind of quotation
// mark as the parser's ".
QString cleaned(const QString& typed, bool* dropped)
{
    QString text;
    text.reserve(typed.size());
    for (QChar c : typed) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            text.append(QLatin1Char(' '));
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            *dropped = true;
        else
            text.append(isQuote(c) ? QChar(u'"') : c);
    }
    return text;
}

bool isOperatorWord(const QString& raw)
{
    return raw == QLatin1String("AND") || raw == QLatin1String("OR") || raw == QLatin1String("NOT");
}

// Reads the words of a query one at a time, and what stands between them, into
// the parser's text; each sign or quote changes the state the next word is read in.
class WordsReader {
public:
    explicit WordsReader(QString text) : text_(std::move(text)) {}

    PreparedWords read()
    {
        qsizetype previousEnd = 0;
        for (const Token& t : tokenize(text_)) {
            readGap(previousEnd, t.start);
            previousEnd = t.start + t.length;
            readWord(t, previousEnd);
        }
        readGap(previousEnd, text_.size());
        if (inPhrase_) {
            closePhrase();
            notes_ << QStringLiteral("Virgolette non chiuse: la frase è cercata fino alla fine.");
        }
        p_.parserText = parts_.join(QLatin1Char(' '));
        return p_;
    }

    const QStringList& notes() const { return notes_; }
    // The small words left out, each once, in the order typed.
    const QStringList& leftOut() const { return leftOut_; }

private:
    void block(const QString& why)
    {
        p_.blocking = true;
        p_.hint = why;
    }

    // The characters between two words: quotes, signs, stray asterisks.
    void readGap(qsizetype from, qsizetype to)
    {
        for (qsizetype i = from; i < to; ++i) {
            const QChar c = text_[i];
            if (c == QLatin1Char('"'))
                inPhrase_ ? closePhrase() : openPhrase();
            else if (c == QLatin1Char('*') && !consumedStars_.contains(i))
                block(QStringLiteral("L'asterisco va scritto in fondo a una parola, ad esempio condomin*."));
            else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && isSignBeforeWord(i))
                (c == QLatin1Char('-') ? minusPending_ : plusPending_) = true;
        }
    }

    // A - or + outside a phrase, after a blank or an opening parenthesis, before a word or a phrase.
    bool isSignBeforeWord(qsizetype i) const
    {
        return !inPhrase_ && (i == 0 || text_[i - 1].isSpace() || text_[i - 1] == QLatin1Char('('))
            && (isWordCharAt(text_, i + 1) || (i + 1 < text_.size() && text_[i + 1] == QLatin1Char('"')));
    }

    void openPhrase()
    {
        inPhrase_ = openPending_ = true;
        excludedPhrase_ = minusPending_;
    }

    void closePhrase()
    {
        if (!parts_.isEmpty() && !openPending_)
            parts_.last() += QLatin1Char('"');
        if (!excludedPhrase_ && !phrase_.isEmpty())
            p_.phrases << phrase_;
        phrase_.clear();
        inPhrase_ = openPending_ = excludedPhrase_ = false;
    }

    void readWord(const Token& t, qsizetype end)
    {
        const QString raw = text_.mid(t.start, t.length);
        const bool isOperator = !inPhrase_ && isOperatorWord(raw);
        if (!isOperator && !inPhrase_ && isSmallWord(t.folded) && !(end < text_.size() && text_[end] == QLatin1Char('*'))) {
            leaveOut(t.folded);
            return;
        }
        if (isOperator && (parts_.isEmpty() || isOperatorWord(parts_.last())) && raw != QLatin1String("NOT"))
            return; // an operator whose left-hand word was left out joins nothing
        const bool excluded = excludedPhrase_ || minusPending_ || afterNot_;
        QString part = isOperator ? raw : t.folded;
        if (!isOperator && !openPending_) {
            if (minusPending_)
                part.prepend(QLatin1Char('-'));
            else if (plusPending_)
                part.prepend(QLatin1Char('+'));
        }
        if (openPending_) {
            part.prepend(minusPending_ ? QStringLiteral("-\"") : QStringLiteral("\""));
            openPending_ = false;
        }
        minusPending_ = plusPending_ = false;
        const bool prefix = readStar(t, end, isOperator, &part);
        parts_ << part;
        if (isOperator) {
            afterNot_ = raw == QLatin1String("NOT");
            return;
        }
        afterNot_ = false;
        if (excluded)
            return;
        p_.anyPositive = true;
        if (inPhrase_)
            phrase_ << t.folded;
        else
            (prefix ? p_.prefixes : p_.words) << t.folded;
    }

    // A small word outside a phrase need not occur: it is left out, with its
    // sign, and so is an operator just before it, which would join nothing.
    void leaveOut(const QString& folded)
    {
        if (!leftOut_.contains(folded))
            leftOut_ << folded;
        minusPending_ = plusPending_ = false;
        if (!parts_.isEmpty() && isOperatorWord(parts_.last()) && !openPending_)
            parts_.removeLast();
        afterNot_ = false;
    }

    // An asterisk right after the word makes it a prefix, outside phrases; true when it does.
    bool readStar(const Token& t, qsizetype end, bool isOperator, QString* part)
    {
        if (end >= text_.size() || text_[end] != QLatin1Char('*'))
            return false;
        consumedStars_.insert(end);
        if (isWordCharAt(text_, end + 1)) {
            block(QStringLiteral("L'asterisco va soltanto in fondo alla parola, ad esempio condomin*."));
            return false;
        }
        if (inPhrase_ || isOperator)
            return false;
        if (t.folded.size() < 2)
            block(QStringLiteral("Scrivere almeno due lettere prima dell'asterisco."));
        *part += QLatin1Char('*');
        return true;
    }

    const QString text_;
    PreparedWords p_;
    QStringList parts_;
    QStringList notes_;
    QStringList leftOut_;
    QStringList phrase_; // the words of the phrase being read
    QSet<qsizetype> consumedStars_;
    bool inPhrase_ = false;
    bool openPending_ = false;    // a phrase opened, its first word not read yet
    bool excludedPhrase_ = false; // the phrase being read was opened with -
    bool minusPending_ = false;
    bool plusPending_ = false;
    bool afterNot_ = false;
};

// "1998", "1990-2000", "1990 - 2000", "1990..2000"; the hint when it is none of those.
std::optional<YearRange> readYears(const QString& typed, QString* hint)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{4})\\s*(?:(?:-|–|\\.\\.|/)\\s*(\\d{4}))?\\s*$"));
    const auto m = pattern.match(typed);
    if (!m.hasMatch()) {
        *hint = QStringLiteral("Anno non valido: scrivere un anno (1998) o un intervallo (1990-2000).");
        return std::nullopt;
    }
    YearRange range{m.captured(1).toInt(), m.captured(2).isEmpty() ? m.captured(1).toInt() : m.captured(2).toInt()};
    if (range.to < range.from) {
        *hint = QStringLiteral("Intervallo di anni rovesciato: scrivere prima l'anno più lontano (%1-%2).")
                    .arg(range.to)
                    .arg(range.from);
        return std::nullopt;
    }
    return range;
}

std::optional<int> readDecisionNumber(const QString& typed, QString* hint)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(?:nn?\\.?\\s*)?(\\d{1,7})\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto m = pattern.match(typed);
    if (!m.hasMatch()) {
        *hint = QStringLiteral("Numero della decisione non valido: scrivere soltanto le cifre (1400).");
        return std::nullopt;
    }
    return m.captured(1).toInt();
}

// Finds the expressions of the synonym groups typed outside quotes, takes them
// out of the text (so they are not searched as plain words) and notes each
// group's forms; `alsoSearched` gets the forms the user did not type.
QList<QList<QStringList>> takeSynonyms(QString& text, QStringList* alsoSearched)
{
    QList<QList<QStringList>> found;
    const QList<Token> tokens = tokenize(text);
    QList<bool> quoted(tokens.size(), false);
    for (qsizetype i = 0, k = 0, quotes = 0; i < text.size() && k < tokens.size(); ++i) {
        if (i == tokens[k].start)
            quoted[k++] = quotes % 2 == 1;
        if (text[i] == QLatin1Char('"'))
            ++quotes;
    }
    for (qsizetype k = 0; k < tokens.size();) {
        bool matched = false;
        for (const SynonymGroup& group : synonymGroups()) {
            for (const SynonymForm& form : group) {
                const qsizetype n = form.words.size();
                bool here = k + n <= tokens.size();
                for (qsizetype j = 0; here && j < n; ++j)
                    here = !quoted[k + j] && tokens[k + j].folded == form.words[j];
                if (!here)
                    continue;
                // A sign just before the expression belongs to it: it stays a plain phrase.
                const qsizetype start = tokens[k].start;
                if (start > 0 && (text[start - 1] == QLatin1Char('-') || text[start - 1] == QLatin1Char('+')))
                    continue;
                QList<QStringList> forms;
                for (const SynonymForm& other : group) {
                    forms << other.words;
                    if (other.words != form.words && !alsoSearched->contains(other.written))
                        *alsoSearched << other.written;
                }
                found << forms;
                const qsizetype end = tokens[k + n - 1].start + tokens[k + n - 1].length;
                text.replace(start, end - start, QString(end - start, QLatin1Char(' ')));
                k += n;
                matched = true;
                break;
            }
            if (matched)
                break;
        }
        if (!matched)
            ++k;
    }
    return found;
}

} // namespace

QString withNote(const QString& hint, const QString& note)
{
    if (hint.isEmpty() || note.isEmpty())
        return hint + note;
    if (hint.endsWith(QLatin1Char('.')))
        return hint + QLatin1Char(' ') + note;
    return hint + (note.front().isUpper() ? QStringLiteral(". ") : QStringLiteral("; ")) + note;
}

PreparedWords prepareWords(const QString& typed)
{
    if (typed.size() > MaxQueryLength) {
        PreparedWords p;
        p.blocking = true;
        p.hint = QStringLiteral("Testo troppo lungo (%1 caratteri): la ricerca ne accetta al massimo %2.")
                     .arg(typed.size())
                     .arg(MaxQueryLength);
        return p;
    }
    bool dropped = false;
    QString text = cleaned(typed, &dropped);
    QStringList alsoSearched;
    const QList<QList<QStringList>> synonyms = takeSynonyms(text, &alsoSearched);
    WordsReader reader(text);
    PreparedWords p = reader.read();
    p.synonyms = synonyms;
    if (!synonyms.isEmpty())
        p.anyPositive = true;
    for (const QList<QStringList>& forms : synonyms)
        for (const QStringList& form : forms)
            if (form.size() == 1)
                p.words << form.first();
            else
                p.phrases << form;
    QStringList notes = reader.notes();
    if (!alsoSearched.isEmpty())
        notes << QStringLiteral("cercato anche: %1").arg(alsoSearched.join(QStringLiteral(", ")));
    if (dropped)
        notes.prepend(QStringLiteral("Caratteri di controllo ignorati."));
    if (!reader.leftOut().isEmpty())
        notes << QStringLiteral("parole comuni non cercate: %1").arg(reader.leftOut().join(QStringLiteral(", ")));
    if (!p.blocking)
        for (const QString& note : std::as_const(notes))
            p.hint = withNote(p.hint, note);
    return p;
}

PreparedQuery prepareQuery(const Query& query)
{
    PreparedQuery q;
    q.court = query.court;
    q.section = query.section.trimmed();
    QString words = query.words;
    QString hint;
    if (!query.years.trimmed().isEmpty() && !(q.years = readYears(query.years, &hint)))
        q.invalid = hint;
    else if (!query.number.trimmed().isEmpty() && !(q.number = readDecisionNumber(query.number, &hint)))
        q.invalid = hint;
    else if (!query.provision.trimmed().isEmpty()
             && (q.provisions = readProvisions(query.provision).provisions).isEmpty())
        q.invalid = QStringLiteral("Norma non letta: scrivere ad esempio art. 1117 c.c., art. 18 L. 300/1970 o L. 47/1985.");
    if (!q.invalid && words.size() <= MaxQueryLength) {
        const ProvisionsRead typed = readProvisions(words);
        for (const Provision& p : typed.provisions)
            if (!q.provisions.contains(p))
                q.provisions << p;
        if (!typed.provisions.isEmpty())
            words = typed.rest;
    }
    if (!q.invalid && words.size() <= MaxQueryLength && (q.typedCitation = readTypedCitation(words))) {
        const TypedCitation& c = *q.typedCitation;
        words = c.words;
        if (q.court.isEmpty())
            q.court = c.court;
        if (q.section.isEmpty())
            q.section = c.section;
        if (!q.years && c.year)
            q.years = YearRange{c.year, c.year};
        if (!q.number && c.number)
            q.number = c.number;
    }
    q.words = prepareWords(words);
    if (!q.invalid && q.words.blocking)
        q.invalid = q.words.hint;
    if (q.invalid)
        return q;
    if (q.typedCitation) {
        const TypedCitation& c = *q.typedCitation;
        QStringList parts{c.court};
        if (!c.section.isEmpty())
            parts << QStringLiteral("sez. ") + c.section;
        if (c.year)
            parts << QString::number(c.year);
        if (c.number)
            parts << QStringLiteral("n. %1").arg(c.number);
        const QString note = QStringLiteral("citazione letta: %1").arg(parts.join(QStringLiteral(", ")));
        q.words.hint = withNote(q.words.hint, note);
    }
    if (!q.provisions.isEmpty()) {
        QStringList written;
        for (const Provision& p : q.provisions)
            written << p.shortForm();
        const QString note = QStringLiteral("norma cercata: %1").arg(written.join(QStringLiteral(", ")));
        q.words.hint = withNote(q.words.hint, note);
    }

    const bool anyField = !q.court.isEmpty() || !q.section.isEmpty() || q.years || q.number || !q.provisions.isEmpty();
    const bool anyWords = !q.words.parserText.trimmed().isEmpty() || !q.words.synonyms.isEmpty();
    if (!anyWords && !anyField)
        q.empty = true;
    else if (anyWords && !q.words.anyPositive && !anyField)
        q.invalid = QStringLiteral("Indicare almeno una parola da cercare, oltre a quelle da escludere.");
    return q;
}

} // namespace search
