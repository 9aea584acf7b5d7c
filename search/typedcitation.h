#pragma once
// A citation as lawyers type or paste it in the words field: "Cass. civ., sez.
// II, 3 ottobre 2000, n. 11612", "Cass. 11612/2000", "Cass. S.U. 1998 n. 1400",
// "Cons. Stato, sez. V, 12/3/1998, n. 300", "T.A.R. Lazio 1995", with or without
// blanks after the dots, with the usual abbreviations of every court the corpus
// names. It is read into the citation fields (court as the filters offer it,
// section, year, number); what is not part of it stays words.

#include <QList>
#include <QString>

#include <optional>

namespace search {

struct TypedCitation {
    QString court;   // as the court filter offers it: "Cassazione civile", "T.A.R. Lazio"
    QString section; // "II", "U", "L"; empty when not written
    int year = 0;    // 0 when not written
    int number = 0;  // 0 when not written
    QString words;   // the rest of what was typed, searched as words
};

// Nothing when the text holds no court followed by a year or a number.
std::optional<TypedCitation> readTypedCitation(const QString& typed);

// How a court is abbreviated, read when typed and written in a short citation.
struct CourtAbbreviation {
    QString court;        // as the citations name it, without its place: "Cassazione civile", "Tribunale"
    QString abbreviation; // as a brief writes it: "Cass. civ.", "Trib."
    QString typed;        // what lawyers type, as a pattern; its group, where it has one, is the place
};

// Every court form the corpus names, in the order a typed text is tried
// against them: a longer form before the shorter one it begins with.
const QList<CourtAbbreviation>& courtAbbreviations();

} // namespace search
