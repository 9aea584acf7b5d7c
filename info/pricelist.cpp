#include "info/pricelist.h"

#include "shell/textfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

struct Item {
    QString text;
    int line = 0;
    bool startsLine = false; // the first item of its line
    QString defect; // why the item cannot be used, or empty
};

// What went wrong and where, as the window shows it.
class Problems {
public:
    Problems(PriceList& list, const QString& fileName) : list_(list), fileName_(fileName) {}
    void atFile(const QString& what) { list_.addProblem(fileName_ + QStringLiteral(": ") + what); }
    void atLine(int line, const QString& what)
    {
        if (list_.problems.size() >= PriceList::KeptProblems) {
            ++list_.moreProblems; // counted without building its text
            return;
        }
        list_.addProblem(QStringLiteral("%1, riga %2: %3").arg(fileName_).arg(line).arg(what));
    }

private:
    PriceList& list_;
    QString fileName_;
};

QString quoted(const QString& text)
{
    constexpr qsizetype Shown = 24;
    const QString shown = text.size() > Shown ? text.left(Shown) + QStringLiteral("...") : text;
    return QStringLiteral("(\"") + shown + QStringLiteral("\")");
}

bool hasControlCharacters(const QString& text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\t'))
            return true;
    return false;
}

void checkText(Item& item)
{
    if (!item.defect.isEmpty())
        return;
    if (item.text.size() > PriceList::MaxItemLength)
        item.defect = QStringLiteral("voce troppo lunga (oltre %1 caratteri)").arg(PriceList::MaxItemLength);
    else if (hasControlCharacters(item.text))
        item.defect = QStringLiteral("caratteri non validi nel testo");
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// The items of one line. A comma at the end of a line adds no empty item.
void splitLine(const QString& line, int lineNumber, QList<Item>& items)
{
    const qsizetype length = line.size();
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (pos < length && isBlank(line[pos]))
            ++pos;
    };
    skipBlanks();
    if (pos == length)
        return; // a blank line holds no item
    bool first = true;
    for (;;) {
        skipBlanks();
        Item item;
        item.line = lineNumber;
        item.startsLine = first;
        first = false;
        if (pos < length && line[pos] == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0) {
                item.text = line.mid(pos + 1);
                item.defect = QStringLiteral("virgolette non chiuse");
                pos = length;
            } else {
                item.text = line.mid(pos + 1, close - pos - 1);
                pos = close + 1;
                skipBlanks();
                if (pos < length && line[pos] != QLatin1Char(',')) {
                    item.defect = QStringLiteral("testo dopo le virgolette di chiusura");
                    const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
                    pos = comma < 0 ? length : comma;
                }
            }
        } else {
            const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
            const qsizetype end = comma < 0 ? length : comma;
            item.text = line.mid(pos, end - pos).trimmed();
            pos = end;
        }
        checkText(item);
        items.append(item);
        if (pos >= length)
            return;
        ++pos; // the comma
        skipBlanks();
        if (pos >= length)
            return;
    }
}

QList<Item> splitItems(const QString& text)
{
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = normalised.split(QLatin1Char('\n'));
    QList<Item> items;
    for (qsizetype i = 0; i < lines.size(); ++i)
        splitLine(lines[i], int(i + 1), items);
    return items;
}

std::optional<double> parsePrice(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\d{1,9}(\\.\\d{0,6})?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    return ok ? std::optional(value) : std::nullopt;
}

// Index of the first item after `from` that begins a line (items.size() if none).
qsizetype nextLineStart(const QList<Item>& items, qsizetype from)
{
    qsizetype i = from + 1;
    while (i < items.size() && !items[i].startsLine)
        ++i;
    return i;
}

// Where the text read so far holds whole items only: after its last line break,
// else at its last comma outside double quotes; 0 when no item ends in it.
qsizetype lastItemEnd(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] != QLatin1Char('\n') && text[end - 1] != QLatin1Char('\r'))
        --end;
    if (end > 0)
        return end;
    qsizetype lastComma = 0;
    bool itemStart = true;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            quoted = c != QLatin1Char('"');
        } else if (c == QLatin1Char(',')) {
            lastComma = i;
            itemStart = true;
        } else if (itemStart && c == QLatin1Char('"')) {
            quoted = true;
            itemStart = false;
        } else if (!isBlank(c)) {
            itemStart = false;
        }
    }
    return lastComma;
}

} // namespace

