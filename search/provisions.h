#pragma once
// References to provisions of law as the massime and lawyers write them: an
// article of a code ("art. 1117 c.c.", "art. 905, 1° comma, c.c.", "1117 cc",
// "art. 1117 codice civile", "art. 97 della Costituzione", "art. 97 Cost.") or of
// a law ("art. 18 della legge 20 maggio 1970, n. 300", "art. 18 L. 300/1970"),
// or a law as a whole ("legge 28 febbraio 1985, n. 47", "L. 47/1985"). Each is
// read into one normalised provision, so that every written form finds the
// massime citing it.

#include <QList>
#include <QString>
#include <QStringList>

namespace search {

struct Provision {
    enum class Source { CivilCode, CivilProcedure, PenalCode, Constitution, Law };
    Source source = Source::Law;
    QString article;   // "1117", "2-bis"; empty: the law as a whole
    int paragraph = 0; // "1° comma"; 0 when not written
    int lawYear = 0;   // a law's year and number
    int lawNumber = 0;

    // The keys the index holds for a massima citing it: the provision as
    // written, and the wider ones it belongs to (the article without its
    // paragraph, the law of an article of a law).
    QStringList indexKeys() const;
    // The key a query for it asks for: the narrowest one written.
    QString queryKey() const;
    // "art. 1117 c.c.", "legge n. 47/1985": how the hint shows it.
    QString shortForm() const;
    bool operator==(const Provision&) const = default;
};

struct ProvisionsRead {
    QList<Provision> provisions;
    QString rest;              // the text without them
    QStringList unreadable;    // "art." references that could not be read whole
};

ProvisionsRead readProvisions(const QString& text);

} // namespace search
