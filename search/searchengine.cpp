// Xapian's headers use "slots" as a name, which Qt's headers turn into a keyword: Xapian first.
#include <xapian.h>

#include "searchengine.h"

#include "archivetables.h"
#include "italianstem.h"
#include "searchindex_p.h"
#include "textfold.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <mutex>

namespace search {

namespace {

using namespace terms;

constexpr int MaxQueryLength = 300;
constexpr Xapian::termcount MaxWildcardTerms = 200;

std::string utf8(const QString& text) { return text.toStdString(); }

// The words typed, made ready for the query parser: folded as the index is,
// with the operators kept (quotes, a leading - or +, a trailing *, AND OR NOT).
struct PreparedWords {
    QString parserText;
    QStringList words;    // folded words to highlight
    QStringList prefixes; // folded prefixes to highlight
    QList<QStringList> phrases; // folded phrases to highlight
    bool anyPositive = false;
    bool blocking = false;
    QString hint;
};

PreparedWords prepareWords(const QString& typed)
{
    PreparedWords p;
    if (typed.size() > MaxQueryLength) {
        p.blocking = true;
        p.hint = QStringLiteral("Testo troppo lungo (%1 caratteri): la ricerca ne accetta al massimo %2.")
                     .arg(typed.size())
                     .arg(MaxQueryLength);
        return p;
    }
    QString text;
    text.reserve(typed.size());
    bool controls = false;
    for (QChar c : typed) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            text.append(QLatin1Char(' '));
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            controls = true;
        else
            text.append(isQuote(c) ? QChar(u'"') : c);
    }
    QStringList notes;
    if (controls)
        notes << QStringLiteral("Caratteri di controllo ignorati.");

    const QList<Token> tokens = tokenize(text);
    QStringList parts;
    bool inPhrase = false;
    bool openPending = false;
    bool excludedPhrase = false;
    bool minusPending = false;
    bool plusPending = false;
    bool afterNot = false;
    QStringList phrase; // the words of the phrase being read
    QSet<qsizetype> consumedStars;

    // The characters between two words: quotes, signs, stray asterisks.
    auto readGap = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            const QChar c = text[i];
            if (c == QLatin1Char('"')) {
                if (inPhrase) {
                    if (!parts.isEmpty() && !openPending)
                        parts.last() += QLatin1Char('"');
                    if (!excludedPhrase && !phrase.isEmpty())
                        p.phrases << phrase;
                    phrase.clear();
                    inPhrase = openPending = excludedPhrase = false;
                } else {
                    inPhrase = openPending = true;
                    excludedPhrase = minusPending;
                }
            } else if (c == QLatin1Char('*') && !consumedStars.contains(i)) {
                p.blocking = true;
                p.hint = QStringLiteral("L'asterisco va scritto in fondo a una parola, ad esempio condomin*.");
            } else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && !inPhrase
                       && (i == 0 || text[i - 1].isSpace() || text[i - 1] == QLatin1Char('('))
                       && (isWordCharAt(text, i + 1) || (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')))) {
                (c == QLatin1Char('-') ? minusPending : plusPending) = true;
            }
        }
    };