QString PriceList::locate(const QString& fileName)
{
    const QStringList folders = {QDir::currentPath(), QCoreApplication::applicationDirPath()};
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder), fileName);
        // Whatever lies there is the price list: a folder or a FIFO in its place is
        // reported as unreadable rather than passed over.
        if (!folder.isEmpty() && candidate.exists())
            return candidate.filePath();
    }
    return {};
}

PriceList PriceList::load()
{
    const QString path = locate();
    if (path.isEmpty()) {
        PriceList list;
        list.addProblem(FileName + QStringLiteral(": file non trovato nella cartella corrente né in quella del programma"));
        return list;
    }
    return read(path);
}

PriceList PriceList::read(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    PriceList list;
    const TextFiles::Head head = TextFiles::readHead(path, MaxFileBytes);
    switch (head.status) {
    case TextFiles::Head::Status::Missing:
        list.addProblem(name + QStringLiteral(": file non trovato"));
        return list;
    case TextFiles::Head::Status::NotAFile:
    case TextFiles::Head::Status::Unreadable:
        list.addProblem(name + QStringLiteral(": impossibile leggere il file (") + head.reason + QStringLiteral(")"));
        return list;
    case TextFiles::Head::Status::Read:
        break;
    }
    if (!head.truncated)
        return parse(head.data, name);

    const QString tooLarge = name + QStringLiteral(": file troppo grande (oltre 1 MB)");
    if (TextFiles::looksBinary(head.data)) {
        list.addProblem(name + QStringLiteral(": non è un file di testo"));
        return list;
    }
    // Only whole items are read: up to the last line break, or in a file of one
    // endless line up to the last comma between items.
    QString text = TextFiles::decode(head.data);
    const qsizetype end = lastItemEnd(text);
    if (end <= 0) {
        list.addProblem(tooLarge + QStringLiteral(": nel primo MB non finisce nessuna voce, nessun programma letto"));
        return list;
    }
    text.truncate(end);
    list = parseText(text, name, true);
    list.prependProblem(tooLarge + QStringLiteral(", letta solo la parte iniziale"));
    return list;
}

PriceList PriceList::parse(const QByteArray& data, const QString& fileName)
{
    if (TextFiles::looksBinary(data)) {
        PriceList list;
        Problems(list, fileName).atFile(QStringLiteral("non è un file di testo"));
        return list;
    }
    return parseText(TextFiles::decode(data), fileName, false);
}

