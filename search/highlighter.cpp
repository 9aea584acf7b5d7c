#include "search/highlighter.h"

#include "search/italianstem.h"

#include "corpus/archives.h"

namespace search {

QString Highlighter::styleSheet()
{
    return QStringLiteral("span.trovata { background-color: #ffff00; color: #000000; font-weight: bold; }");
}

Highlighter::Highlighter(QStringList words, QStringList prefixes, QList<QStringList> phrases, bool similarWords)
    : words_(std::move(words)), prefixes_(std::move(prefixes)), phrases_(std::move(phrases)), similar_(similarWords)
{
    if (similar_)
        for (const QString& w : words_)
            stems_ << stemOf(w);
}

bool Highlighter::matches(const QString& foldedWord) const
{
    if (words_.contains(foldedWord))
        return true;
    for (const QString& prefix : prefixes_)
        if (foldedWord.startsWith(prefix))
            return true;
    return similar_ && !stems_.isEmpty() && stems_.contains(stemOf(foldedWord));
}

QList<bool> Highlighter::marks(const QList<Token>& tokens) const
{
    QList<bool> marked(tokens.size(), false);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (matches(tokens[i].folded))
            marked[i] = true;
        for (const QStringList& phrase : phrases_) {
            qsizetype n = 0;
            while (n < phrase.size() && i + n < tokens.size() && tokens[i + n].folded == phrase[n])
                ++n;
            if (n == phrase.size())
                for (qsizetype k = 0; k < n; ++k)
                    marked[i + k] = true;
        }
    }
    return marked;
}

QString Highlighter::markedHtml(const QString& text, qsizetype from, qsizetype to) const
{
    QString html;
    qsizetype at = from;
    const QList<Token> tokens = tokenize(QStringView(text).mid(from, to - from));
    const QList<bool> marked = marks(tokens);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!marked[i])
            continue;
        const qsizetype start = from + tokens[i].start;
        html += text.mid(at, start - at).toHtmlEscaped();
        html += QStringLiteral("<span class=\"trovata\">")
              + text.mid(start, tokens[i].length).toHtmlEscaped() + QStringLiteral("</span>");
        at = start + tokens[i].length;
    }
    html += text.mid(at, to - at).toHtmlEscaped();
    return html;
}

QString Highlighter::html(const QString& text) const { return markedHtml(text, 0, text.size()); }

QString Highlighter::snippet(const QString& text, int width) const
{
    // The demonstration marker is no part of what a massima says: excerpts start after it.
    const qsizetype start = text.startsWith(corpus::DemonstrationMarker) ? corpus::DemonstrationMarker.size() : 0;
    qsizetype first = -1;
    if (!isEmpty()) {
        const QList<Token> tokens = tokenize(QStringView(text).mid(start));
        const QList<bool> marked = marks(tokens);
        for (qsizetype i = 0; i < tokens.size() && first < 0; ++i)
            if (marked[i])
                first = start + tokens[i].start;
    }
    // The match near the start of the line.
    qsizetype from = first < 0 ? start : qMax<qsizetype>(start, first - width / 8);
    while (from > start && !text[from - 1].isSpace())
        --from; // start on a word
    qsizetype to = qMin<qsizetype>(text.size(), from + width);
    while (to < text.size() && !text[to].isSpace() && to - from < width + 20)
        ++to; // end on a word
    return (from > start ? QStringLiteral("… ") : QString()) + markedHtml(text, from, to)
         + (to < text.size() ? QStringLiteral(" …") : QString());
}

} // namespace search
