// The build-time check of the corpus data: every fault is reported as file:line.

#include "tests/support/faultenv.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A sound data file for `enti` (36 topics, 100 positions): one massima in topic 1.
QByteArray soundFile()
{
    QByteArray text = "# comment\n";
    for (int t = 1; t <= 36; ++t) {
        text += "== " + QByteArray::number(t) + " Titolo " + QByteArray::number(t) + "\n";
        if (t == 1)
            text += "Una massima con accenti: è à ù.\n\n";
    }
    return text;
}

QByteArray replaced(QByteArray text, const QByteArray& from, const QByteArray& to)
{
    return text.replace(from, to);
}

// The sound file with topic 1 holding `count` massime instead of its one.
QByteArray withMassime(int count)
{
    QByteArray massime;
    for (int i = 0; i < count; ++i)
        massime += "Massima " + QByteArray::number(i) + "\n";
    return replaced(soundFile(), "Una massima con accenti: \xc3\xa8 \xc3\xa0 \xc3\xb9.\n", massime);
}

} // namespace

Q_DECLARE_METATYPE(Planted)

class TestCorpusCheck : public QObject {
    Q_OBJECT
private slots:
    void faults_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // the whole first message line; empty for a sound file

        QTest::addColumn<Planted>("kind"); // what stands at the data file's place
        QTest::addColumn<int>("lines"); // how many message lines at most; 0: any number