PriceList PriceList::parseText(const QString& text, const QString& fileName, bool truncated)
{
    PriceList list;
    Problems problem(list, fileName);
    const QList<Item> items = splitItems(text);
    if (items.isEmpty()) {
        problem.atFile(QStringLiteral("file vuoto"));
        return list;
    }

    const Item& heading = items[0];
    if (heading.defect.isEmpty())
        list.heading = heading.text;
    else
        problem.atLine(heading.line, QStringLiteral("intestazione: ") + heading.defect);

    if (items.size() < 2) {
        problem.atLine(heading.line, QStringLiteral("manca il numero dei programmi"));
        return list;
    }
    // The declared count; when it is unusable, every record found (up to the maximum) is read.
    const Item& countItem = items[1];
    static const QRegularExpression integer(QStringLiteral("^\\d{1,9}$"));
    std::optional<int> declared;
    const int n = integer.match(countItem.text).hasMatch() ? countItem.text.toInt() : 0;
    if (!countItem.defect.isEmpty())
        problem.atLine(countItem.line, QStringLiteral("numero dei programmi: ") + countItem.defect);
    else if (n >= 1 && n <= MaxRecords)
        declared = n;
    else if (n > MaxRecords)
        problem.atLine(countItem.line, QStringLiteral("il listino dichiara %1 programmi, al massimo %2: mostrati i primi %2")
                                          .arg(n)
                                          .arg(MaxRecords));
    else
        problem.atLine(countItem.line, QStringLiteral("numero dei programmi non valido ") + quoted(countItem.text));
    const int limit = declared.value_or(MaxRecords);

    qsizetype p = 2;
    while (p < items.size() && list.records.size() < limit) {
        const Item& first = items[p];
        if (p + 3 >= items.size()) {
            const auto faulty = std::find_if(items.cbegin() + p, items.cend(),
                                             [](const Item& item) { return !item.defect.isEmpty(); });
            if (faulty != items.cend())
                problem.atLine(faulty->line, faulty->defect);
            else if (!truncated)
                problem.atLine(first.line, QStringLiteral("programma incompleto (attese 4 voci: nome, argomento, "
                                                          "prezzo di listino, prezzo via internet)"));
            p = items.size();
            break;
        }
        // A record may be split over lines (items are separated by commas or line
        // breaks), and several may share a line; but a record followed on its last
        // line by one to three items, too few for another record, has a comma too
        // many or an item too few.
        qsizetype after = 0; // items after the record's fourth on the same line, counted up to 4
        while (after < 4 && p + 4 + after < items.size() && !items[p + 4 + after].startsLine)
            ++after;
        const bool wellShaped = after == 0 || after == 4;
        QString fault;
        int faultLine = first.line;
        // A faulty item is the likeliest cause of any other trouble, so it is named
        // first; in a misshapen record only the items of its first line are its own.
        for (qsizetype j = p; j < p + 4 && fault.isEmpty(); ++j)
            if (!items[j].defect.isEmpty() && (wellShaped || items[j].line == first.line)) {
                fault = items[j].defect;
                faultLine = items[j].line;
            }
        if (fault.isEmpty() && !wellShaped) {
            fault = items[p + 3].line == first.line
                        ? QStringLiteral("più di 4 voci per programma (una virgola di troppo nel testo o nel prezzo?)")
                        : QStringLiteral("mancano voci (attese 4 per programma: nome, argomento, due prezzi)");
        }
        std::optional<double> prices[2];
        for (int j = 0; j < 2 && fault.isEmpty(); ++j) {
            const Item& price = items[p + 2 + j];
            prices[j] = parsePrice(price.text);
            if (!prices[j]) {
                fault = price.text.isEmpty() ? QStringLiteral("prezzo mancante")
                                             : QStringLiteral("prezzo non numerico ") + quoted(price.text);
                faultLine = price.line;
            }
        }
        if (!fault.isEmpty()) {
            problem.atLine(faultLine, fault);
            // A well-shaped record is passed whole; otherwise reading starts again on the next line.
            p = wellShaped ? p + 4 : nextLineStart(items, p);
            continue;
        }
        list.records.append({items[p].text, items[p + 1].text, *prices[0], *prices[1]});
        p += 4;
    }

    if (p < items.size() && declared)
        problem.atLine(items[p].line, QStringLiteral("il listino dichiara %1 programmi: le voci da qui in poi sono ignorate")
                                          .arg(*declared));
    if (declared && list.records.size() < *declared)
        problem.atLine(countItem.line, QStringLiteral("dichiarati %1 programmi, letti %2")
                                           .arg(*declared)
                                           .arg(list.records.size()));
    // A full price list fills the ten rows of the grid; a shorter one is shown as it is.
    if (!list.records.isEmpty() && list.records.size() < MinRecords)
        problem.atFile((list.records.size() == 1 ? QStringLiteral("solo 1 programma nel listino")
                                                 : QStringLiteral("solo %1 programmi nel listino").arg(list.records.size()))
                       + QStringLiteral(" (ne sono previsti almeno %1)").arg(MinRecords));
    return list;
}

void PriceList::addProblem(const QString& problem)
{
    if (problems.size() < KeptProblems)
        problems.append(problem);
    else
        ++moreProblems;
}

void PriceList::prependProblem(const QString& problem)
{
    problems.prepend(problem);
    if (problems.size() > KeptProblems) {
        problems.removeLast();
        ++moreProblems;
    }
}

namespace {

QString moreProblemsText(int more)
{
    return more == 1 ? QStringLiteral("e un altro problema") : QStringLiteral("e altri %1 problemi").arg(more);
}

} // namespace

QString PriceList::problemSummary() const
{
    if (problems.isEmpty())
        return {};
    const int more = problemCount() - 1;
    return more == 0 ? problems.first() : problems.first() + QStringLiteral(" (") + moreProblemsText(more) + QLatin1Char(')');
}

QString PriceList::problemDetails() const
{
    QStringList lines = problems;
    if (moreProblems > 0)
        lines << QStringLiteral("... ") + moreProblemsText(moreProblems);
    return lines.join(QLatin1Char('\n'));
}


QString PriceList::plainNumber(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}
