#pragma once
// A citation as a brief writes it: the court abbreviated as lawyers abbreviate
// it ("Cass. civ.", "Cons. Stato", "Trib. Milano"), the seat, the section
// ("sez. II", "sez. un.", "sez. lav."), then the decisions with their dates
// written out and their numbers ("n. 11612"), double ones as the citation joins
// them. The abbreviations are those the words field reads (courtAbbreviations()).

#include "search/citation.h"

#include <QString>

namespace search {

// "Cass. civ., sez. II, 3 ottobre 2000, n. 11612"; "T.A.R. Lazio, Roma, sez. I,
// 5 maggio 1995, n. 12". Parts the citation lacks are left out; a citation
// nothing could be read from is given as written.
QString shortCitation(const Citation& c);

// A section as the section list names it: "U" is "Sezioni Unite", "L" is
// "Lavoro", any other as written ("II").
QString sectionName(const QString& section);

} // namespace search
