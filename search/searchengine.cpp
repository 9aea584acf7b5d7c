// The search itself. A query from the window (ricerca::cerca) comes here in
// search(): prepareQuery (querytext.cpp) reads what was typed; run() turns the
// words into Xapian's query (its parser, with the stemmer of italianstem.cpp,
// then the similar words and the citation fields), asks the index
// (searchindex.cpp) and collects the hits; the window shows them through its
// results model and the highlighter (highlighter.cpp).

#include "search/searchengine.h"

#include "corpus/archivetables.h"
#include "search/italianstem.h"
#include "search/querytext.h"
#include "search/searchindex_p.h"
#include "search/textfold.h"
#include "search/wordlists.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QLocale>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <unordered_set>

namespace search {

namespace {

using namespace terms;

constexpr Xapian::termcount MaxWildcardTerms = 200;
// How many words of a massima its similar massime are searched by: enough for
// its subject, few enough that the stock words of legal prose do not lead.
constexpr Xapian::termcount SimilarityTerms = 20;

std::string utf8(const QString& text) { return text.toStdString(); }

Results answer(Results::Status status, const QString& hint)
{
    Results results;
    results.status = status;
    results.hint = hint;
    return results;
}

// The orders of the sort list. Oldest first, a massima without a date still
// comes after the dated ones, as it does newest first (where its empty value is
// the smallest): its missing date reads as a key above every date of the index.
void sortResults(Xapian::Enquire& enquire, const Xapian::Database& db, SortOrder order,
                 Xapian::MultiValueKeyMaker& oldestFirst)
{
    switch (order) {
    case SortOrder::Relevance: break;
    case SortOrder::ArchivePosition: enquire.set_sort_by_value(ArchiveOrderSlot, false); break;
    case SortOrder::DateNewestFirst: enquire.set_sort_by_value_then_relevance(DateSlot, true); break;
    case SortOrder::DateOldestFirst:
        oldestFirst.add_value(DateSlot, false, db.get_value_upper_bound(DateSlot) + "x");
        enquire.set_sort_by_key_then_relevance(&oldestFirst, false);
        break;
    }
}

// The matches of the pass that yields the hits, counted by the court their
// citation names and by the years of its decisions.
struct FieldSpies {
    Xapian::ValueCountMatchSpy courts{CourtSlot};
    Xapian::ValueCountMatchSpy years{YearsSlot};
    void attach(Xapian::Enquire& enquire)
    {
        enquire.add_matchspy(&courts);
        enquire.add_matchspy(&years);
    }
};

// Each value a spy counted, with how many matches have it.
QList<QPair<QString, int>> spiedValues(const Xapian::ValueCountMatchSpy& spy)
{
    QList<QPair<QString, int>> values;
    for (auto it = spy.values_begin(); it != spy.values_end(); ++it)
        values.append({QString::fromStdString(*it), int(it.get_termfreq())});
    return values;
}

// A line per court the matches' citations name. Choosing a court narrows to
// every court of its family (courtFamilies: "Cassazione" finds "Cassazione
// civile" too), so a court that begins other courts counts their matches as
// well: each line counts what choosing it finds.
QList<FieldCount> courtCounts(const Xapian::ValueCountMatchSpy& spy)
{
    const QList<QPair<QString, int>> courts = spiedValues(spy);
    QHash<QString, int> byFamily; // a court name as the filter reads it -> the matches it finds
    for (const auto& [court, n] : courts) {
        QSet<QString> names;
        for (const QString& name : courtFamilies(court))
            names.insert(foldedText(name));
        for (const QString& name : std::as_const(names))
            byFamily[name] += n;
    }
    QList<FieldCount> lines;
    for (const auto& [court, n] : courts)
        lines.append({court, court, byFamily.value(foldedText(court))});
    QCollator collator{QLocale(QLocale::Italian)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(lines.begin(), lines.end(), [&collator](const FieldCount& a, const FieldCount& b) {
        return a.count != b.count ? a.count > b.count : collator.compare(a.label, b.label) < 0;
    });
    return lines;
}

// A line per decade ("1990-1999"), or per year where the matches' years span
// ten years or less, oldest first. Choosing a line sets the years field, which
// finds a massima by any year of its decisions: a massima whose decisions fall
// in two periods counts in both, and where the query has a years field, only
// the years within it count and each period keeps within it ("1985-1989"), so
// that each line counts what choosing it finds.
QList<FieldCount> periodCounts(const Xapian::ValueCountMatchSpy& spy, const std::optional<YearRange>& within)
{
    QList<QPair<QList<int>, int>> yearSets; // the distinct years of some matches, and how many have them
    int first = 0, last = 0;
    for (const auto& [value, n] : spiedValues(spy)) {
        QList<int> years;
        for (const QString& written : value.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (const int year = written.toInt(); !within || (year >= within->from && year <= within->to))
                years << year;
        for (int year : years) {
            first = first == 0 ? year : std::min(first, year);
            last = std::max(last, year);
        }
        yearSets.append({years, n});
    }
    const bool byYear = last - first <= 9;
    const auto periodOf = [&](int year) {
        YearRange period = byYear ? YearRange{year, year} : YearRange{year - year % 10, year - year % 10 + 9};
        if (within)
            period = {std::max(period.from, within->from), std::min(period.to, within->to)};
        return std::pair(period.from, period.to);
    };
    std::map<std::pair<int, int>, int> counts; // oldest first
    for (const auto& [years, n] : yearSets) {
        std::set<std::pair<int, int>> periods;
        for (int year : years)
            periods.insert(periodOf(year));
        for (const auto& period : periods)
            counts[period] += n;
    }
    QList<FieldCount> lines;
    for (const auto& [period, n] : counts) {
        const auto [from, to] = period;
        const QString label = from == to ? QString::number(from) : QStringLiteral("%1-%2").arg(from).arg(to);
        lines.append({label, label, n});
    }
    return lines;
}

// The words of a massima's own text (massimaBody) but for the small ones: the
// only words its similar massime are searched by.
class OwnWords : public Xapian::ExpandDecider {
public:
    explicit OwnWords(const QString& massima)
    {
        forEachFoldedWord(massimaBody(massima), [this](const std::string& word) {
            if (!isSmallWord(QString::fromStdString(word)))
                words_.insert(word);
        });
    }
    bool operator()(const std::string& term) const override { return words_.count(term) > 0; }

private:
    std::unordered_set<std::string> words_;
};

} // namespace

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
    // `ask` answered by the index, which is built first, unless `buildIndex` is
    // off and it cannot be opened at once (then NeedsIndex with `pendingHint`).
    // A file found damaged while asking is dropped and `ask` asked again of the
    // index built in memory: never an answer read from a damaged file.
    Results askIndex(bool buildIndex, const QString& pendingHint, const std::function<Results()>& ask);
    // The matches of a sound query, counted per archive, court and period; Xapian's exceptions pass through.
    Results run(const Query& query, const PreparedQuery& prepared) const;
    // The massime closest to `ref` by relevance feedback; Xapian's exceptions pass through.
    Results similarTo(const MassimaRef& ref, int limit) const;
    // Nothing found: the nearest spelling of a word no massima has, and which part finds nothing.
    void explainNothingFound(const Query& query, const PreparedQuery& prepared, Results* results) const;
    Xapian::Query withSimilarWords(const Xapian::Query& query) const;
    // Nothing when no field is set; otherwise the query every hit must match,
    // which is MatchNothing (an empty query) when a field matches no massima.
    std::optional<Xapian::Query> fieldFilter(const PreparedQuery& prepared) const;
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

std::optional<Xapian::Query> SearchEngine::Impl::fieldFilter(const PreparedQuery& prepared) const
{
    const std::optional<YearRange>& years = prepared.years;
    const std::optional<int>& number = prepared.number;
    std::vector<Xapian::Query> filters;
    if (!prepared.court.isEmpty())
        filters.emplace_back(CourtPrefix + utf8(foldedText(prepared.court)));
    if (!prepared.section.isEmpty())
        filters.emplace_back(SectionPrefix + utf8(foldWord(prepared.section)));
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
    for (const Provision& p : prepared.provisions)
        filters.emplace_back(ProvisionPrefix + utf8(p.queryKey()));
    if (filters.empty())
        return std::nullopt;
    return Xapian::Query(Xapian::Query::OP_AND, filters.begin(), filters.end());
}

Results SearchEngine::Impl::askIndex(bool buildIndex, const QString& pendingHint, const std::function<Results()>& ask)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!built) {
            if (buildIndex) {
                const std::lock_guard<std::mutex> lock(building);
                if (!built)
                    openOrBuild();
            } else {
                // Opening the file takes a moment; building waits for a worker thread.
                std::unique_lock<std::mutex> lock(building, std::try_to_lock);
                if (!lock.owns_lock() || !openFile())
                    return answer(Results::Status::NeedsIndex, pendingHint);
            }
        }
        if (!built || !index)
            return answer(Results::Status::Invalid, QStringLiteral("L'indice delle massime non è disponibile."));
        try {
            return ask();
        } catch (const Xapian::QueryParserError&) {
            return answer(Results::Status::Invalid, QStringLiteral("Ricerca non comprensibile: controllare le "
                                                                   "virgolette, i trattini e le parole AND, OR, NOT."));
        } catch (const Xapian::DatabaseError&) {
            if (!index->isFile())
                break;
            dropDamagedFile();
        } catch (const Xapian::Error&) {
            break;
        }
    }
    return answer(Results::Status::Invalid, QStringLiteral("La ricerca non è riuscita: provare con altre parole."));
}

