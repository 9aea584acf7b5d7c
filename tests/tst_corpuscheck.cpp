// The build-time check of the corpus data: every fault is reported as file:line.

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

} // namespace

class TestCorpusCheck : public QObject {
    Q_OBJECT
private slots:
    void faults_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // the whole first message line; empty for a sound file

        const QByteArray good = soundFile();
        QByteArray tooMany = "== 1 Uno\n";
        for (int i = 0; i < 101; ++i)
            tooMany += "Massima " + QByteArray::number(i) + "\n";
        tooMany += replaced(good, "== 1 Titolo 1\nUna massima con accenti: è à ù.\n", "");

        QTest::newRow("sound") << "enti.txt" << good << "";
        QTest::newRow("sound with CRLF") << "enti.txt" << replaced(good, "\n", "\r\n") << "";
        QTest::newRow("missing topic") << "enti.txt" << replaced(good, "== 5 Titolo 5\n", "")
                                       << "enti.txt:8: topic 5 missing before topic 6";
        QTest::newRow("repeated topic") << "enti.txt" << replaced(good, "== 5 Titolo 5\n", "== 4 Titolo 5\n")
                                        << "enti.txt:8: topic 4 repeated or out of order, expected topic 5";
        QTest::newRow("missing at end") << "enti.txt" << replaced(good, "== 36 Titolo 36\n", "")
                                        << "enti.txt:38: topic 36 missing";
        QTest::newRow("beyond N") << "enti.txt" << good + "== 37 Troppi\n" << "enti.txt:40: topic 37 outside 1..36";
        QTest::newRow("more massime than positions") << "enti.txt" << tooMany
                                                     << "enti.txt:102: topic 1 has more than 100 massime";
        QTest::newRow("control character") << "enti.txt" << replaced(good, "accenti:", "accenti:\t")
                                           << "enti.txt:3: control character U+0009 at column 25";
        QTest::newRow("invalid UTF-8") << "enti.txt" << replaced(good, "è", "\xe8") << "enti.txt:3: invalid UTF-8";
        QTest::newRow("text before the first topic") << "enti.txt" << "testo\n" + good
                                                     << "enti.txt:1: text before the first topic header";
        QTest::newRow("malformed header") << "enti.txt" << replaced(good, "== 3 Titolo", "==3 Titolo")
                                          << "enti.txt:6: malformed topic header, expected \"== <number> <title>\"";
        QTest::newRow("not an archive") << "varie.txt" << good
                                        << "varie.txt:0: not the data file of an archive (the name must be an archive's)";
    }
    void faults()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(fileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        QProcess check;
        check.setWorkingDirectory(dir.path());
        check.start(QStringLiteral(LEXORIA_TOOLS_DIR "/corpuscheck"), {fileName});
        QVERIFY(check.waitForFinished());
        const QStringList messages =
            QString::fromUtf8(check.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (expected.isEmpty()) {
            QCOMPARE(messages, QStringList());
            QCOMPARE(check.exitCode(), 0);
        } else {
            QVERIFY(!messages.isEmpty());
            QCOMPARE(messages.first(), expected);
            QCOMPARE(check.exitCode(), 1);
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
};

QTEST_GUILESS_MAIN(TestCorpusCheck)
#include "tst_corpuscheck.moc"
