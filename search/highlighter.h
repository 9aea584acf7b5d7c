#pragma once
// The last stage of a search: the matched words of a massima marked for the
// user, in the whole text and in a one-line excerpt, as HTML whose marks take
// their look from styleSheet(). Words are matched as the index reads them
// (folded), similar words by the same stemmer, phrases only where all their
// words stand in a row.

#include "search/textfold.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace search {

// The words of a query as the highlights need them.
class Highlighter {
public:
    Highlighter() = default;
    // Phrases are marked only where all their words stand in a row.
    Highlighter(QStringList words, QStringList prefixes, QList<QStringList> phrases, bool similarWords);
    bool isEmpty() const { return words_.isEmpty() && prefixes_.isEmpty() && phrases_.isEmpty(); }
    // Whether a folded word of a text matches one of the query's words.
    bool matches(const QString& foldedWord) const;
    // The marks' look, for the documents that show the HTML below
    // (QTextDocument::setDefaultStyleSheet).
    static QString styleSheet();
    // The whole text as HTML, matched words marked (spans of the class "trovata").
    QString html(const QString& text) const;
    // One line of text around the first matched word (the text's start without
    // one), at most about `width` characters, as HTML with the words marked;
    // never the demonstration marker that may open the text.
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

} // namespace search