Results SearchEngine::search(const Query& query)
{
    const PreparedQuery prepared = prepareQuery(query);
    const PreparedWords& words = prepared.words;
    if (prepared.invalid)
        return answer(Results::Status::Invalid, *prepared.invalid);
    if (prepared.empty)
        return answer(Results::Status::Empty, words.hint);
    return d->askIndex(query.buildIndex, words.hint, [&] {
        Results results = d->run(query, prepared);
        if (results.total == 0)
            d->explainNothingFound(query, prepared, &results);
        results.status = Results::Status::Ok;
        results.hint = withNote(words.hint, results.hint);
        results.typedCitation = prepared.typedCitation;
        results.highlighter = Highlighter(words.words, words.prefixes, words.phrases, query.similarWords);
        return results;
    });
}

Results SearchEngine::similar(const MassimaRef& ref, int limit)
{
    return d->askIndex(true, QString(), [&] { return d->similarTo(ref, limit); });
}

Results SearchEngine::Impl::run(const Query& query, const PreparedQuery& prepared) const
{
    const PreparedWords& words = prepared.words;
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
        if (match.empty() && words.synonyms.isEmpty())
            return {}; // nothing but words the parser drops: no match
        if (query.similarWords)
            match = withSimilarWords(match);
    }
    // Each synonym typed: any form of its group, each form a phrase.
    for (const QList<QStringList>& forms : words.synonyms) {
        std::vector<Xapian::Query> any;
        for (const QStringList& form : forms) {
            std::vector<std::string> terms;
            for (const QString& word : form)
                terms.push_back(utf8(word));
            any.push_back(terms.size() == 1 ? Xapian::Query(terms.front())
                                            : Xapian::Query(Xapian::Query::OP_PHRASE, terms.begin(), terms.end(),
                                                            Xapian::termcount(terms.size())));
        }
        const Xapian::Query group(Xapian::Query::OP_OR, any.begin(), any.end());
        match = match.empty() || words.parserText.trimmed().isEmpty() ? group
                                                                       : Xapian::Query(Xapian::Query::OP_AND, match, group);
    }
    if (const std::optional<Xapian::Query> fields = fieldFilter(prepared))
        match = Xapian::Query(Xapian::Query::OP_FILTER, match, *fields);

    Xapian::Enquire enquire(db);
    Xapian::MultiValueKeyMaker oldestFirst;
    sortResults(enquire, db, query.sort, oldestFirst);

    // One pass over every match counts the archives; the archive filter narrows
    // a second pass. The pass that yields the hits counts courts and periods.
    Results results;
    Xapian::ValueCountMatchSpy archives(ArchiveSlot);
    FieldSpies fields;
    enquire.add_matchspy(&archives);
    if (!query.archive)
        fields.attach(enquire);
    enquire.set_query(match);
    const Xapian::doccount all = db.get_doccount();
    const int limit = std::max(0, query.limit);
    Xapian::MSet mset = enquire.get_mset(0, query.archive ? 0 : Xapian::doccount(limit), all);
    for (auto it = archives.values_begin(); it != archives.values_end(); ++it) {
        const int archive = (*it)[0] - '0';
        if (archive >= 0 && archive < corpus::ArchiveCount)
            results.perArchive[size_t(archive)] = int(it.get_termfreq());
    }
    if (query.archive) {
        enquire.clear_matchspies();
        fields.attach(enquire);
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
    results.perCourt = courtCounts(fields.courts);
    results.perPeriod = periodCounts(fields.years, prepared.years);
    return results;
}

