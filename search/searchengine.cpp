// Xapian's headers use "slots" as a name, which Qt's headers turn into a keyword: Xapian first.
#include <xapian.h>

#include "searchengine.h"

#include "archivetables.h"
#include "textfold.h"

#include <QCollator>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <unordered_map>

namespace search {

namespace {

// Value slots of every document.
enum Slot : Xapian::valueno { ArchiveOrderSlot = 0, DateSlot = 1, ArchiveSlot = 2 };

// Boolean term prefixes of the citation fields and the archive.
const std::string ArchivePrefix = "XA";
const std::string CourtPrefix = "XC";
const std::string SectionPrefix = "XS";
const std::string YearPrefix = "XY";
const std::string NumberPrefix = "XN";

constexpr int MaxQueryLength = 300;
constexpr Xapian::termcount MaxWildcardTerms = 200;

std::string utf8(const QString& text) { return text.toStdString(); }

// Snowball's Italian stemmer, which leaves adjectives in -ale apart from their
// noun ("condominiale" stems to "condominial", "condominio" to "condomin"):
// those endings are taken off too, so the derived adjective finds its noun.
//
// The highlights ask for the stem of every word of every listed massima, and
// the texts repeat their words: each stem is computed once per stemmer and then
// remembered. A stemmer serves one thread, so its memory needs no lock.
class ItalianStem final : public Xapian::StemImplementation {
public:
    std::string operator()(const std::string& word) override
    {
        const auto known = remembered_.find(word);
        if (known != remembered_.end())
            return known->second;
        if (remembered_.size() >= MaxRemembered)
            remembered_.clear();
        return remembered_.emplace(word, computeStem(word)).first->second;
    }
    std::string get_description() const override { return "italian+adjectives"; }

private:
    static constexpr size_t MaxRemembered = 200000;

    std::string computeStem(const std::string& word)
    {
        std::string stem = snowball_(word);
        const auto endsWith = [&stem](const char* end) {
            const size_t n = std::char_traits<char>::length(end);
            return stem.size() >= n && stem.compare(stem.size() - n, n, end) == 0;
        };
        if ((endsWith("ial") || endsWith("ual")) && stem.size() >= 7)
            stem.resize(stem.size() - 3);
        else if (endsWith("al") && stem.size() >= 6)
            stem.resize(stem.size() - 2);
        return stem;
    }

