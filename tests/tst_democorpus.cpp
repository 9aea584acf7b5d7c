// The demonstration corpus as the program sees it, and the data files against
// the generator that writes them. The checks of the compiled-in texts are of the
// delivered demonstration corpus: a build of another data folder skips them.

#include "corpus/archives.h"
#include "corpus/archivetables.h"
#include "tests/support/corpusdata.h"

#include <algorithm>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using corpus::ArchiveTables;

namespace {

constexpr int MinLength = 84;
constexpr int MaxLength = 3297;

struct Massima {
    QString where; // "condominio 10/3"
    QString title;
    QString text;
};

// Every massima of the seven archives, from the compiled-in tables.
const QList<Massima>& massime()
{
    static const QList<Massima> all = [] {
        QList<Massima> list;
        for (const corpus::ArchiveInfo& a : corpus::archives()) {
            const ArchiveTables tables = ArchiveTables::Build(a.archive);
            for (int t = 1; t <= tables.topics(); ++t)
                for (int p = 1; p <= tables.TopicCount(t); ++p)
                    list.append({QStringLiteral("%1 %2/%3").arg(a.name).arg(t).arg(p), tables.Title(t),
                                 tables.Massima(t, p)});
        }
        return list;
    }();
    return all;
}

bool allowedCharacter(QChar c)
{
    static const QString extra = QStringLiteral("àèéìòùÈÉ°«»’‘");
    return (c.unicode() >= 0x20 && c.unicode() <= 0x7E) || extra.contains(c);
}

// court[, seat][, sez.X], date[, n.N], optionally " e " and a second date or number.
const QString kCitation = QStringLiteral(
    "[A-Z][A-Za-z.' ]*[a-z](?:, [A-Z][a-z]+)?"
    "(?<section>, sez\\.(?:[IVX]+|[A-Z]))?"
    ", (?<day>[0-9]+) (?<month>[a-z]+) (?<year>[0-9]{4})"
    "(?<number>, n\\.[1-9][0-9]*)?"
    "(?<more> e (?:[1-9][0-9]? [a-z]+ [0-9]{4}(?:, n\\.[1-9][0-9]*)?|n\\.[1-9][0-9]*))?");

const QStringList kMonths = {
    QStringLiteral("gennaio"), QStringLiteral("febbraio"), QStringLiteral("marzo"), QStringLiteral("aprile"),
    QStringLiteral("maggio"), QStringLiteral("giugno"), QStringLiteral("luglio"), QStringLiteral("agosto"),
    QStringLiteral("settembre"), QStringLiteral("ottobre"), QStringLiteral("novembre"), QStringLiteral("dicembre")};

// The irregular endings the collection keeps as they are.
const QList<QRegularExpression>& variantEndings()
{
    static const QList<QRegularExpression> forms = {
        QRegularExpression(QStringLiteral("(?<! -) \\(") + kCitation + QStringLiteral("\\)$")), // no " - "
        QRegularExpression(QStringLiteral(" - \\(") + kCitation + QStringLiteral("\\)\\.$")),   // full stop after
        QRegularExpression(QStringLiteral(" - \\(") + kCitation + QStringLiteral("\\) $")),     // blank after
        QRegularExpression(QStringLiteral(" -\\(") + kCitation + QStringLiteral("\\)$")),       // "-(" joined
        QRegularExpression(QStringLiteral(" - \\(") + kCitation + QStringLiteral("$")),         // never closed
    };
    return forms;
}

// The class of each massima's closing citation.
QString endingClass(const QString& text)
{
    static const QRegularExpression accepted(QStringLiteral(" - \\(") + kCitation + QStringLiteral("\\)$"));
    const QRegularExpressionMatch m = accepted.match(text);
    if (!m.hasMatch()) {
        for (const QRegularExpression& form : variantEndings())
            if (form.match(text).hasMatch())
                return QStringLiteral("variant ending");
        return QStringLiteral("unrecognised");
    }
    const int month = int(kMonths.indexOf(m.captured(u"month"))) + 1;
    const QDate date(m.captured(u"year").toInt(), month, m.captured(u"day").toInt());
    if (!date.isValid() || date.year() < 1950 || date.year() > 2010)
        return QStringLiteral("unrecognised");
    if (m.hasCaptured(u"more"))
        return QStringLiteral("other");
    const bool section = m.hasCaptured(u"section");
    const bool number = m.hasCaptured(u"number");
    if (section && number)
        return QStringLiteral("court, section, date, number");
    if (number)
        return QStringLiteral("court, date, number");
    if (!section)
        return QStringLiteral("court, date");
    return QStringLiteral("other");
}

// Why a check of the compiled-in texts cannot run in this build; empty when it can.
QString notTheDemonstrationCorpus()
{
    if (deliveredData())
        return {};
    return QStringLiteral("the build compiled %1, not the delivered demonstration corpus this check describes")
        .arg(compiledDataFolder());
}

} // namespace

