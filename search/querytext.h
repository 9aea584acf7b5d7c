#pragma once
// The first stage of a search: the query as typed becomes the engine's query.
// The words are folded as the index folds them, with their operators kept for
// the query parser ("phrases", a leading - or +, a trailing *, AND OR NOT); the
// year and number fields are read; what cannot be searched comes back with a
// short Italian hint instead. Plain Qt: no engine types here.

#include "search/provisions.h"
#include "search/searchengine.h"
#include "search/typedcitation.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace search {

// The words typed, made ready for the query parser.
struct PreparedWords {
    QString parserText;          // folded words and operators, as the parser reads them
    QStringList words;           // folded words to highlight
    QStringList prefixes;        // folded prefixes to highlight
    QList<QStringList> phrases;  // folded phrases to highlight
    // Expressions of a synonym group typed outside quotes: each must occur in
    // one of its group's forms (each form a list of folded words, a phrase).
    QList<QList<QStringList>> synonyms;
    bool anyPositive = false;    // some word must (or may) occur, not only excluded ones
    bool blocking = false;       // the words cannot be searched: `hint` says why
    QString hint;                // what the user should know, blocking or not
};

struct YearRange {
    int from = 0;
    int to = 0;
};

// Everything a search needs from the query's text fields.
struct PreparedQuery {
    PreparedWords words;
    QString court;   // the court filter: the field's, else the typed citation's
    QString section; // the section filter, likewise
    std::optional<YearRange> years;
    std::optional<int> number;
    // The provisions every hit must cite: the "Norma" field's and those typed among the words.
    QList<Provision> provisions;
    // A citation typed in the words field: it fills the fields the user left
    // empty, and only the rest of the words is searched as words.
    std::optional<TypedCitation> typedCitation;
    // Set when the query cannot be searched as typed: what to tell the user.
    std::optional<QString> invalid;
    // Nothing to search for: no words and no citation field.
    bool empty = false;
};

PreparedWords prepareWords(const QString& typed);
// A hint with one note more, so that each note reads on its own: after a
// sentence a blank, before one a full stop, between two short notes
// ("cercato anche: ...", "parole comuni non cercate: ...") a semicolon.
QString withNote(const QString& hint, const QString& note);
PreparedQuery prepareQuery(const Query& query);

} // namespace search
