// Writes the corpus data files at full capacity: every topic of every archive
// holds one massima fewer than the archive's positions (the most the data check
// accepts). The massime of the given data folder stay in their places; the rest
// are copies of the archive's own massime in corpus order, each made distinct by
// an ordinal word of its own and another date and decision number in its closing
// citation. The output depends only on the input.
// Usage: fillcorpus DATA_DIR OUTPUT_DIR

#include "corpus/archives.h"
#include "corpus/corpusfile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cstdio>

namespace {

const char* const Months[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                              "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};

// A pronounceable word of three syllables, one per serial number below 70^3.
QString ordinalWord(int serial)
{
    static const QString consonants = QStringLiteral("bcdfglmnprstvz");
    static const QString vowels = QStringLiteral("aeiou");
    QString word;
    for (int base : {70 * 70, 70, 1}) {
        const int syllable = (serial / base) % 70;
        word += consonants.at(syllable / 5);
        word += vowels.at(syllable % 5);
    }
    return word;
}

// The copy numbered `serial` of `text`: the ordinal words open it, and a date
// always valid (day 1..28) and a decision number no shipped massima has close it.
QString distinctCopy(const QString& text, int serial, int archiveIndex, bool* citationChanged)
{
    static const QRegularExpression closing(
        QStringLiteral("(\\d{1,2}) (gennaio|febbraio|marzo|aprile|maggio|giugno|luglio|agosto|settembre|ottobre|"
                       "novembre|dicembre) (\\d{4})(, n\\.\\d+)?\\)\\s*$"));
    QString copy = text;
    const QString opening = QStringLiteral("Massima %1 della serie. ").arg(ordinalWord(serial));
    copy.insert(copy.startsWith(corpus::DemonstrationMarker) ? corpus::DemonstrationMarker.size() : 0, opening);
    const QRegularExpressionMatch m = closing.match(copy);
    *citationChanged = m.hasMatch();
    if (m.hasMatch()) {
        const int day = 1 + serial % 28;
        const char* month = Months[(serial / 28) % 12];
        const int year = 1950 + (serial / 336 + archiveIndex * 7) % 61;
        QString citation = QStringLiteral("%1 %2 %3").arg(day).arg(QLatin1String(month)).arg(year);
        if (m.capturedLength(4) > 0)
            citation += QStringLiteral(", n.%1").arg(100000 + archiveIndex * 10000 + serial);
        copy.replace(m.capturedStart(), m.capturedLength(), citation + QLatin1Char(')'));
    }
    return copy;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fillcorpus DATA_DIR OUTPUT_DIR\n");
        return 2;
    }
    const QDir in(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "%s: cannot be made\n", argv[2]);
        return 1;
    }
    int grand = 0;
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        QFile source(in.filePath(a.name + QStringLiteral(".txt")));
        if (!source.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: cannot be read\n", qPrintable(source.fileName()));
            return 1;
        }
        const corpus::ParsedArchive parsed = corpus::parseArchiveFile(source.readAll(), a.topics, a.positions);
        if (!parsed.faults.empty()) {
            std::fprintf(stderr, "%s:%d: %s\n", qPrintable(source.fileName()), parsed.faults.front().line,
                         qPrintable(parsed.faults.front().message));
            return 1;
        }
        QStringList pool;
        for (int t = 1; t <= a.topics; ++t)
            pool += parsed.massime[size_t(t)];
        if (pool.isEmpty()) {
            std::fprintf(stderr, "%s: no massime to copy\n", qPrintable(source.fileName()));
            return 1;
        }

        QString text = QStringLiteral(
            "# Full-capacity corpus written by bench/fillcorpus: every topic holds one massima fewer than\n"
            "# the archive's positions; the delivered massime keep their places, the others are numbered\n"
            "# copies of this archive's massime. Demonstration texts, not real case law.\n\n");
        int serial = 0, unchangedCitations = 0, total = 0;
        for (int t = 1; t <= a.topics; ++t) {
            text += QStringLiteral("== %1 %2\n").arg(t).arg(parsed.titles[t]);
            const QStringList& own = parsed.massime[size_t(t)];
            for (const QString& m : own)
                text += m + QLatin1Char('\n');
            for (qsizetype p = own.size() + 1; p < a.positions; ++p) {
                bool changed = false;
                text += distinctCopy(pool.at(serial % pool.size()), serial, corpus::indexOf(a.archive), &changed)
                    + QLatin1Char('\n');
                unchangedCitations += changed ? 0 : 1;
                ++serial;
            }
            total += qMax<int>(int(own.size()), a.positions - 1);
            text += QLatin1Char('\n');
        }
        QFile target(out.filePath(a.name + QStringLiteral(".txt")));
        if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate) || target.write(text.toUtf8()) < 0
            || !target.flush()) {
            std::fprintf(stderr, "%s: cannot be written\n", qPrintable(target.fileName()));
            return 1;
        }
        std::printf("%s: %d massime (%d copies, %d of them with their citation's date unchanged)\n", qPrintable(a.name),
                    total, serial, unchangedCitations);
        grand += total;
    }
    std::printf("total: %d massime\n", grand);
    return 0;
}
