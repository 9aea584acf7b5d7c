#include "corpus/corpusfile.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace corpus {

namespace {

// Any C0 or C1 control character, DEL included; the texts are single paragraphs.
qsizetype firstControlCharacter(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            return i;
    }
    return -1;
}

class Parser {
public:
    Parser(int topics, int positions) : topics_(topics), positions_(positions)
    {
        result_.titles.resize(topics + 1);
        result_.massime.resize(topics + 1);
    }

    void line(int number, QByteArray raw)
    {
        lineNumber_ = number;
        if (raw.endsWith('\r'))
            raw.chop(1); // files edited on Windows
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(raw);
        if (decoder.hasError()) {
            fault(QStringLiteral("invalid UTF-8"));
            return;
        }
        if (const qsizetype at = firstControlCharacter(text); at >= 0) {
            fault(QStringLiteral("control character U+%1 at column %2")
                      .arg(text.at(at).unicode(), 4, 16, QLatin1Char('0'))
                      .arg(at + 1));
            return;
        }
        if (text.trimmed().isEmpty())
            return;
        if (text.startsWith(QLatin1String("==")))
            header(text);
        else if (current_ == 0)
            preamble(text);
        else
            massima(text);
    }

    ParsedArchive finish()
    {
        if (expected_ <= topics_ && !stopped()) {
            fault(expected_ == topics_ ? QStringLiteral("topic %1 missing").arg(expected_)
                                       : QStringLiteral("topics %1..%2 missing").arg(expected_).arg(topics_));
        }
        return std::move(result_);
    }

private:
    void header(const QString& text)
    {
        static const QRegularExpression form(QStringLiteral("^== ([0-9]+)(?: (.*))?$"));
        const QRegularExpressionMatch m = form.match(text);
        if (!m.hasMatch()) {
            fault(QStringLiteral("malformed topic header, expected \"== <number> <title>\""));
            return;
        }
        bool ok = false;
        const int number = m.captured(1).toInt(&ok);
        if (!ok || number < 1 || number > topics_) {
            fault(QStringLiteral("topic %1 outside 1..%2").arg(m.captured(1)).arg(topics_));
            return;
        }
        if (number < expected_) {
            fault(QStringLiteral("topic %1 repeated or out of order, expected topic %2").arg(number).arg(expected_));
            return;
        }
        if (number > expected_) {
            fault(number == expected_ + 1
                      ? QStringLiteral("topic %1 missing before topic %2").arg(expected_).arg(number)
                      : QStringLiteral("topics %1..%2 missing before topic %3").arg(expected_).arg(number - 1).arg(number));
        }
        current_ = number;
        expected_ = number + 1;
        result_.titles[number] = m.captured(2);
    }

    void preamble(const QString& text)
    {
        if (!text.startsWith(QLatin1Char('#')))
            fault(QStringLiteral("text before the first topic header"));
    }

    void massima(const QString& text)
    {
        QStringList& list = result_.massime[current_];
        // The bar's positions run to P and the windows step one past the last
        // massima, so a topic holds at most P - 1.
        if (list.size() >= positions_ - 1) {
            fault(QStringLiteral("topic %1 has %2 massime or more, at most %3 fit its %2 positions")
                      .arg(current_)
                      .arg(positions_)
                      .arg(positions_ - 1));
            return;
        }
        if (text.size() > MaxMassimaLength) {
            fault(QStringLiteral("massima of %1 characters, longer than %2").arg(text.size()).arg(MaxMassimaLength));
            return;
        }
        list.append(text);
    }

    void fault(const QString& message)
    {
        if (stopped())
            return;
        result_.faults.push_back({lineNumber_, message});
        if (stopped())
            result_.faults.push_back({lineNumber_, QStringLiteral("%1 faults, reading stopped here").arg(MaxFaults)});
    }

public:
    bool stopped() const { return result_.faults.size() >= std::size_t(MaxFaults); }

private:

    int topics_;
    int positions_;
    int current_ = 0;   // topic whose massime follow; 0 before the first header
    int expected_ = 1;  // number the next header must carry
    int lineNumber_ = 0;
    ParsedArchive result_;
};

} // namespace

ParsedArchive parseArchiveFile(const QByteArray& bytes, int topics, int positions)
{
    Parser parser(topics, positions);
    int number = 0;
    qsizetype start = 0;
    while (start < bytes.size() && !parser.stopped()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        parser.line(++number, bytes.mid(start, end - start));
        start = end + 1;
    }
    return parser.finish();
}

} // namespace corpus
