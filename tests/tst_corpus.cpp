// The compiled-in corpus against the table of expected titles and counts: the
// fixture's for the delivered data folder, else those read from the folder compiled.

#include "corpus/archivetables.h"
#include "corpus/corpusfile.h"
#include "tests/support/corpusdata.h"

#include <QFile>
#include <QTest>

using corpus::Archive;
using corpus::ArchiveTables;

namespace {

struct ExpectedTopic {
    QString archive;
    int topic;
    QString title;
    int count;
};

struct ExpectedArchive {
    QString name;
    int topics, positions, total;
};

struct Expectations {
    QList<ExpectedArchive> archives;
    QList<ExpectedTopic> topics;
};

corpus::ParsedArchive parsedDataFile(const corpus::ArchiveInfo& a)
{
    QFile source(QStringLiteral(LEXORIA_CORPUS_DIR "/%1.txt").arg(a.name));
    if (!source.open(QIODevice::ReadOnly))
        qFatal("%s missing", qPrintable(source.fileName()));
    return corpus::parseArchiveFile(source.readAll(), a.topics, a.positions);
}

// Titles and counts as another data folder's files give them.
Expectations expectationsFromDataFiles()
{
    Expectations x;
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        const corpus::ParsedArchive parsed = parsedDataFile(a);
        int total = 0;
        for (int t = 1; t <= a.topics; ++t) {
            const int count = int(parsed.massime[size_t(t)].size());
            x.topics.append({a.name, t, parsed.titles.value(t), count});
            total += count;
        }
        x.archives.append({a.name, a.topics, a.positions, total});
    }
    return x;
}

const Expectations& expectations()
{
    static const Expectations e = [] {
        if (!deliveredData())
            return expectationsFromDataFiles();
        Expectations x;
        QFile file(QStringLiteral(LEXORIA_SOURCE_DIR "/tests/fixtures/expected-topics.tsv"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("expected-topics.tsv missing");
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1String("# archive")))
                continue;
            if (line.startsWith(QLatin1Char('#'))) {
                const QStringList f = line.mid(2).split(QLatin1Char(' '));
                x.archives.append({f[0], f[1].toInt(), f[2].toInt(), f[3].toInt()});
                continue;
            }
            const QStringList f = line.split(QLatin1Char('\t'));
            x.topics.append({f[0], f[1].toInt(), f[2], f[3].toInt()});
        }
        return x;
    }();
    return e;
}

ArchiveTables tablesOf(const QString& name)
{
    const auto archive = corpus::archiveByName(name);
    if (!archive)
        qFatal("unknown archive %s", qPrintable(name));
    return ArchiveTables::Build(*archive);
}

} // namespace

