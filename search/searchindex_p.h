#pragma once
// What the index holds, as the search reads it: Xapian's database and the names
// of its terms and values. For the search's own sources only.

#include <xapian.h>

#include "search/searchindex.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace search {

namespace terms {
// Value slots of every document: the sort keys, the archive, the court as the
// citation names it ("Cassazione civile") and the distinct years of its
// decisions in the order written ("1972 1973"), which the results count.
enum Slot : Xapian::valueno { ArchiveOrderSlot = 0, DateSlot = 1, ArchiveSlot = 2, CourtSlot = 3, YearsSlot = 4 };
// Boolean term prefixes of the citation fields and the archive. Words, which are
// folded to lower case, never begin with a capital.
inline const std::string ArchivePrefix = "XA";
inline const std::string CourtPrefix = "XC";
inline const std::string SectionPrefix = "XS";
inline const std::string YearPrefix = "XY";
inline const std::string NumberPrefix = "XN";
inline const std::string ProvisionPrefix = "XP"; // a cited provision (Provision::indexKeys)
inline const std::string PlacePrefix = "XQ";     // the massima's place, one document each

// The term that names one massima's document: "XQ<archive>/<topic>/<position>".
inline std::string placeTerm(const MassimaRef& ref)
{
    return PlacePrefix + std::to_string(corpus::indexOf(ref.archive)) + '/' + std::to_string(ref.topic) + '/'
         + std::to_string(ref.position);
}
} // namespace terms

struct SearchIndex::Data {
    Xapian::Database db; // document id = the massima's index in the list it was built from + 1
    CitationFields fields;
    bool file = false;

    // Built in memory: the massime and their hits, by document id - 1; the shards
    // the database joins; the indexed words by stem.
    QList<SourceMassima> massime;
    std::vector<Hit> hits;
    std::vector<Xapian::WritableDatabase> shards;
    std::unordered_map<std::string, std::vector<std::string>> wordsByStem;

    // Opened from a file: the massime by their place.
    Finder find;

    // The hit of a document. A record that cannot be read (a damaged file)
    // throws Xapian::DatabaseCorruptError, as Xapian does for its own damage.
    Hit hit(Xapian::docid id) const;
    // The indexed words whose stem is `stem`; none when no word has it.
    std::vector<std::string> wordsWithStem(const std::string& stem) const;
};

} // namespace search