class TestDemoCorpus : public QObject {
    Q_OBJECT

private slots:
    void textsAreMarkedParagraphs()
    {
        if (const QString why = notTheDemonstrationCorpus(); !why.isEmpty())
            QSKIP(qPrintable(why));
        for (const Massima& m : massime()) {
            const QByteArray where = m.where.toUtf8();
            QVERIFY2(m.text.startsWith(corpus::DemonstrationMarker), where);
            QVERIFY2(m.text.size() >= MinLength && m.text.size() <= MaxLength, where);
            // Printable characters only, so no line breaks either.
            const auto bad = std::find_if_not(m.text.cbegin(), m.text.cend(), allowedCharacter);
            QVERIFY2(bad == m.text.cend(),
                     bad == m.text.cend() ? where : where + " has U+" + QByteArray::number(bad->unicode(), 16));
            QVERIFY2(m.text.contains(QStringLiteral("«%1»").arg(m.title)), where + " does not name its topic");
        }
    }

    void lengthsSpanTheTextBox()
    {
        if (const QString why = notTheDemonstrationCorpus(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(!massime().isEmpty());
        int shortest = MaxLength, longest = 0, scrolling = 0;
        qint64 sum = 0;
        for (const Massima& m : massime()) {
            shortest = std::min(shortest, int(m.text.size()));
            longest = std::max(longest, int(m.text.size()));
            scrolling += m.text.size() > 1500;
            sum += m.text.size();
        }
        QCOMPARE(shortest, MinLength);
        QCOMPARE(longest, MaxLength);
        QVERIFY2(scrolling >= 20, QByteArray::number(scrolling));
        const qint64 average = sum / massime().size();
        QVERIFY2(average >= 500 && average <= 700, QByteArray::number(average));
    }

    void citationEndings_data()
    {
        QTest::addColumn<int>("expected");
        QTest::newRow("court, section, date, number") << 871;
        QTest::newRow("court, date, number") << 524;
        QTest::newRow("court, date") << 395;
        QTest::newRow("other") << 246;
        QTest::newRow("variant ending") << 15;
        QTest::newRow("unrecognised") << 0;
    }

    void citationEndings()
    {
        if (const QString why = notTheDemonstrationCorpus(); !why.isEmpty())
            QSKIP(qPrintable(why));
        static const QHash<QString, int> counts = [] {
            QHash<QString, int> c;
            for (const Massima& m : massime())
                ++c[endingClass(m.text)];
            return c;
        }();
        QFETCH(int, expected);
        QCOMPARE(counts.value(QString::fromLatin1(QTest::currentDataTag())), expected);
    }

    void generatorReproducesTheData()
    {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        QProcess gen;
        gen.start(QStringLiteral(LEXORIA_TOOLS_DIR "/gencorpus"), {out.path()});
        QVERIFY2(gen.waitForFinished(-1), qPrintable(gen.errorString()));
        QCOMPARE(gen.exitStatus(), QProcess::NormalExit);
        QCOMPARE(gen.exitCode(), 0);

        QStringList expectedFiles;
        for (const corpus::ArchiveInfo& a : corpus::archives())
            expectedFiles << a.name + QStringLiteral(".txt");
        expectedFiles.sort();
        QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), expectedFiles);

        for (const QString& name : expectedFiles) {
            QFile generated(out.filePath(name));
            QFile committed(QStringLiteral(LEXORIA_SOURCE_DIR "/corpus/data/") + name);
            QVERIFY(generated.open(QIODevice::ReadOnly));
            QVERIFY2(committed.open(QIODevice::ReadOnly), qPrintable(committed.fileName()));
            QVERIFY2(generated.readAll() == committed.readAll(),
                     qPrintable(name + QStringLiteral(" differs from the generator's output; regenerate it")));
        }
    }
};

QTEST_GUILESS_MAIN(TestDemoCorpus)
#include "tst_democorpus.moc"