    qsizetype previousEnd = 0;
    for (const Token& t : tokens) {
        readGap(previousEnd, t.start);
        previousEnd = t.start + t.length;
        const QString raw = text.mid(t.start, t.length);
        const bool isOperator = !inPhrase
            && (raw == QLatin1String("AND") || raw == QLatin1String("OR") || raw == QLatin1String("NOT"));
        QString part = isOperator ? raw : t.folded;
        const bool excluded = excludedPhrase || minusPending || afterNot;
        if (!isOperator) {
            if (minusPending && !openPending)
                part.prepend(QLatin1Char('-'));
            else if (plusPending && !openPending)
                part.prepend(QLatin1Char('+'));
        }
        if (openPending) {
            part.prepend(minusPending ? QStringLiteral("-\"") : QStringLiteral("\""));
            openPending = false;
        }
        minusPending = plusPending = false;
        bool prefix = false;
        if (previousEnd < text.size() && text[previousEnd] == QLatin1Char('*')) {
            consumedStars.insert(previousEnd);
            if (isWordCharAt(text, previousEnd + 1)) {
                p.blocking = true;
                p.hint = QStringLiteral("L'asterisco va soltanto in fondo alla parola, ad esempio condomin*.");
            } else if (!inPhrase && !isOperator) {
                if (t.folded.size() < 2) {
                    p.blocking = true;
                    p.hint = QStringLiteral("Scrivere almeno due lettere prima dell'asterisco.");
                }
                part += QLatin1Char('*');
                prefix = true;
            }
        }
        parts << part;
        if (isOperator) {
            afterNot = raw == QLatin1String("NOT");
            continue;
        }
        afterNot = false;
        if (!excluded) {
            p.anyPositive = true;
            if (inPhrase)
                phrase << t.folded;
            else
                (prefix ? p.prefixes : p.words) << t.folded;
        }
    }
    readGap(previousEnd, text.size());
    if (inPhrase) {
        if (!parts.isEmpty() && !openPending)
            parts.last() += QLatin1Char('"');
        if (!excludedPhrase && !phrase.isEmpty())
            p.phrases << phrase;
        notes << QStringLiteral("Virgolette non chiuse: la frase è cercata fino alla fine.");
    }
    p.parserText = parts.join(QLatin1Char(' '));
    if (!p.blocking)
        p.hint = notes.join(QLatin1Char(' '));
    return p;
}

struct YearRange {
    int from = 0;
    int to = 0;
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

} // namespace

// ---------------------------------------------------------------------------

Highlighter::Highlighter(QStringList words, QStringList prefixes, QList<QStringList> phrases, bool similarWords)
    : words_(std::move(words)), prefixes_(std::move(prefixes)), phrases_(std::move(phrases)), similar_(similarWords)
{
    if (similar_)
        for (const QString& w : words_)
            stems_ << stemOf(w);
}

bool Highlighter::matches(const QString& foldedWord) const
{
    if (words_.contains(foldedWord))
        return true;
    for (const QString& prefix : prefixes_)
        if (foldedWord.startsWith(prefix))
            return true;
    return similar_ && !stems_.isEmpty() && stems_.contains(stemOf(foldedWord));
}

QList<bool> Highlighter::marks(const QList<Token>& tokens) const
{
    QList<bool> marked(tokens.size(), false);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (matches(tokens[i].folded))
            marked[i] = true;
        for (const QStringList& phrase : phrases_) {
            qsizetype n = 0;
            while (n < phrase.size() && i + n < tokens.size() && tokens[i + n].folded == phrase[n])
                ++n;
            if (n == phrase.size())
                for (qsizetype k = 0; k < n; ++k)
                    marked[i + k] = true;
        }
    }
    return marked;
}

QString Highlighter::markedHtml(const QString& text, qsizetype from, qsizetype to) const
{
    QString html;
    qsizetype at = from;
    const QList<Token> tokens = tokenize(QStringView(text).mid(from, to - from));
    const QList<bool> marked = marks(tokens);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!marked[i])
            continue;
        const qsizetype start = from + tokens[i].start;
        html += text.mid(at, start - at).toHtmlEscaped();
        html += QStringLiteral("<span style=\"background-color:#ffff00;color:#000000;font-weight:bold\">")
              + text.mid(start, tokens[i].length).toHtmlEscaped() + QStringLiteral("</span>");
        at = start + tokens[i].length;
    }
    html += text.mid(at, to - at).toHtmlEscaped();
    return html;
}

QString Highlighter::html(const QString& text) const { return markedHtml(text, 0, text.size()); }

