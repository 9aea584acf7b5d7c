#pragma once
// Full-text search over the massime of every archive: the index, written when the
// program is built, is opened at the first search (or built then, in memory, from
// the archive tables or a given list of massime), and answers word queries with
// citation filters, ranked by relevance or sorted.
// The engine behind it (Xapian) stays inside the implementation: nothing here
// exposes its types, and none of its exceptions leaves this interface.

#include "corpus/archives.h"
#include "search/citation.h"
#include "search/highlighter.h"
#include "search/typedcitation.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace search {

// Where a massima lives: the browser window of its archive shows it at this topic and position.
struct MassimaRef {
    corpus::Archive archive = corpus::Archive::edilizia;
    int topic = 0;
    int position = 0;
    bool operator==(const MassimaRef&) const = default;
};

struct SourceMassima {
    MassimaRef ref;
    QString topicTitle;
    QString text;
};

// The text and topic title of a massima, found by its place; nothing when there is none.
using Finder = std::function<std::optional<SourceMassima>(const MassimaRef&)>;

// The order of the window's sort list.
enum class SortOrder { Relevance, ArchivePosition, DateNewestFirst, DateOldestFirst };

struct Query {
    QString words;               // as typed: words, "phrases", prefix*, -excluded, OR / NOT
    bool similarWords = true;    // Italian stemming ("anche parole simili")
    std::optional<corpus::Archive> archive; // nothing: every archive
    QString court;               // as offered by courts(); empty: every court
    QString section;             // "II", "U"...; empty: every section
    QString years;               // "1998", "1990-2000"; empty: every year
    QString number;              // "1400" or "n.1400"; empty: every number
    QString provision;           // "art. 1117 c.c.", "L. 47/1985"; empty: any
    SortOrder sort = SortOrder::Relevance;
    int limit = 500;             // hits returned at most
    // False: a query that needs the index while it can be neither opened at
    // once nor is built yet answers NeedsIndex, so a window can build it
    // without waiting.
    bool buildIndex = true;
};

struct Hit {
    MassimaRef ref;
    QString topicTitle;
    QString text;
    Citation citation;
};

// How many of the matches share one value of a citation field.
struct FieldCount {
    QString label; // as shown: "Cassazione civile", "1990-1999", "1998"
    QString value; // what narrows to it: the court as courts() offers it, the years as Query::years reads them
    int count = 0;
    bool operator==(const FieldCount&) const = default;
};

struct Results {
    enum class Status {
        Ok,      // searched; `hits` may be empty
        Empty,   // nothing to search for: no words and no citation field
        Invalid, // the query cannot be searched; `hint` says why
        NeedsIndex, // a sound query, not searched: the index is not built yet (Query::buildIndex off)
    };
    Status status = Status::Empty;
    QString hint;         // a short Italian note for the user; may come with Ok too
    int total = 0;        // matches within the archive filter
    std::array<int, corpus::ArchiveCount> perArchive{}; // matches per archive, whatever the archive filter
    QList<Hit> hits;      // at most Query::limit, in the order asked
    // The matches within every filter (the archive's too), counted in the same
    // pass: by court, most first (a massima without a court in no line); by
    // decade ("1990-1999"), or by year where the matches' years span ten years
    // or less, oldest first (a massima without a year in no line).
    // Each line counts what choosing it finds: a court that begins others
    // ("Cassazione") counts theirs too, as its filter finds them; a massima
    // counts in every period its decisions fall in; with a years field, only
    // the years within it count, each period kept within it ("1985-1989").
    QList<FieldCount> perCourt;
    QList<FieldCount> perPeriod;
    Highlighter highlighter;
    // The citation read in the words field, which the window shows in its fields.
    std::optional<TypedCitation> typedCitation;
    // Nothing found: for each typed word no massima has, the nearest word of
    // the corpus ("condominale" → "condominiale"), as {typed, suggested}.
    QList<QPair<QString, QString>> spelling;
};

// The index file the build writes beside the program, and the print of the
// corpus the engine searches, which the file must carry to be used.
struct IndexFile {
    QString path;
    QByteArray fingerprint;
    int massime = -1; // how many massime the corpus has; -1: not checked
};

struct IndexFigures {
    int massime = 0;
    int unreadableCitations = 0; // nothing read from the closing citation
    int partialCitations = 0;    // something read, but no court or no year
    double buildMilliseconds = 0; // opening the file, or building in memory
    bool fromFile = false;        // the index was opened from its file
    QString fileProblem;          // why a file given was not used, in a few Italian words
};

// Thread rules: search(), courts() and sections() are called from one thread at
// a time (the search window's); build() may run meanwhile on a worker thread,
// and isBuilt() and figures() may be asked from any thread. While a build runs,
// a search with Query::buildIndex off answers NeedsIndex at once.
class SearchEngine {
public:
    using Source = std::function<QList<SourceMassima>()>;

    // The massime of the seven archives, read through the archive tables.
    static QList<SourceMassima> corpusMassime();
    // One massima of the seven archives by its place, read in place.
    static std::optional<SourceMassima> corpusMassima(const MassimaRef& ref);
    // The index file of the program's corpus beside the program, and that corpus's print.
    static IndexFile programIndexFile();
    // The name of that file.
    static QString indexFileName();
    // The engine over the program's corpus, shared by every window of the process:
    // its index is opened from the file beside the program, or built in memory
    // when that file is missing, damaged or of another corpus.
    static SearchEngine& shared();

    // With `file`, the index is opened from it when it carries the corpus's print,
    // the hits' texts then found by `find` (by default, in the list `source`
    // gives); without, or when the file cannot serve, it is built in memory from
    // `source`, as it is then on every use of that engine.
    explicit SearchEngine(Source source = &SearchEngine::corpusMassime, std::optional<IndexFile> file = std::nullopt,
                          Finder find = {});
    ~SearchEngine();
    SearchEngine(const SearchEngine&) = delete;
    SearchEngine& operator=(const SearchEngine&) = delete;

    // The index is open or built.
    bool isBuilt() const;
    // Opens the index file, when one is given and it serves, unless the index
    // is ready; never builds. True when the index is ready. It reads the whole
    // file once to check it: the program does it on a worker thread at start.
    bool openIndexFile();
    // Opens the index file, or builds the index in memory, unless that is done.
    // May run on a worker thread: the building is shared out over up to four
    // threads of its own, one per processor.
    void build();
    IndexFigures figures() const;

    Results search(const Query& query);
    // The massime closest in substance to `ref`, best first, `ref` itself left
    // out: relevance feedback over the words of its text (never its demonstration
    // marker or its citation). Ok with the hits (total = how many are listed);
    // Invalid with a hint when `ref` is no massima of the index.
    Results similar(const MassimaRef& ref, int limit = 50);

    // The courts found in the citations with the shorter names shared by two or
    // more of them, sorted; the sections found, in order.
    QStringList courts();
    QStringList sections();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace search
