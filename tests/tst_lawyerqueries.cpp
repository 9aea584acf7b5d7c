// Queries as lawyers write them, each against the massime it must find, worked
// out from the data files by tests/fixtures/lawyer_queries.py with plain rules
// of its own. Every expected massima must be found; a citation or a provision
// finds nothing else, and a word query only where its row allows it. The last
// lines of the output are the whole table, ready to paste in a note. The rows
// are of the delivered corpus: a build of another data folder skips them.

#include "corpus/archivetables.h"
#include "search/searchengine.h"
#include "tests/support/corpusdata.h"

#include <QFile>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace {

struct Row {
    QString name;
    QString kind; // words, phrase, similar, synonym, citation, provision
    QString query;
    bool similar = true;
    bool extraAllowed = false;
    QStringList expected;
    QString rule;
};

const QString FixturePath = QStringLiteral(LEXORIA_SOURCE_DIR "/tests/fixtures/lawyer-queries.tsv");

// The fixture's rows; empty when the file cannot be read or a row is malformed.
QList<Row> readFixture()
{
    QFile file(FixturePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Row> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 7)
            return {};
        rows << Row{f[0],
                    f[1],
                    f[2],
                    f[3] == QLatin1String("on"),
                    f[4] == QLatin1String("yes"),
                    f[5].split(QLatin1Char(' '), Qt::SkipEmptyParts),
                    f[6]};
    }
    return rows;
}

search::SearchEngine& engine()
{
    static search::SearchEngine e(
        &search::SearchEngine::corpusMassime,
        search::IndexFile{QStringLiteral(LEXORIA_BIN_DIR "/") + search::SearchEngine::indexFileName(),
                          corpus::ArchiveTables::Fingerprint()},
        &search::SearchEngine::corpusMassima);
    return e;
}

QString placeOf(const search::MassimaRef& ref)
{
    return QStringLiteral("%1/%2/%3").arg(corpus::info(ref.archive).name).arg(ref.topic).arg(ref.position);
}

// Archive name, then topic and position as numbers: the fixture's order.
bool placeLess(const QString& a, const QString& b)
{
    const QStringList x = a.split(QLatin1Char('/'));
    const QStringList y = b.split(QLatin1Char('/'));
    if (x[0] != y[0])
        return x[0] < y[0];
    if (x[1].toInt() != y[1].toInt())
        return x[1].toInt() < y[1].toInt();
    return x[2].toInt() < y[2].toInt();
}

QStringList sortedPlaces(const QSet<QString>& set)
{
    QStringList list(set.begin(), set.end());
    std::sort(list.begin(), list.end(), placeLess);
    return list;
}

QString shortList(const QStringList& places)
{
    constexpr int Shown = 12;
    QString text = places.mid(0, Shown).join(QLatin1Char(' '));
    if (places.size() > Shown)
        text += QStringLiteral(" (+%1)").arg(places.size() - Shown);
    return text;
}

// One line of the closing table per query run, failing or not.
QStringList g_table;

} // namespace

class TestLawyerQueries : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!deliveredData())
            QSKIP(qPrintable(QStringLiteral("the fixture lists massime of the delivered corpus; the build compiled %1")
                                 .arg(compiledDataFolder())));
        const QList<Row> rows = readFixture();
        QVERIFY2(rows.size() >= 30, qPrintable(FixturePath + QStringLiteral(": missing, malformed or too short")));
    }

    void queries_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("similar");
        QTest::addColumn<bool>("extraAllowed");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("rule");
        for (const Row& row : readFixture())
            QTest::newRow(row.name.toUtf8().constData())
                << row.kind << row.query << row.similar << row.extraAllowed << row.expected << row.rule;
    }

    // Recall for every query; precision for citations and provisions, and for
    // the word queries whose row allows no extra massima.
    void queries()
    {
        QFETCH(QString, kind);
        QFETCH(QString, query);
        QFETCH(bool, similar);
        QFETCH(bool, extraAllowed);
        QFETCH(QStringList, expected);
        QFETCH(QString, rule);

        search::Query q;
        q.words = query;
        q.similarWords = similar;
        q.limit = 5000; // more than the corpus holds: every hit comes back
        const search::Results r = engine().search(q);

        QSet<QString> found;
        for (const search::Hit& h : r.hits)
            found.insert(placeOf(h.ref));
        const QSet<QString> wanted(expected.begin(), expected.end());
        const QStringList missing = sortedPlaces(wanted - found);
        const QStringList extra = sortedPlaces(found - wanted);
        const bool strict = kind == QLatin1String("citation") || kind == QLatin1String("provision") || !extraAllowed;

        qInfo("%s [%s, similar %s] rule: %s", qPrintable(query), qPrintable(kind), similar ? "on" : "off",
              qPrintable(rule));
        qInfo("found %d, expected %d, extra %d, missing %d", int(found.size()), int(wanted.size()), int(extra.size()),
              int(missing.size()));
        if (!missing.isEmpty())
            qInfo("missing: %s", qPrintable(shortList(missing)));
        if (!extra.isEmpty())
            qInfo("extra%s: %s", strict ? "" : " (allowed)", qPrintable(shortList(extra)));
        if (!r.hint.isEmpty())
            qInfo("hint: %s", qPrintable(r.hint));

        const bool pass = r.status == search::Results::Status::Ok && missing.isEmpty() && (extra.isEmpty() || !strict);
        g_table << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 |")
                       .arg(QString(query).replace(QLatin1Char('|'), QLatin1String("\\|")), kind,
                            QLatin1String(similar ? "on" : "off"))
                       .arg(found.size())
                       .arg(wanted.size())
                       .arg(extra.size())
                       .arg(missing.size())
                       .arg(QLatin1String(pass ? "ok" : "FAIL"));

        QCOMPARE(int(r.status), int(search::Results::Status::Ok));
        QVERIFY2(r.total == r.hits.size(), "more matches than the limit returned");
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not found: ") + shortList(missing)));
        if (strict)
            QVERIFY2(extra.isEmpty(), qPrintable(QStringLiteral("found beyond the rule: ") + shortList(extra)));
    }

    void cleanupTestCase()
    {
        qInfo("| query | kind | similar | found | expected | extra | missing | result |");
        qInfo("|---|---|---|---|---|---|---|---|");
        for (const QString& line : std::as_const(g_table))
            qInfo("%s", qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestLawyerQueries)
#include "tst_lawyerqueries.moc"
