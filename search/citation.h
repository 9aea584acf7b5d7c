#pragma once
// The closing citation of a massima: "- (Court[, seat][, sez.X], day month year[, n.N])"
// with the irregular endings found in the collection (no dash, no blank after the
// dash, a full stop or a blank after the parenthesis, the parenthesis never closed)
// and the double forms ("n.1777 e n.1787", "19 aprile 1990 e 21 giugno 1990, n.340").
// What can be read is read; a massima whose citation yields no court and no year
// is still found by its words.

#include <QDate>
#include <QList>
#include <QString>

namespace search {

struct Citation {
    enum class Ending { Standard, NoDash, DashNoBlank, FullStop, TrailingBlank, Unclosed, Missing };

    QString text;       // between the parentheses, as written
    Ending ending = Ending::Missing;
    QString court;      // "Cassazione civile", "T.A.R. Sicilia"
    QString seat;       // "Catania"
    QString section;    // "II", "U", "L"
    QList<QDate> dates; // every decision date, in the order written
    QList<int> years;   // the years of those dates
    QList<int> numbers; // every decision number, in the order written

    // Court and at least one year: the fields the filters need.
    bool isParsed() const { return !court.isEmpty() && !years.isEmpty(); }
    // Nothing at all could be read.
    bool isUnreadable() const { return court.isEmpty() && years.isEmpty() && numbers.isEmpty(); }
    // The first decision date, invalid when none was read.
    QDate date() const { return dates.isEmpty() ? QDate() : dates.first(); }
};

Citation parseCitation(const QString& massima);

// One part of a citation's text as read: the elements between commas, each in
// the parts " e " joins ("n.1777 e n.1787", "19 aprile 1990 e 21 giugno 1990").
struct CitationPart {
    enum class Kind { Name, Date, Number, Section, Year };
    Kind kind = Kind::Name;
    QString text;        // as written, blanks simplified: "n.1400", "Catania"
    QDate date;          // a Date
    int number = 0;      // a Number or a Year
    QString section;     // a Section: "II", "U", "L"
    bool joined = false; // joined by " e " to the part before it, in one element
};

// The parts of a citation's text (Citation::text), in the order written.
QList<CitationPart> citationParts(const QString& citationText);

// A decision date as citations write it: "3 ottobre 2000".
QString writtenDate(const QDate& date);

// The massima's own words: its text without the demonstration marker that may
// open it and without its closing citation. A remark in brackets that is no
// citation (nothing read from it) stays.
QString massimaBody(const QString& massima);

// The courts a filter offers for `court`: the court itself and, for a court whose
// name goes on after a first word group ("T.A.R. Sicilia", "Tribunale Milano",
// "Cassazione civile"), the shorter names it begins with ("T.A.R.", "Tribunale",
// "Cassazione"). Choosing a shorter name finds every court it begins.
QStringList courtFamilies(const QString& court);

} // namespace search
