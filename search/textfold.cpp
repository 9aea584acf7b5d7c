#include "textfold.h"

namespace search {

namespace {

// A character that belongs to a word: letters and digits, and the combining
// marks of a decomposed accented letter.
bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
    return c.isLetterOrNumber() || c.isMark();
}

bool isAscii(QStringView word)
{
    for (QChar c : word)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

char asciiLower(QChar c)
{
    const char16_t u = c.unicode();
    return char(u >= u'A' && u <= u'Z' ? u + (u'a' - u'A') : u);
}

// Calls word(start, length, acronym) for each word of `text`, in order. An
// acronym is two or more single letters each followed by a full stop ("T.A.R.",
// "c.c."): `start` and `length` cover it up to its last letter, and its word is
// its letters joined.
template <typename Word>
void scanWords(QStringView text, Word&& word)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (!isWordChar(text[i])) {
            ++i;
            continue;
        }
        qsizetype letters = 0;
        while (i + 2 * letters + 1 < n && text[i + 2 * letters].isLetter()
               && text[i + 2 * letters + 1] == QLatin1Char('.'))
            ++letters;
        if (letters >= 2) {
            word(i, 2 * letters - 1, true);
            i += 2 * letters;
            continue;
        }
        const qsizetype start = i;
        while (i < n && isWordChar(text[i]))
            ++i;
        word(start, i - start, false);
    }
}

// The letters of an acronym's span ("T.A.R" -> "TAR").
QString acronymLetters(QStringView span)
{
    QString letters;
    for (qsizetype k = 0; k < span.size(); k += 2)
        letters += span[k];
    return letters;
}

} // namespace

QString foldWord(QStringView word)
{
    // Most words are plain ASCII: nothing to take apart, only the case to fold.
    if (isAscii(word)) {
        QString folded(word.size(), Qt::Uninitialized);
        for (qsizetype k = 0; k < word.size(); ++k)
            folded[k] = QLatin1Char(asciiLower(word[k]));
        return folded;
    }
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
    QList<Token> tokens;
    scanWords(text, [&](qsizetype start, qsizetype length, bool acronym) {
        const QStringView span = text.mid(start, length);
        tokens.append({start, length, foldWord(acronym ? QStringView(acronymLetters(span)) : span)});
    });
    return tokens;
}

void forEachFoldedWord(QStringView text, const std::function<void(const std::string&)>& word)
{
    std::string folded;
    scanWords(text, [&](qsizetype start, qsizetype length, bool acronym) {
        const QStringView span = text.mid(start, length);
        if (!acronym && isAscii(span)) {
            folded.resize(size_t(length));
            for (qsizetype k = 0; k < length; ++k)
                folded[size_t(k)] = asciiLower(span[k]);
        } else {
            folded = foldWord(acronym ? QStringView(acronymLetters(span)) : span).toStdString();
        }
        word(folded);
    });
}

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

QString foldedText(QStringView text)
{
    QString result;
    scanWords(text, [&](qsizetype start, qsizetype length, bool acronym) {
        if (!result.isEmpty())
            result += QLatin1Char(' ');
        const QStringView span = text.mid(start, length);
        result += foldWord(acronym ? QStringView(acronymLetters(span)) : span);
    });
    return result;
}

} // namespace search