    Xapian::Stem snowball_{"italian"};
    std::unordered_map<std::string, std::string> remembered_;
};

Xapian::Stem italianStem() { return Xapian::Stem(new ItalianStem); }

QString stemOf(const QString& folded)
{
    thread_local Xapian::Stem stem = italianStem();
    return QString::fromStdString(stem(utf8(folded)));
}

double archiveOrderKey(const MassimaRef& ref)
{
    return corpus::indexOf(ref.archive) * 1e6 + ref.topic * 1e3 + ref.position;
}

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

int sectionOrder(const QString& section)
{
    static const QStringList romans = {QStringLiteral("I"),   QStringLiteral("II"),  QStringLiteral("III"),
                                       QStringLiteral("IV"),  QStringLiteral("V"),   QStringLiteral("VI"),
                                       QStringLiteral("VII"), QStringLiteral("VIII"), QStringLiteral("IX"),
                                       QStringLiteral("X")};
    const qsizetype roman = romans.indexOf(section);
    if (roman >= 0)
        return int(roman);
    bool numeric = false;
    const int n = section.toInt(&numeric);
    return numeric ? 100 + n : 1000;
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
    Storage storage;
    std::unique_ptr<QTemporaryDir> folder;
    std::vector<Xapian::WritableDatabase> shards;
    Xapian::Database db;        // every shard; document id = index in `documents` + 1
    std::vector<Hit> documents;
    // The indexed words by their stem, which the similar words of a query stand for.
    std::unordered_map<std::string, std::vector<std::string>> wordsByStem;
    QStringList courts;
    QStringList sections;
    int firstYear = 0;
    int lastYear = 0;
    IndexFigures figures;
    std::mutex building;
    std::atomic<bool> built{false};

    void build();
    void listCitationFields();
    void groupWordsByStem();
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

SearchEngine& SearchEngine::shared()
{
    static SearchEngine engine(&SearchEngine::corpusMassime, Storage::Memory);
    return engine;
}

SearchEngine::SearchEngine(Source source, Storage storage) : d(std::make_unique<Impl>())
{
    d->source = std::move(source);
    d->storage = storage;
}

SearchEngine::~SearchEngine() = default;

bool SearchEngine::isBuilt() const { return d->built.load(); }

IndexFigures SearchEngine::figures() const { return d->figures; }

void SearchEngine::build()
{
    const std::lock_guard<std::mutex> lock(d->building);
    if (isBuilt())
        return;
    try {
        d->build();
        d->built = true;
    } catch (const Xapian::Error&) {
        // An index that cannot be built leaves the engine empty; searching says so.
        d->db = Xapian::Database();
        d->shards.clear();
        d->documents.clear();
        d->wordsByStem.clear();
    }
}

namespace {

// Words longer than this are left out, as Xapian's own term generator leaves them.
constexpr size_t MaxWordBytes = 64;
// Between the text and the topic title, so that no phrase runs from one into the other.
constexpr Xapian::termpos TitleGap = 100;
// The index is built in this many parts at most, each on its own thread.
constexpr unsigned MaxShards = 4;

// Adds the folded words of `text` with their positions after `position`; returns the last position.
Xapian::termpos addWords(Xapian::Document& doc, QStringView text, Xapian::termpos position)
{
    forEachFoldedWord(text, [&](const std::string& word) {
        ++position;
        if (word.size() <= MaxWordBytes)
            doc.add_posting(word, position);
    });
    return position;
}

// The document of one massima: its words with their positions, the fields of
// its citation as boolean terms, and the values that sort and count the results.
Xapian::Document documentOf(const Hit& hit)
{
    Xapian::Document doc;
    const Xapian::termpos end = addWords(doc, hit.text, 0);
    addWords(doc, hit.topicTitle, end + TitleGap);

    const Citation& c = hit.citation;
    doc.add_boolean_term(ArchivePrefix + utf8(corpus::info(hit.ref.archive).name));
    if (!c.court.isEmpty())
        for (const QString& name : courtFamilies(c.court))
            doc.add_boolean_term(CourtPrefix + utf8(foldedText(name)));
    if (!c.section.isEmpty())
        doc.add_boolean_term(SectionPrefix + utf8(foldWord(c.section)));
    for (int year : c.years)
        doc.add_boolean_term(YearPrefix + std::to_string(year));
    for (int number : c.numbers)
        doc.add_boolean_term(NumberPrefix + std::to_string(number));

    doc.add_value(ArchiveOrderSlot, Xapian::sortable_serialise(archiveOrderKey(hit.ref)));
    if (c.date().isValid())
        doc.add_value(DateSlot, Xapian::sortable_serialise(c.date().year() * 10000 + c.date().month() * 100
                                                           + c.date().day()));
    doc.add_value(ArchiveSlot, std::string(1, char('0' + corpus::indexOf(hit.ref.archive))));
    return doc;
}

// One shard holds the massime first, first + step, first + 2 * step...: with
// the shards joined in order, Xapian numbers the documents of n shards
// (shard document - 1) * n + shard + 1, which gives massima i the id i + 1.
// Each shard fills its own entries of `hits`.
void indexShard(Xapian::WritableDatabase& shard, const QList<SourceMassima>& massime, std::vector<Hit>& hits,
                size_t first, size_t step)
{
    for (size_t i = first; i < hits.size(); i += step) {
        const SourceMassima& m = massime[qsizetype(i)];
        hits[i] = Hit{m.ref, m.topicTitle, m.text, parseCitation(m.text)};
        shard.add_document(documentOf(hits[i]));
    }
    shard.commit();
}

} // namespace

void SearchEngine::Impl::build()
{
    QElapsedTimer timer;
    timer.start();
    const QList<SourceMassima> massime = source();
    documents.resize(size_t(massime.size()));

    // Reading and indexing the texts is the bulk of the work: the shards share it out.
    const unsigned shardCount = std::clamp(std::thread::hardware_concurrency(), 1u, MaxShards);
    if (storage == Storage::TemporaryFolder)
        folder = std::make_unique<QTemporaryDir>();
    for (unsigned k = 0; k < shardCount; ++k) {
        if (storage == Storage::TemporaryFolder)
            shards.emplace_back(utf8(folder->filePath(QStringLiteral("index-%1").arg(k))),
                                Xapian::DB_CREATE_OR_OVERWRITE | Xapian::DB_BACKEND_GLASS
                                    | Xapian::DB_NO_SYNC); // a scratch index: nothing to keep safe
        else
            shards.emplace_back(std::string(), Xapian::DB_BACKEND_INMEMORY);
    }
    std::vector<std::exception_ptr> failures(shardCount);
    const auto indexOne = [&](unsigned k) {
        try {
            indexShard(shards[k], massime, documents, k, shardCount);
        } catch (...) {
            failures[k] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned k = 1; k < shardCount; ++k)
        helpers.emplace_back(indexOne, k);
    indexOne(0);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);

    for (const Xapian::WritableDatabase& shard : shards)
        db.add_database(shard);
    groupWordsByStem();
    listCitationFields();
    figures.massime = int(documents.size());
    figures.buildMilliseconds = timer.nsecsElapsed() / 1e6;
}

// The courts and sections the filters offer, the years the index holds, and
// how many citations could not be read.
void SearchEngine::Impl::listCitationFields()
{
    std::map<QString, QSet<QString>> familyMembers; // court name -> courts it begins (itself included)
    QSet<QString> sectionSet;
    for (const Hit& hit : documents) {
        const Citation& c = hit.citation;
        if (!c.court.isEmpty())
            for (const QString& name : courtFamilies(c.court))
                familyMembers[name].insert(c.court);
        if (!c.section.isEmpty())
            sectionSet.insert(c.section);
        for (int year : c.years) {
            firstYear = firstYear == 0 ? year : std::min(firstYear, year);
            lastYear = std::max(lastYear, year);
        }
        if (c.isUnreadable())
            ++figures.unreadableCitations;
        else if (!c.isParsed())
            ++figures.partialCitations;
    }

    courts.clear();
    for (const auto& [name, members] : familyMembers)
        if (members.contains(name) || members.size() >= 2)
            courts << name;
    QCollator collator(QLocale(QLocale::Italian));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(courts.begin(), courts.end(), collator);
    sections = QStringList(sectionSet.begin(), sectionSet.end());
    std::sort(sections.begin(), sections.end(), [](const QString& a, const QString& b) {
        return sectionOrder(a) != sectionOrder(b) ? sectionOrder(a) < sectionOrder(b) : a < b;
    });
}

// The index holds each word as written (folded), with its positions; "anche
// parole simili" asks for every indexed word of the same stem. With a few
// thousand distinct words this table is small, and the index is half the size
// it would be with a stemmed term beside every word.
void SearchEngine::Impl::groupWordsByStem()
{
    Xapian::Stem stem = italianStem();
    for (auto it = db.allterms_begin(); it != db.allterms_end(); ++it) {
        const std::string word = *it;
        if (!word.empty() && !(word[0] >= 'A' && word[0] <= 'Z')) // capitals begin the field prefixes
            wordsByStem[stem(word)].push_back(word);
    }
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
        const auto group = wordsByStem.find(term.substr(1));
        if (group == wordsByStem.end())
            return query; // no word of the index has that stem: the term matches nothing
        return Xapian::Query(Xapian::Query::OP_SYNONYM, group->second.begin(), group->second.end());
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
        for (int y = std::max(years->from, firstYear); y <= std::min(years->to, lastYear); ++y)
            each.emplace_back(YearPrefix + std::to_string(y));
        filters.emplace_back(Xapian::Query::OP_OR, each.begin(), each.end());
    }
    if (number)
        filters.emplace_back(NumberPrefix + std::to_string(*number));
    if (filters.empty())
        return std::nullopt;
    return Xapian::Query(Xapian::Query::OP_AND, filters.begin(), filters.end());
}

Results SearchEngine::search(const Query& query)
{
    Results results;
    const PreparedWords words = prepareWords(query.words);
    QString fieldHint;
    std::optional<YearRange> years;
    std::optional<int> number;
    if (!query.years.trimmed().isEmpty() && !(years = readYears(query.years, &fieldHint)))
        return {Results::Status::Invalid, fieldHint, 0, {}, {}, {}};
    if (!query.number.trimmed().isEmpty() && !(number = readDecisionNumber(query.number, &fieldHint)))
        return {Results::Status::Invalid, fieldHint, 0, {}, {}, {}};
    if (words.blocking)
        return {Results::Status::Invalid, words.hint, 0, {}, {}, {}};

    const bool anyField = !query.court.isEmpty() || !query.section.trimmed().isEmpty() || years || number;
    if (words.parserText.trimmed().isEmpty() && !anyField)
        return {Results::Status::Empty, words.hint, 0, {}, {}, {}};
    if (!words.anyPositive && !words.parserText.trimmed().isEmpty() && !anyField)
        return {Results::Status::Invalid,
                QStringLiteral("Indicare almeno una parola da cercare, oltre a quelle da escludere."), 0, {}, {}, {}};

    if (!query.buildIndex && !isBuilt())
        return {Results::Status::NeedsIndex, words.hint, 0, {}, {}, {}};
    build();
    if (!isBuilt())
        return {Results::Status::Invalid, QStringLiteral("L'indice delle massime non è disponibile."), 0, {}, {}, {}};

    try {
        Xapian::Query match = Xapian::Query::MatchAll;
        if (!words.parserText.trimmed().isEmpty()) {
            Xapian::QueryParser parser;
            parser.set_database(d->db);
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
                return {Results::Status::Empty, words.hint, 0, {}, {}, {}};
            if (query.similarWords)
                match = d->withSimilarWords(match);
        }
        if (const std::optional<Xapian::Query> fields = d->fieldFilter(query, years, number))
            match = Xapian::Query(Xapian::Query::OP_FILTER, match, *fields);

        Xapian::Enquire enquire(d->db);
        switch (query.sort) {
        case SortOrder::Relevance: break;
        case SortOrder::ArchivePosition: enquire.set_sort_by_value(ArchiveOrderSlot, false); break;
        case SortOrder::DateNewestFirst: enquire.set_sort_by_value_then_relevance(DateSlot, true); break;
        }

        // One pass over every match counts the archives; the archive filter narrows a second pass.
        Xapian::ValueCountMatchSpy spy(ArchiveSlot);
        enquire.add_matchspy(&spy);
        enquire.set_query(match);
        const Xapian::doccount all = d->db.get_doccount();
        const int limit = std::max(0, query.limit);
        Xapian::MSet mset = enquire.get_mset(0, query.archive ? 0 : Xapian::doccount(limit), all);
        for (auto it = spy.values_begin(); it != spy.values_end(); ++it) {
            const int index = (*it)[0] - '0';
            if (index >= 0 && index < corpus::ArchiveCount)
                results.perArchive[size_t(index)] = int(it.get_termfreq());
        }
        if (query.archive) {
            enquire.clear_matchspies();
            enquire.set_query(Xapian::Query(
                Xapian::Query::OP_FILTER, match,
                Xapian::Query(ArchivePrefix + utf8(corpus::info(*query.archive).name))));
            mset = enquire.get_mset(0, Xapian::doccount(limit), all);
            results.total = results.perArchive[size_t(corpus::indexOf(*query.archive))];
        } else {
            for (int n : results.perArchive)
                results.total += n;
        }
        for (auto it = mset.begin(); it != mset.end(); ++it)
            results.hits.append(d->documents[size_t(*it - 1)]);
    } catch (const Xapian::QueryParserError&) {
        return {Results::Status::Invalid,
                QStringLiteral("Ricerca non comprensibile: controllare le virgolette, i trattini e le parole AND, OR, NOT."),
                0, {}, {}, {}};
    } catch (const Xapian::Error&) {
        return {Results::Status::Invalid, QStringLiteral("La ricerca non è riuscita: provare con altre parole."), 0, {},
                {}, {}};
    }
    results.status = Results::Status::Ok;
    results.hint = words.hint;
    results.highlighter = Highlighter(words.words, words.prefixes, words.phrases, query.similarWords);
    return results;
}

QStringList SearchEngine::courts()
{
    build();
    return d->courts;
}

QStringList SearchEngine::sections()
{
    build();
    return d->sections;
}

} // namespace search