QString Highlighter::snippet(const QString& text, int width) const
{
    qsizetype first = -1;
    if (!isEmpty()) {
        const QList<Token> tokens = tokenize(text);
        const QList<bool> marked = marks(tokens);
        for (qsizetype i = 0; i < tokens.size() && first < 0; ++i)
            if (marked[i])
                first = tokens[i].start;
    }
    qsizetype from = first < 0 ? 0 : qMax<qsizetype>(0, first - width / 8); // the match near the start of the line
    while (from > 0 && !text[from - 1].isSpace())
        --from; // start on a word
    qsizetype to = qMin<qsizetype>(text.size(), from + width);
    while (to < text.size() && !text[to].isSpace() && to - from < width + 20)
        ++to; // end on a word
    return (from > 0 ? QStringLiteral("… ") : QString()) + markedHtml(text, from, to)
         + (to < text.size() ? QStringLiteral(" …") : QString());
}

// ---------------------------------------------------------------------------

struct SearchEngine::Impl {
    Source source;
    std::optional<IndexFile> file;
    Finder find;
    std::unique_ptr<SearchIndex> index;
    IndexFigures figures;
    std::mutex building;
    std::atomic<bool> built{false};
    bool fileTried = false;

    // Under `building`: opens the file once; true when the index is open.
    bool openFile();
    // Under `building`: the file, else an index built in memory.
    void openOrBuild();
    // The index was found damaged while searching: it is dropped (and built in memory next time).
    void dropDamagedFile();
    // The matches of a sound query, counted per archive; Xapian's exceptions pass through.
    Results run(const Query& query, const PreparedWords& words, const std::optional<YearRange>& years,
                const std::optional<int>& number) const;
    Xapian::Query withSimilarWords(const Xapian::Query& query) const;
    // Nothing when no field is set; otherwise the query every hit must match,
    // which is MatchNothing (an empty query) when a field matches no massima.
    std::optional<Xapian::Query> fieldFilter(const Query& query, const std::optional<YearRange>& years,
                                             const std::optional<int>& number) const;
};

QList<SourceMassima> SearchEngine::corpusMassime()
{
    QList<SourceMassima> massime;
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        const corpus::ArchiveTables tables = corpus::ArchiveTables::Build(a.archive);
        for (int t = 1; t <= tables.topics(); ++t) {
            const QString title = tables.Title(t);
            for (int p = 1; p <= tables.positions(); ++p) {
                const QString text = tables.Massima(t, p);
                if (!text.isEmpty())
                    massime.append({{a.archive, t, p}, title, text});
            }
        }
    }
    return massime;
}

std::optional<SourceMassima> SearchEngine::corpusMassima(const MassimaRef& ref)
{
    const corpus::ArchiveTables tables = corpus::ArchiveTables::Build(ref.archive);
    const QString text = tables.Massima(ref.topic, ref.position);
    if (text.isEmpty())
        return std::nullopt;
    return SourceMassima{ref, tables.Title(ref.topic), text};
}

QString SearchEngine::indexFileName() { return QStringLiteral(LEXORIA_INDEX_FILE); }

IndexFile SearchEngine::programIndexFile()
{
    int massime = 0;
    for (const corpus::ArchiveInfo& a : corpus::archives())
        massime += corpus::ArchiveTables::Build(a.archive).ArchiveTotal();
    return {QDir(QCoreApplication::applicationDirPath()).filePath(indexFileName()),
            corpus::ArchiveTables::Fingerprint(), massime};
}

SearchEngine& SearchEngine::shared()
{
    static SearchEngine engine(&SearchEngine::corpusMassime, programIndexFile(), &SearchEngine::corpusMassima);
    return engine;
}

