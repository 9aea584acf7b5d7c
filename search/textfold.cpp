#include "textfold.h"

namespace search {

namespace {

// A character that belongs to a word: letters and digits, and the combining
// marks of a decomposed accented letter.
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c.isMark(); }

bool isSingleLetter(const Token& t, QStringView text)
{
    return t.length == 1 && text[t.start].isLetter();
}

} // namespace

bool isApostrophe(QChar c)
{
    switch (c.unicode()) {
    case u'\'': case u'\u2019': case u'\u2018': case u'`': case u'\u00B4': case u'\u02BC':
        return true;
    default:
        return false;
    }
}

bool isQuote(QChar c)
{
    switch (c.unicode()) {
    case u'"': case u'\u201C': case u'\u201D': case u'\u201E': case u'\u00AB': case u'\u00BB':
        return true;
    default:
        return false;
    }
}

QString foldWord(QStringView word)
{
    // Most words are plain ASCII: nothing to take apart, only the case to fold.
    bool ascii = true;
    for (QChar c : word)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return word.toString().toLower();
    const QString decomposed = word.toString().normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (!c.isMark())
            folded.append(c);
    return folded.toCaseFolded();
}

QList<Token> tokenize(QStringView text)
{
    QList<Token> raw;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (!isWordChar(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && isWordChar(text[i]))
            ++i;
        raw.append({start, i - start, {}});
    }

    // Acronyms: two or more single letters each followed by a full stop ("T.A.R.", "c.c.").
    QList<Token> tokens;
    tokens.reserve(raw.size());
    for (qsizetype k = 0; k < raw.size();) {
        qsizetype end = k;
        while (end < raw.size() && isSingleLetter(raw[end], text) && raw[end].start + 1 < n
               && text[raw[end].start + 1] == QLatin1Char('.')
               && (end == k || raw[end].start == raw[end - 1].start + 2))
            ++end;
        if (end - k >= 2) {
            Token joined{raw[k].start, raw[end - 1].start + 1 - raw[k].start, {}};
            for (qsizetype j = k; j < end; ++j)
                joined.folded += foldWord(text.mid(raw[j].start, 1));
            tokens.append(joined);
            k = end;
            continue;
        }
        Token t = raw[k];
        t.folded = foldWord(text.mid(t.start, t.length));
        tokens.append(t);
        ++k;
    }
    return tokens;
}

QString foldedText(QStringView text)
{
    QString result;
    for (const Token& t : tokenize(text)) {
        if (!result.isEmpty())
            result += QLatin1Char(' ');
        result += t.folded;
    }
    return result;
}

} // namespace search