class TestCorpus : public QObject {
    Q_OBJECT
private slots:
    void everyTitleAndCount_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("count");
        for (const ExpectedTopic& t : expectations().topics)
            QTest::addRow("%s %d", qPrintable(t.archive), t.topic) << t.archive << t.topic << t.title << t.count;
    }
    void everyTitleAndCount()
    {
        QFETCH(QString, archive);
        QFETCH(int, topic);
        QFETCH(QString, title);
        QFETCH(int, count);
        const ArchiveTables tables = tablesOf(archive);
        QCOMPARE(tables.Title(topic), title);
        QCOMPARE(tables.TopicCount(topic), count);
        // The filled positions are exactly 1..count.
        for (int p = 1; p <= tables.positions(); ++p)
            QCOMPARE(tables.Massima(topic, p).isEmpty(), p > count);
    }

    void archiveShapesAndTotals()
    {
        QCOMPARE(expectations().archives.size(), corpus::ArchiveCount);
        QCOMPARE(expectations().topics.size(), 33 + 6 * 36);
        int grand = 0, expectedGrand = 0;
        for (const ExpectedArchive& e : expectations().archives) {
            expectedGrand += e.total;
            const ArchiveTables tables = tablesOf(e.name);
            QCOMPARE(tables.topics(), e.topics);
            QCOMPARE(tables.positions(), e.positions);
            QCOMPARE(tables.ArchiveTotal(), e.total);
            int sum = 0;
            for (int t = 1; t <= tables.topics(); ++t)
                sum += tables.TopicCount(t);
            QCOMPARE(sum, e.total);
            grand += tables.ArchiveTotal();
        }
        QCOMPARE(grand, deliveredData() ? 2051 : expectedGrand);
    }

    void topicListEntries_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("entry");
        QTest::newRow("one digit") << "condominio" << 9 << "   9) Ascensore";
        QTest::newRow("two digits") << "condominio" << 10 << " 10) Assemblea";
        QTest::newRow("first") << "edilizia" << 1 << "   1) Abitazione, uso";
        QTest::newRow("placeholder") << "urbanistica" << 4 << "   4) ...";
        QTest::newRow("last") << "imprese" << 36 << " 36) Varie";
    }
    void topicListEntries()
    {
        QFETCH(QString, archive);
        QFETCH(int, topic);
        QFETCH(QString, entry);
        const ArchiveTables tables = tablesOf(archive);
        QCOMPARE(tables.TopicListEntry(topic), entry);
        const QStringList all = tables.TopicListEntries();
        QCOMPARE(all.size(), tables.topics());
        QCOMPARE(all.at(topic - 1), entry);
    }

    // Placeholder topics and real titles without massime read as empty, and so
    // does every lookup outside the tables.
    void emptyTopicsAndBounds_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("topic");
        QTest::addColumn<int>("position");
        if (deliveredData()) {
            QTest::newRow("placeholder") << "urbanistica" << 4 << 1;
            QTest::newRow("titled, no massime") << "urbanistica" << 12 << 1;
            QTest::newRow("professionisti 36") << "professionisti" << 36 << 1;
            QTest::newRow("imprese 14") << "imprese" << 14 << 1;
            QTest::newRow("position past the count") << "condominio" << 10 << 63;
        } else {
            // Every topic of another folder: its first position past the count, and
            // every empty topic at position 1.
            for (const ExpectedTopic& t : expectations().topics)
                QTest::addRow("%s %d past the count", qPrintable(t.archive), t.topic)
                    << t.archive << t.topic << t.count + 1;
        }
        QTest::newRow("position past P") << "edilizia" << 29 << 151;
        QTest::newRow("topic 0") << "enti" << 0 << 1;
        QTest::newRow("topic past N") << "edilizia" << 34 << 1;
    }
    void emptyTopicsAndBounds()
    {
        QFETCH(QString, archive);
        QFETCH(int, topic);
        QFETCH(int, position);
        const ArchiveTables tables = tablesOf(archive);
        QVERIFY(tables.Massima(topic, position).isEmpty());
        if (position == 1)
            QCOMPARE(tables.TopicCount(topic), 0);
    }

    // Every build, the first and any later one, holds exactly what the data file
    // says: checked against an independent reading of the source file.
    void everyBuildHoldsTheDataFile()
    {
        for (const corpus::ArchiveInfo& a : corpus::archives()) {
            const corpus::ParsedArchive parsed = parsedDataFile(a);
            QVERIFY(parsed.faults.empty());
            for (int build = 1; build <= 2; ++build) {
                const ArchiveTables tables = ArchiveTables::Build(a.archive);
                int total = 0;
                for (int t = 1; t <= a.topics; ++t) {
                    const QStringList& massime = parsed.massime[size_t(t)];
                    QCOMPARE(tables.Title(t), parsed.titles[t]);
                    QCOMPARE(tables.TopicCount(t), int(massime.size()));
                    for (int p = 1; p <= a.positions; ++p)
                        QCOMPARE(tables.Massima(t, p), massime.value(p - 1));
                    total += int(massime.size());
                }
                QCOMPARE(tables.ArchiveTotal(), total);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCorpus)
#include "tst_corpus.moc"