// Relevance feedback: the massima is the one relevant document, and the words
// that best tell it from the rest (only words of its own text, never its
// demonstration marker, its citation or a small word) are searched together.
Results SearchEngine::Impl::similarTo(const MassimaRef& ref, int limit) const
{
    const Xapian::Database& db = index->data().db;
    const std::string place = placeTerm(ref);
    const Xapian::PostingIterator self = db.postlist_begin(place);
    if (self == db.postlist_end(place))
        return answer(Results::Status::Invalid, QStringLiteral("Massima non trovata nell'indice."));

    Xapian::RSet relevant;
    relevant.add_document(*self);
    const OwnWords ownWords(index->data().hit(*self).text);
    Xapian::Enquire enquire(db);
    // Exact term frequencies, so that the index built in memory in parts chooses as the file does.
    const Xapian::ESet expansion = enquire.get_eset(SimilarityTerms, relevant, Xapian::Enquire::USE_EXACT_TERMFREQ,
                                                    &ownWords);
    Results results;
    results.status = Results::Status::Ok;
    if (expansion.empty() || limit <= 0)
        return results;
    // Each word weighs what it tells of the massima: a word of its subject
    // outweighs the stock words of legal prose.
    std::vector<Xapian::Query> weighted;
    QStringList words;
    for (auto it = expansion.begin(); it != expansion.end(); ++it) {
        weighted.emplace_back(Xapian::Query::OP_SCALE_WEIGHT, Xapian::Query(*it), it.get_weight());
        words << QString::fromStdString(*it);
    }
    enquire.set_query(Xapian::Query(Xapian::Query::OP_AND_NOT,
                                    Xapian::Query(Xapian::Query::OP_OR, weighted.begin(), weighted.end()),
                                    Xapian::Query(place)));
    const Xapian::MSet mset = enquire.get_mset(0, Xapian::doccount(limit));
    for (auto it = mset.begin(); it != mset.end(); ++it) {
        results.hits.append(index->data().hit(*it));
        ++results.perArchive[size_t(corpus::indexOf(results.hits.last().ref.archive))];
    }
    results.total = int(results.hits.size());
    results.highlighter = Highlighter(words, {}, {}, false);
    return results;
}