SearchEngine::SearchEngine(Source source, std::optional<IndexFile> file, Finder find) : d(std::make_unique<Impl>())
{
    d->source = std::move(source);
    d->file = std::move(file);
    d->find = std::move(find);
    if (d->file && !d->find) {
        // The hits' texts from the source's own list, read once when first asked.
        auto byPlace = std::make_shared<std::optional<QHash<QString, SourceMassima>>>();
        d->find = [byPlace, source = d->source](const MassimaRef& ref) -> std::optional<SourceMassima> {
            const auto key = [](const MassimaRef& r) {
                return QStringLiteral("%1/%2/%3").arg(corpus::indexOf(r.archive)).arg(r.topic).arg(r.position);
            };
            if (!*byPlace) {
                byPlace->emplace();
                for (const SourceMassima& m : source())
                    (*byPlace)->insert(key(m.ref), m);
            }
            const auto it = (*byPlace)->constFind(key(ref));
            return it == (*byPlace)->constEnd() ? std::nullopt : std::optional<SourceMassima>(*it);
        };
    }
}

SearchEngine::~SearchEngine() = default;

bool SearchEngine::isBuilt() const { return d->built.load(); }

IndexFigures SearchEngine::figures() const
{
    const std::lock_guard<std::mutex> lock(d->building);
    return d->figures;
}

bool SearchEngine::Impl::openFile()
{
    if (built)
        return true;
    if (!file || fileTried)
        return false;
    fileTried = true;
    QElapsedTimer timer;
    timer.start();
    QString problem;
    index = SearchIndex::open(file->path, *file, find, &problem);
    if (!index) {
        figures.fileProblem = problem;
        return false;
    }
    figures.massime = index->size();
    figures.unreadableCitations = index->fields().unreadable;
    figures.partialCitations = index->fields().partial;
    figures.buildMilliseconds = timer.nsecsElapsed() / 1e6;
    figures.fromFile = true;
    built = true;
    return true;
}

void SearchEngine::Impl::openOrBuild()
{
    if (openFile())
        return;
    QElapsedTimer timer;
    timer.start();
    try {
        index = SearchIndex::build(source());
    } catch (const Xapian::Error&) {
        index.reset(); // an index that cannot be built leaves the engine empty; searching says so
        return;
    }
    figures.massime = index->size();
    figures.unreadableCitations = index->fields().unreadable;
    figures.partialCitations = index->fields().partial;
    figures.buildMilliseconds = timer.nsecsElapsed() / 1e6;
    figures.fromFile = false;
    built = true;
}

void SearchEngine::Impl::dropDamagedFile()
{
    const std::lock_guard<std::mutex> lock(building);
    built = false;
    index.reset();
    figures = IndexFigures{};
    figures.fileProblem = QStringLiteral("l'indice è danneggiato");
}

bool SearchEngine::openIndexFile()
{
    const std::lock_guard<std::mutex> lock(d->building);
    return d->openFile();
}

void SearchEngine::build()
{
    const std::lock_guard<std::mutex> lock(d->building);
    if (!isBuilt())
        d->openOrBuild();
}

// The query parser turns each word it stems into a stem term (prefix Z), which
// no document holds: each becomes the synonym of the indexed words of that
// stem, so ranking weighs them together as one word. Phrases and prefixes are
// never stemmed; the operators the parser makes of the words are rebuilt.
Xapian::Query SearchEngine::Impl::withSimilarWords(const Xapian::Query& query) const
{
    switch (query.get_type()) {
    case Xapian::Query::LEAF_TERM: {
        const std::string term = *query.get_terms_begin();
        if (term.size() < 2 || term[0] != 'Z')
            return query;
        const std::vector<std::string> words = index->data().wordsWithStem(term.substr(1));
        if (words.empty())
            return query; // no word of the index has that stem: the term matches nothing
        return Xapian::Query(Xapian::Query::OP_SYNONYM, words.begin(), words.end());
    }
    case Xapian::Query::OP_AND:
    case Xapian::Query::OP_OR:
    case Xapian::Query::OP_AND_NOT:
    case Xapian::Query::OP_XOR:
    case Xapian::Query::OP_AND_MAYBE:
    case Xapian::Query::OP_FILTER:
    case Xapian::Query::OP_SYNONYM:
    case Xapian::Query::OP_MAX: {
        std::vector<Xapian::Query> parts;
        for (size_t n = 0; n < query.get_num_subqueries(); ++n)
            parts.push_back(withSimilarWords(query.get_subquery(n)));
        return Xapian::Query(query.get_type(), parts.begin(), parts.end());
    }
    default:
        return query;
    }
}

