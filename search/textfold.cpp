#include "search/textfold.h"

namespace search {

namespace {

// A character that belongs to a word: letters and digits, and the combining
// marks of a decomposed accented letter.
bool isWordChar(char32_t u)
{
    if (u < 0x80)
        return (u >= U'a' && u <= U'z') || (u >= U'A' && u <= U'Z') || (u >= U'0' && u <= U'9');
    return QChar::isLetterOrNumber(u) || QChar::isMark(u);
}

// The code point at `i` and how many UTF-16 units it takes: letters beyond
// the first plane (mathematical letters, say) are words as much as any other.
char32_t codePointAt(QStringView text, qsizetype i, qsizetype* units)
{
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(c, text[i + 1]);
    }
    *units = 1;
    return c.unicode();
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

// Calls word(start, length, letters) for each word of `text`, in order:
// `letters` are the word's own characters, which foldWord() folds. An acronym is
// two or more single letters each followed by a full stop ("T.A.R.", "c.c."):
// `start` and `length` cover it up to its last letter, and its letters are
// joined ("TAR").
template <typename Word>
void scanWords(QStringView text, Word&& word)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    qsizetype units = 1;
    while (i < n) {
        if (!isWordChar(codePointAt(text, i, &units))) {
            i += units;
            continue;
        }
        qsizetype letters = 0;
        while (i + 2 * letters + 1 < n && text[i + 2 * letters].isLetter()
               && text[i + 2 * letters + 1] == QLatin1Char('.'))
            ++letters;
        if (letters >= 2) {
            QString joined;
            for (qsizetype k = 0; k < letters; ++k)
                joined += text[i + 2 * k];
            word(i, 2 * letters - 1, QStringView(joined));
            i += 2 * letters;
            continue;
        }
        const qsizetype start = i;
        while (i < n && isWordChar(codePointAt(text, i, &units)))
            i += units;
        word(start, i - start, text.mid(start, i - start));
    }
}

} // namespace

bool isWordCharAt(QStringView text, qsizetype i)
{
    qsizetype units = 1;
    return i >= 0 && i < text.size() && isWordChar(codePointAt(text, i, &units));
}

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
    scanWords(text, [&](qsizetype start, qsizetype length, QStringView letters) {
        tokens.append({start, length, foldWord(letters)});
    });
    return tokens;
}

void forEachFoldedWord(QStringView text, const std::function<void(const std::string&)>& word)
{
    std::string folded;
    scanWords(text, [&](qsizetype, qsizetype, QStringView letters) {
        if (isAscii(letters)) { // as foldWord() folds it, without a QString in between
            folded.resize(size_t(letters.size()));
            for (qsizetype k = 0; k < letters.size(); ++k)
                folded[size_t(k)] = asciiLower(letters[k]);
        } else {
            folded = foldWord(letters).toStdString();
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
    scanWords(text, [&](qsizetype, qsizetype, QStringView letters) {
        if (!result.isEmpty())
            result += QLatin1Char(' ');
        result += foldWord(letters);
    });
    return result;
}

} // namespace search