namespace {

// Levenshtein distance, given up past `limit` (then limit + 1).
int editDistance(const QString& a, const QString& b, int limit)
{
    if (std::abs(int(a.size() - b.size())) > limit)
        return limit + 1;
    std::vector<int> row(size_t(b.size()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        int best = row[0];
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[size_t(j)];
            row[size_t(j)] = std::min({above + 1, row[size_t(j - 1)] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
            best = std::min(best, row[size_t(j)]);
        }
        if (best > limit)
            return limit + 1;
    }
    return row.back();
}

// "a", "a e b", "a, b e c".
QString listed(QStringList items)
{
    const QString last = items.takeLast();
    return items.isEmpty() ? last : items.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
}

} // namespace

// Nothing found is never a dead end: a word no massima has gets the nearest word
// of the corpus; when words and fields each find massime but not together, or
// one part finds nothing on its own, the hint says which.
void SearchEngine::Impl::explainNothingFound(const Query& query, const PreparedQuery& prepared,
                                             Results* results) const
{
    const Xapian::Database& db = index->data().db;
    for (const QString& word : prepared.words.words) {
        if (db.term_exists(utf8(word)) || (query.similarWords && !index->data().wordsWithStem(utf8(stemOf(word))).empty()))
            continue;
        const int limit = word.size() <= 4 ? 1 : 2;
        QString nearest;
        int nearestDistance = limit + 1;
        Xapian::doccount nearestFrequency = 0;
        for (auto it = db.allterms_begin(); it != db.allterms_end(); ++it) {
            const std::string term = *it;
            if (term.empty() || (term[0] >= 'A' && term[0] <= 'Z'))
                continue;
            const QString candidate = QString::fromStdString(term);
            const int d = editDistance(word, candidate, nearestDistance);
            if (d < nearestDistance || (d == nearestDistance && d <= limit && it.get_termfreq() > nearestFrequency)) {
                nearest = candidate;
                nearestDistance = d;
                nearestFrequency = it.get_termfreq();
            }
        }
        if (!nearest.isEmpty() && nearestDistance <= limit)
            results->spelling.append({word, nearest});
    }

    // Which part finds nothing on its own: the words, each field.
    const auto count = [&db](const Xapian::Query& q) {
        Xapian::Enquire enquire(db);
        enquire.set_query(q);
        return enquire.get_mset(0, 0, db.get_doccount()).get_matches_estimated();
    };
    QStringList nothing;
    QStringList parts;
    const bool anyWords = !prepared.words.parserText.trimmed().isEmpty() || !prepared.words.synonyms.isEmpty();
    if (anyWords) {
        parts << QStringLiteral("le parole");
        PreparedQuery wordsOnly = prepared;
        wordsOnly.court.clear();
        wordsOnly.section.clear();
        wordsOnly.years.reset();
        wordsOnly.number.reset();
        wordsOnly.provisions.clear();
        Query unfiltered = query;
        unfiltered.archive.reset();
        if (run(unfiltered, wordsOnly).total == 0)
            nothing << QStringLiteral("le parole");
    }
    const auto field = [&](const QString& name, const std::optional<Xapian::Query>& filter) {
        if (!filter)
            return;
        parts << name;
        if (count(*filter) == 0)
            nothing << name;
    };
    const auto only = [&](auto change) {
        PreparedQuery one;
        change(one);
        return fieldFilter(one);
    };
    if (!prepared.court.isEmpty())
        field(QStringLiteral("la corte"), only([&](PreparedQuery& q) { q.court = prepared.court; }));
    if (!prepared.section.isEmpty())
        field(QStringLiteral("la sezione"), only([&](PreparedQuery& q) { q.section = prepared.section; }));
    if (prepared.years)
        field(QStringLiteral("l'anno"), only([&](PreparedQuery& q) { q.years = prepared.years; }));
    if (prepared.number)
        field(QStringLiteral("il numero"), only([&](PreparedQuery& q) { q.number = prepared.number; }));
    if (!prepared.provisions.isEmpty())
        field(QStringLiteral("la norma"), only([&](PreparedQuery& q) { q.provisions = prepared.provisions; }));
    QString note;
    if (parts.size() < 2)
        ; // one part alone: "nothing found" says it all
    else if (!nothing.isEmpty())
        note = QStringLiteral("Nessuna massima per %1.").arg(listed(nothing));
    else
        note = QStringLiteral("%1 trovano massime, ma non insieme.").arg(listed(parts));
    if (!note.isEmpty()) {
        note[0] = note[0].toUpper();
        results->hint = withNote(results->hint, note);
    }
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