std::optional<Xapian::Query> SearchEngine::Impl::fieldFilter(const Query& query,
                                                             const std::optional<YearRange>& years,
                                                             const std::optional<int>& number) const
{
    std::vector<Xapian::Query> filters;
    if (!query.court.isEmpty())
        filters.emplace_back(CourtPrefix + utf8(foldedText(query.court)));
    if (!query.section.trimmed().isEmpty())
        filters.emplace_back(SectionPrefix + utf8(foldWord(query.section.trimmed())));
    if (years) {
        // Only the years the corpus holds: a range of centuries stays a short list.
        // A range outside them gives an empty OR, which matches nothing.
        std::vector<Xapian::Query> each;
        const CitationFields& f = index->fields();
        for (int y = std::max(years->from, f.firstYear); y <= std::min(years->to, f.lastYear); ++y)
            each.emplace_back(YearPrefix + std::to_string(y));
        filters.emplace_back(Xapian::Query::OP_OR, each.begin(), each.end());
    }
    if (number)
        filters.emplace_back(NumberPrefix + std::to_string(*number));
    if (filters.empty())
        return std::nullopt;
    return Xapian::Query(Xapian::Query::OP_AND, filters.begin(), filters.end());
}

namespace {

Results answer(Results::Status status, const QString& hint)
{
    Results results;
    results.status = status;
    results.hint = hint;
    return results;
}

} // namespace

Results SearchEngine::search(const Query& query)
{
    const PreparedWords words = prepareWords(query.words);
    QString fieldHint;
    std::optional<YearRange> years;
    std::optional<int> number;
    if (!query.years.trimmed().isEmpty() && !(years = readYears(query.years, &fieldHint)))
        return answer(Results::Status::Invalid, fieldHint);
    if (!query.number.trimmed().isEmpty() && !(number = readDecisionNumber(query.number, &fieldHint)))
        return answer(Results::Status::Invalid, fieldHint);
    if (words.blocking)
        return answer(Results::Status::Invalid, words.hint);

    const bool anyField = !query.court.isEmpty() || !query.section.trimmed().isEmpty() || years || number;
    if (words.parserText.trimmed().isEmpty() && !anyField)
        return answer(Results::Status::Empty, words.hint);
    if (!words.anyPositive && !words.parserText.trimmed().isEmpty() && !anyField)
        return answer(Results::Status::Invalid,
                      QStringLiteral("Indicare almeno una parola da cercare, oltre a quelle da escludere."));

    // A file found damaged while searching is dropped and the search made again
    // over the index built in memory: never a result read from a damaged file.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!isBuilt()) {
            if (query.buildIndex) {
                build();
            } else {
                // Opening the file takes a moment; building waits for a worker thread.
                std::unique_lock<std::mutex> lock(d->building, std::try_to_lock);
                if (!lock.owns_lock() || !d->openFile())
                    return answer(Results::Status::NeedsIndex, words.hint);
            }
        }
        if (!isBuilt() || !d->index)
            return answer(Results::Status::Invalid, QStringLiteral("L'indice delle massime non è disponibile."));
        try {
            Results results = d->run(query, words, years, number);
            results.status = Results::Status::Ok;
            results.hint = words.hint;
            results.highlighter = Highlighter(words.words, words.prefixes, words.phrases, query.similarWords);
            return results;
        } catch (const Xapian::QueryParserError&) {
            return answer(Results::Status::Invalid, QStringLiteral("Ricerca non comprensibile: controllare le "
                                                                   "virgolette, i trattini e le parole AND, OR, NOT."));
        } catch (const Xapian::DatabaseError&) {
            if (!d->index->isFile())
                break;
            d->dropDamagedFile();
        } catch (const Xapian::Error&) {
            break;
        }
    }
    return answer(Results::Status::Invalid, QStringLiteral("La ricerca non è riuscita: provare con altre parole."));
}

