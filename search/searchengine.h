#pragma once
// Full-text search over the massime of every archive: the index is built once,
// on the first search, from the archive tables (or from a given list of massime),
// and answers word queries with citation filters, ranked by relevance or sorted.
// The engine behind it (Xapian) stays inside the implementation: nothing here
// exposes its types, and none of its exceptions leaves this interface.

#include "archives.h"
#include "citation.h"
#include "textfold.h"

#include <QList>
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

enum class SortOrder { Relevance, ArchivePosition, DateNewestFirst };

struct Query {
    QString words;               // as typed: words, "phrases", prefix*, -excluded, OR / NOT
    bool similarWords = true;    // Italian stemming ("anche parole simili")
    std::optional<corpus::Archive> archive; // nothing: every archive
    QString court;               // as offered by courts(); empty: every court
    QString section;             // "II", "U"...; empty: every section
    QString years;               // "1998", "1990-2000"; empty: every year
    QString number;              // "1400" or "n.1400"; empty: every number
    SortOrder sort = SortOrder::Relevance;
    int limit = 500;             // hits returned at most
    // False: a query that needs the index while it is not built yet answers
    // NeedsIndex at once, so a window can build it without waiting.
    bool buildIndex = true;
};

// The words of a query as the highlights need them.
class Highlighter {
public:
    Highlighter() = default;
    // Phrases are marked only where all their words stand in a row.
    Highlighter(QStringList words, QStringList prefixes, QList<QStringList> phrases, bool similarWords);
    bool isEmpty() const { return words_.isEmpty() && prefixes_.isEmpty() && phrases_.isEmpty(); }
    // Whether a folded word of a text matches one of the query's words.
    bool matches(const QString& foldedWord) const;
    // The whole text as HTML, matched words marked.
    QString html(const QString& text) const;
    // One line of text around the first matched word (the text's start without
    // one), at most about `width` characters, as HTML with the words marked.
    QString snippet(const QString& text, int width = 160) const;

private:
    QString markedHtml(const QString& text, qsizetype from, qsizetype to) const;
    // For each word of the text, whether it is marked.
    QList<bool> marks(const QList<Token>& tokens) const;
    QStringList words_;
    QStringList stems_;
    QStringList prefixes_;
    QList<QStringList> phrases_;
    bool similar_ = true;
};

struct Hit {
    MassimaRef ref;
    QString topicTitle;
    QString text;
    Citation citation;
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
    Highlighter highlighter;
};

struct IndexFigures {
    int massime = 0;
    int unreadableCitations = 0; // nothing read from the closing citation
    int partialCitations = 0;    // something read, but no court or no year
    double buildMilliseconds = 0;
};

class SearchEngine {
public:
    using Source = std::function<QList<SourceMassima>()>;
    enum class Storage { Memory, TemporaryFolder };

    // The massime of the seven archives, read through the archive tables.
    static QList<SourceMassima> corpusMassime();
    // The engine over the program's corpus, shared by every window of the process;
    // its index is held in memory, so nothing is left behind when the process ends.
    static SearchEngine& shared();

    explicit SearchEngine(Source source = &SearchEngine::corpusMassime, Storage storage = Storage::Memory);
    ~SearchEngine();
    SearchEngine(const SearchEngine&) = delete;
    SearchEngine& operator=(const SearchEngine&) = delete;

    // Safe to ask from any thread.
    bool isBuilt() const;
    // Builds the index now if it is not built yet; search() does it on first use.
    // May run on a worker thread: other calls wait until it is done. The work is
    // shared out over up to four threads of its own, one per processor.
    void build();
    IndexFigures figures() const;

    Results search(const Query& query);

    // The courts found in the citations with the shorter names shared by two or
    // more of them, sorted; the sections found, in order.
    QStringList courts();
    QStringList sections();


private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace search
