#pragma once
// The words of a text as the search sees them: lower case, without accents,
// split at apostrophes and punctuation ("dell'attore" is "dell" and "attore",
// "perche'" and "perché" are both "perche"), acronyms written with full stops
// joined ("T.A.R." is "tar"). The index and the queries read words alike, and
// each word keeps its place in the original text for the highlights.

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <string>

namespace search {

struct Token {
    qsizetype start = 0;  // in the original text
    qsizetype length = 0; // in the original text
    QString folded;
};

// A single word folded: lower case, accents and other combining marks removed.
QString foldWord(QStringView word);

QList<Token> tokenize(QStringView text);

// Whether the character at `i` (a whole code point, surrogate pairs included)
// belongs to a word as tokenize() reads words.
bool isWordCharAt(QStringView text, qsizetype i);

// The folded words of `text` in UTF-8, in order, as tokenize() reads them;
// the index reads its texts this way, without a list of tokens.
void forEachFoldedWord(QStringView text, const std::function<void(const std::string&)>& word);

// The folded words joined by single blanks.
QString foldedText(QStringView text);

// Apostrophes and the quotation marks the user may type for a phrase.
bool isApostrophe(QChar c);
bool isQuote(QChar c);

} // namespace search