Results SearchEngine::Impl::run(const Query& query, const PreparedWords& words, const std::optional<YearRange>& years,
                                const std::optional<int>& number) const
{
    const Xapian::Database& db = index->data().db;
    Xapian::Query match = Xapian::Query::MatchAll;
    if (!words.parserText.trimmed().isEmpty()) {
        Xapian::QueryParser parser;
        parser.set_database(db);
        parser.set_stemmer(italianStem());
        parser.set_stemming_strategy(query.similarWords ? Xapian::QueryParser::STEM_SOME
                                                        : Xapian::QueryParser::STEM_NONE);
        parser.set_default_op(Xapian::Query::OP_AND);
        parser.set_max_expansion(MaxWildcardTerms, Xapian::Query::WILDCARD_LIMIT_MOST_FREQUENT,
                                 Xapian::QueryParser::FLAG_WILDCARD);
        const unsigned flags = Xapian::QueryParser::FLAG_PHRASE | Xapian::QueryParser::FLAG_LOVEHATE
                             | Xapian::QueryParser::FLAG_WILDCARD | Xapian::QueryParser::FLAG_BOOLEAN
                             | Xapian::QueryParser::FLAG_PURE_NOT;
        match = parser.parse_query(utf8(words.parserText), flags);
        if (match.empty())
            return {}; // nothing but words the parser drops: no match
        if (query.similarWords)
            match = withSimilarWords(match);
    }
    if (const std::optional<Xapian::Query> fields = fieldFilter(query, years, number))
        match = Xapian::Query(Xapian::Query::OP_FILTER, match, *fields);

    Xapian::Enquire enquire(db);
    switch (query.sort) {
    case SortOrder::Relevance: break;
    case SortOrder::ArchivePosition: enquire.set_sort_by_value(ArchiveOrderSlot, false); break;
    case SortOrder::DateNewestFirst: enquire.set_sort_by_value_then_relevance(DateSlot, true); break;
    }

    // One pass over every match counts the archives; the archive filter narrows a second pass.
    Results results;
    Xapian::ValueCountMatchSpy spy(ArchiveSlot);
    enquire.add_matchspy(&spy);
    enquire.set_query(match);
    const Xapian::doccount all = db.get_doccount();
    const int limit = std::max(0, query.limit);
    Xapian::MSet mset = enquire.get_mset(0, query.archive ? 0 : Xapian::doccount(limit), all);
    for (auto it = spy.values_begin(); it != spy.values_end(); ++it) {
        const int archive = (*it)[0] - '0';
        if (archive >= 0 && archive < corpus::ArchiveCount)
            results.perArchive[size_t(archive)] = int(it.get_termfreq());
    }
    if (query.archive) {
        enquire.clear_matchspies();
        enquire.set_query(Xapian::Query(Xapian::Query::OP_FILTER, match,
                                        Xapian::Query(ArchivePrefix + utf8(corpus::info(*query.archive).name))));
        mset = enquire.get_mset(0, Xapian::doccount(limit), all);
        results.total = results.perArchive[size_t(corpus::indexOf(*query.archive))];
    } else {
        for (int n : results.perArchive)
            results.total += n;
    }
    for (auto it = mset.begin(); it != mset.end(); ++it)
        results.hits.append(index->data().hit(*it));
    return results;
}

QStringList SearchEngine::courts()
{
    build();
    return d->index ? d->index->fields().courts : QStringList();
}

QStringList SearchEngine::sections()
{
    build();
    return d->index ? d->index->fields().sections : QStringList();
}

} // namespace search