        const QByteArray good = soundFile();
        QTest::newRow("sound") << "enti.txt" << good << "" << Planted::File << 0;
        QTest::newRow("sound with CRLF") << "enti.txt" << replaced(good, "\n", "\r\n") << "" << Planted::File << 0;
        QTest::newRow("missing topic") << "enti.txt" << replaced(good, "== 5 Titolo 5\n", "")
                                       << "enti.txt:8: topic 5 missing before topic 6" << Planted::File << 0;
        QTest::newRow("repeated topic") << "enti.txt" << replaced(good, "== 5 Titolo 5\n", "== 4 Titolo 5\n")
                                        << "enti.txt:8: topic 4 repeated or out of order, expected topic 5" << Planted::File << 0;
        QTest::newRow("missing at end") << "enti.txt" << replaced(good, "== 36 Titolo 36\n", "")
                                        << "enti.txt:38: topic 36 missing" << Planted::File << 0;
        QTest::newRow("beyond N") << "enti.txt" << good + "== 37 Troppi\n" << "enti.txt:40: topic 37 outside 1..36" << Planted::File << 0;
        // The windows step one position past the last massima: a topic holds fewer than P.
        QTest::newRow("P - 1 massime") << "enti.txt" << withMassime(99) << "" << Planted::File << 0;
        QTest::newRow("P massime") << "enti.txt" << withMassime(100)
                                   << "enti.txt:102: topic 1 has 100 massime or more, at most 99 fit its 100 positions" << Planted::File << 0;
        QTest::newRow("more massime than positions")
            << "enti.txt" << withMassime(101)
            << "enti.txt:102: topic 1 has 100 massime or more, at most 99 fit its 100 positions" << Planted::File << 0;
        QTest::newRow("longest massima") << "enti.txt"
                                         << replaced(good, "Una massima con accenti", QByteArray(20000 - 8, 'a')) << "" << Planted::File << 0;
        QTest::newRow("massima too long") << "enti.txt"
                                          << replaced(good, "Una massima con accenti", QByteArray(20000 - 7, 'a'))
                                          << "enti.txt:3: massima of 20001 characters, longer than 20000" << Planted::File << 0;
        QTest::newRow("FIFO") << "enti.txt" << QByteArray() << "enti.txt:0: not a regular file" << Planted::Fifo << 1;
        QTest::newRow("folder") << "enti.txt" << QByteArray() << "enti.txt:0: not a regular file" << Planted::Folder << 1;
        QByteArray everyLineBad = good;
        for (int i = 0; i < 10000; ++i)
            everyLineBad += "== 0 Zero\n";
        QTest::newRow("a fault on every line") << "enti.txt" << everyLineBad << "enti.txt:40: topic 0 outside 1..36"
                                               << Planted::File << 52;
        QTest::newRow("control character") << "enti.txt" << replaced(good, "accenti:", "accenti:\t")
                                           << "enti.txt:3: control character U+0009 at column 25" << Planted::File << 0;
        QTest::newRow("invalid UTF-8") << "enti.txt" << replaced(good, "è", "\xe8") << "enti.txt:3: invalid UTF-8" << Planted::File << 0;
        QTest::newRow("text before the first topic") << "enti.txt" << "testo\n" + good
                                                     << "enti.txt:1: text before the first topic header" << Planted::File << 0;
        QTest::newRow("malformed header") << "enti.txt" << replaced(good, "== 3 Titolo", "==3 Titolo")
                                          << "enti.txt:6: malformed topic header, expected \"== <number> <title>\"" << Planted::File << 0;
        QTest::newRow("not an archive") << "varie.txt" << good
                                        << "varie.txt:0: not the data file of an archive (the name must be an archive's)" << Planted::File << 0;
    }
    void faults()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QFETCH(Planted, kind);
        QFETCH(int, lines);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(fileName);
        QVERIFY(plant(path, kind, content));

        QProcess check;
        check.setWorkingDirectory(dir.path());
        check.start(QStringLiteral(LEXORIA_TOOLS_DIR "/corpuscheck"), {fileName});
        QVERIFY(check.waitForFinished()); // a FIFO nobody writes to must not hold the check
        const QStringList messages =
            QString::fromUtf8(check.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (expected.isEmpty()) {
            QCOMPARE(messages, QStringList());
            QCOMPARE(check.exitCode(), 0);
        } else {
            QVERIFY(!messages.isEmpty());
            QCOMPARE(messages.first(), expected);
            QCOMPARE(check.exitCode(), 1);
            if (lines > 0)
                QVERIFY2(messages.size() <= lines, qPrintable(QString::number(messages.size())));
        }
    }

    // The build checks the whole data folder: an archive of the table without its
    // file stops it as surely as a faulty file does.
    void everyArchiveNeedsItsFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("enti.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(soundFile());
        file.close();

        QProcess check;
        check.setWorkingDirectory(dir.path());
        check.start(QStringLiteral(LEXORIA_TOOLS_DIR "/corpuscheck"), {QStringLiteral("--all"), QStringLiteral("enti.txt")});
        QVERIFY(check.waitForFinished());
        const QString messages = QString::fromUtf8(check.readAllStandardError());
        QCOMPARE(check.exitCode(), 1);
        QVERIFY2(messages.contains(QLatin1String("edilizia.txt:0: missing: the archive edilizia has no data file")),
                 qPrintable(messages));
        QVERIFY(!messages.contains(QLatin1String("enti.txt:0")));
    }

    // A reference to a provision the search cannot read is a warning: the
    // publisher sees it, the build goes on.
    void unreadableProvisionsAreWarnings()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("enti.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(replaced(soundFile(), "Una massima con accenti",
                            "Secondo l'art. 7 e l'art. 1117 c.c. e la legge 28 febbraio 1985, n. 47, una massima"));
        file.close();
        QProcess check;
        check.setWorkingDirectory(dir.path());
        check.start(QStringLiteral(LEXORIA_TOOLS_DIR "/corpuscheck"), {QStringLiteral("enti.txt")});
        QVERIFY(check.waitForFinished());
        QCOMPARE(check.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(check.readAllStandardError()),
                 QStringLiteral("enti.txt:3: avviso: riferimento normativo non letto: art. 7\n"));
    }
};

QTEST_GUILESS_MAIN(TestCorpusCheck)
#include "tst_corpuscheck.moc"
