#pragma once
// The stems behind "anche parole simili", shared by the index (which groups its
// words by stem) and the queries (whose words the parser stems). For the search's
// own sources only: it brings in Xapian's header.

#include <xapian.h>

#include <QString>

namespace search {

// Snowball's Italian stemmer, which also takes the -ale of an adjective off.
// A stemmer remembers the stems it computed: give each thread its own.
Xapian::Stem italianStem();

// The stem of one folded word, by this thread's own stemmer.
QString stemOf(const QString& folded);

} // namespace search
