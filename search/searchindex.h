#pragma once
// The search index of a list of massime: each massima's folded words with their
// positions (its text, then its topic title), the fields of its closing citation
// as boolean terms, the values that sort and count the results, its words grouped
// by stem for "anche parole simili", and the courts, sections and years the
// filters offer.
//
// It is built in memory (the massime shared out over up to four threads), or
// written once, when the program is built, to a single compacted file that the
// program opens read-only in place. A file carries the print of the corpus it was
// built from and serves only that corpus.
//
// Xapian stays behind this interface: searchindex_p.h, which exposes it, is for
// the search's own sources.

#include "search/searchengine.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace search {

struct CitationFields {
    QStringList courts;   // the courts, with the shorter names two or more share, sorted
    QStringList sections; // in order: I, II, ... then the rest
    int firstYear = 0;    // the years the citations name (0: none)
    int lastYear = 0;
    int unreadable = 0;   // citations nothing could be read from
    int partial = 0;      // something read, but no court or no year
};

class SearchIndex {
public:
    struct Data;

    // The index of `massime`, in memory. Throws Xapian's exceptions, which the
    // engine catches.
    static std::unique_ptr<SearchIndex> build(QList<SourceMassima> massime);
    // The index file at `path`, opened read-only, when it is a whole, undamaged
    // index file of this program's format carrying the expected print (and
    // count of massime, where given); otherwise nothing, and `problem` says why
    // in a few Italian words. The whole file is read once to check it. Texts and
    // titles of the hits come from `find`: the file holds only their places.
    static std::unique_ptr<SearchIndex> open(const QString& path, const IndexFile& expected, Finder find,
                                             QString* problem);
    // Writes the index of `massime` to `path` as one compacted file carrying
    // `fingerprint`, replacing any file there only once the new one is whole.
    // False, and `problem` says why, when it cannot.
    static bool write(const QList<SourceMassima>& massime, const QByteArray& fingerprint, const QString& path,
                      QString* problem);

    ~SearchIndex();
    SearchIndex(const SearchIndex&) = delete;
    SearchIndex& operator=(const SearchIndex&) = delete;

    bool isFile() const;
    int size() const;
    const CitationFields& fields() const;
    const Data& data() const { return *d; }

private:
    SearchIndex();
    std::unique_ptr<Data> d;
};

} // namespace search
