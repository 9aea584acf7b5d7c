// The lawyer's workbench as the engine serves it: the matches counted by court
// and by period (each line counting what choosing it finds), both date orders,
// the massime similar to one, the short citation a brief writes, and excerpts
// that leave out the demonstration marker. Expected values come from the data
// files read here with plain patterns, or are written out by hand.

#include "corpus/archives.h"
#include "corpus/archivetables.h"
#include "search/citation.h"
#include "search/highlighter.h"
#include "search/searchengine.h"
#include "search/shortcitation.h"
#include "search/textfold.h"
#include "search/typedcitation.h"
#include "search/wordlists.h"
#include "tests/support/corpusdata.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <set>

using corpus::Archive;
using search::FieldCount;
using search::MassimaRef;
using search::SortOrder;

namespace {

const QStringList Months = {QStringLiteral("gennaio"), QStringLiteral("febbraio"), QStringLiteral("marzo"),
                            QStringLiteral("aprile"),  QStringLiteral("maggio"),   QStringLiteral("giugno"),
                            QStringLiteral("luglio"),  QStringLiteral("agosto"),   QStringLiteral("settembre"),
                            QStringLiteral("ottobre"), QStringLiteral("novembre"), QStringLiteral("dicembre")};

// A massima as read straight from the data files, its closing citation taken
// apart by a few plain patterns, without the engine or its citation parser.
struct PlainMassima {
    MassimaRef ref;
    QString title;
    QString text;
    QString court;    // the citation's text before its first comma
    QList<int> years; // the year of every decision date, in order
    QDate date;       // the first decision date
};

void readCitation(PlainMassima& m)
{
    static const QRegularExpression date(QStringLiteral("\\b(\\d{1,2}) (%1) (\\d{4})\\b").arg(Months.join('|')));
    const qsizetype open = m.text.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return;
    const QString cite = m.text.mid(open + 1);
    m.court = cite.section(QLatin1Char(','), 0, 0).trimmed();
    for (const QRegularExpressionMatch& x : date.globalMatch(cite)) {
        m.years << x.captured(3).toInt();
        if (!m.date.isValid())
            m.date = QDate(x.captured(3).toInt(), int(Months.indexOf(x.captured(2))) + 1, x.captured(1).toInt());
    }
}

// Every massima of the data files the build compiled, at its place: "== N title"
// opens topic N, and each line after it is the next position.
const QList<PlainMassima>& plainCorpus()
{
    static const QList<PlainMassima> all = [] {
        QList<PlainMassima> list;
        for (const DataMassima& d : dataMassime()) {
            PlainMassima m{{d.archive, d.topic, d.position}, d.title, d.text, {}, {}, {}};
            readCitation(m);
            list << m;
        }
        return list;
    }();
    return all;
}

// The engine over the index file the build writes, as the program opens it.
search::SearchEngine& engine()
{
    static search::SearchEngine e(&search::SearchEngine::corpusMassime,
                                  search::IndexFile{QStringLiteral(LEXORIA_BIN_DIR "/")
                                                        + search::SearchEngine::indexFileName(),
                                                    corpus::ArchiveTables::Fingerprint()},
                                  &search::SearchEngine::corpusMassima);
    return e;
}

// The engine whose index is built in memory from the same corpus.
search::SearchEngine& memoryEngine()
{
    static search::SearchEngine e;
    return e;
}

struct YearSpan {
    int from = 0, to = 0;
    bool contains(int year) const { return year >= from && year <= to; }
};

std::optional<YearSpan> yearSpan(const QString& years)
{
    if (years.isEmpty())
        return std::nullopt;
    const QStringList ends = years.split(QLatin1Char('-'));
    return YearSpan{ends.first().toInt(), ends.last().toInt()};
}

// What a query asks, read by plain rules: a word as written, in the text or the
// topic title; a court, or a court that goes on from it; any year in the range.
struct PlainQuery {
    QString word;
    int archive = -1;
    QString court;
    QString years;

    bool matches(const PlainMassima& m) const
    {
        const QRegularExpression pattern(QStringLiteral("\\b%1\\b").arg(word),
                                         QRegularExpression::CaseInsensitiveOption);
        const std::optional<YearSpan> span = yearSpan(years);
        return (word.isEmpty() || m.text.contains(pattern) || m.title.contains(pattern))
            && (archive < 0 || corpus::indexOf(m.ref.archive) == archive) && (court.isEmpty() || isOfCourt(m, court))
            && (!span || std::any_of(m.years.cbegin(), m.years.cend(), [&](int y) { return span->contains(y); }));
    }
    static bool isOfCourt(const PlainMassima& m, const QString& court)
    {
        return m.court == court || m.court.startsWith(court + QLatin1Char(' '));
    }
    search::Query query() const
    {
        search::Query q;
        q.words = word;
        q.similarWords = false;
        if (archive >= 0)
            q.archive = corpus::archives()[size_t(archive)].archive;
        q.court = court;
        q.years = years;
        q.limit = 5000;
        return q;
    }
};

QList<PlainMassima> plainMatches(const PlainQuery& q)
{
    QList<PlainMassima> found;
    for (const PlainMassima& m : plainCorpus())
        if (q.matches(m))
            found << m;
    return found;
}

// By court: each court the matches name counts the matches of its own and of
// the courts that go on from it, as choosing it finds them.
QMap<QString, int> expectedCourts(const QList<PlainMassima>& matches)
{
    QMap<QString, int> counts;
    for (const PlainMassima& m : matches)
        counts.insert(m.court, 0);
    for (auto it = counts.begin(); it != counts.end(); ++it)
        for (const PlainMassima& m : matches)
            it.value() += PlainQuery::isOfCourt(m, it.key()) ? 1 : 0;
    return counts;
}

// By decade, or by year where the years span ten years or less; a massima in
// every period its decisions fall in; with a years field, only the years within
// it, and each period within it.
QList<FieldCount> expectedPeriods(const QList<PlainMassima>& matches, const QString& yearsField)
{
    const std::optional<YearSpan> field = yearSpan(yearsField);
    const auto counted = [&](int year) { return !field || field->contains(year); };
    int first = 9999, last = 0;
    for (const PlainMassima& m : matches)
        for (int y : m.years)
            if (counted(y))
                first = std::min(first, y), last = std::max(last, y);
    const bool byYear = last - first <= 9;
    std::map<std::pair<int, int>, int> counts;
    for (const PlainMassima& m : matches) {
        std::set<std::pair<int, int>> periods;
        for (int y : m.years) {
            if (!counted(y))
                continue;
            int from = byYear ? y : y / 10 * 10, to = byYear ? y : y / 10 * 10 + 9;
            if (field)
                from = std::max(from, field->from), to = std::min(to, field->to);
            periods.insert({from, to});
        }
        for (const auto& p : periods)
            ++counts[p];
    }
    QList<FieldCount> lines;
    for (const auto& [p, n] : counts) {
        const QString label = p.first == p.second ? QString::number(p.first)
                                                  : QStringLiteral("%1-%2").arg(p.first).arg(p.second);
        lines.append({label, label, n});
    }
    return lines;
}

QString place(const MassimaRef& ref)
{
    return QStringLiteral("%1/%2/%3").arg(corpus::info(ref.archive).name).arg(ref.topic).arg(ref.position);
}

QList<MassimaRef> refsOf(const search::Results& r)
{
    QList<MassimaRef> refs;
    for (const search::Hit& h : r.hits)
        refs << h.ref;
    return refs;
}

// The folded words of a text, as the index reads them.
QSet<QString> foldedWords(const QString& text)
{
    QSet<QString> words;
    for (const search::Token& t : search::tokenize(text))
        words << t.folded;
    return words;
}

// The words a similarity search went by: those of `own` its results mark.
QSet<QString> searchedWords(const search::Results& r, const QSet<QString>& own)
{
    QSet<QString> words;
    for (const QString& word : own)
        if (r.highlighter.matches(word))
            words << word;
    return words;
}

// How similar a hit is, as the weight of a match reads it: how many words its
// text and title have in all, and how often they have each word searched by.
// Hits alike in both are equally similar, and either may rank first.
QString likeness(const search::Hit& h, const QSet<QString>& searched)
{
    const QList<search::Token> tokens = search::tokenize(h.text + QLatin1Char(' ') + h.topicTitle);
    QMap<QString, int> counts;
    for (const search::Token& t : tokens)
        if (searched.contains(t.folded))
            ++counts[t.folded];
    QStringList parts{QString::number(tokens.size())};
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        parts << QStringLiteral("%1=%2").arg(it.key()).arg(it.value());
    return parts.join(QLatin1Char(' '));
}

// A ranking as two indexes must agree on it: each hit's likeness in order, and
// the places of each run of equally similar hits, in an order of their own. The
// last run goes without its places: more as similar may lie past the limit, and
// any of them may be the one listed.
QStringList ranking(const search::Results& r, const QSet<QString>& searched)
{
    QStringList lines;
    for (qsizetype i = 0; i < r.hits.size();) {
        const QString key = likeness(r.hits[i], searched);
        QStringList places;
        qsizetype next = i;
        for (; next < r.hits.size() && likeness(r.hits[next], searched) == key; ++next)
            places << place(r.hits[next].ref);
        places.sort();
        for (const QString& at : places)
            lines << (next < r.hits.size() ? key + QStringLiteral(" at ") + at : key);
        i = next;
    }
    return lines;
}

// The first massima of the data files whose text says `words`.
const PlainMassima& firstSaying(const QString& words)
{
    for (const PlainMassima& m : plainCorpus())
        if (m.text.contains(words, Qt::CaseInsensitive))
            return m;
    qFatal("no massima says %s", qPrintable(words));
}

// A small corpus for similar massime. A and B share words of substance; C
// shares with A only its whole citation, D only the demonstration marker (the
// other massime are without it), G only small words; E and F are unrelated.
QList<search::SourceMassima> similarityFixture()
{
    const QString marker = corpus::DemonstrationMarker;
    const QString cassazione = QStringLiteral(" - (Cassazione civile, sez.II, 3 ottobre 2000, n.11612)");
    const auto at = [](int position) { return MassimaRef{Archive::condominio, 1, position}; };
    return {
        {at(1), QStringLiteral("Prima"),
         marker + QStringLiteral("Il lastrico solare di uso esclusivo grava sul proprietario dell'ultimo piano.")
             + cassazione},
        {at(2), QStringLiteral("Seconda"),
         QStringLiteral("Le riparazioni del lastrico solare spettano ai condomini e al titolare dell'uso esclusivo.")
             + QStringLiteral(" - (Tribunale Milano, 19 maggio 1997, n.3224)")},
        {at(3), QStringLiteral("Terza"),
         QStringLiteral("La concessione edilizia rilasciata in violazione del regolatore va annullata.") + cassazione},
        {at(4), QStringLiteral("Quarta"),
         marker + QStringLiteral("Vendemmia tardiva nuoce vigneti collinari.")
             + QStringLiteral(" - (Pretura Firenze, 17 gennaio 1955)")},
        {at(5), QStringLiteral("Quinta"),
         QStringLiteral("L'indennità d'esproprio è commisurata al valore venale del bene.")
             + QStringLiteral(" - (Consiglio di Stato, sez.IV, 5 luglio 1965, n.5947)")},
        {at(6), QStringLiteral("Sesta"),
         QStringLiteral("Il compenso del professionista spetta anche per il progetto non eseguito.")
             + QStringLiteral(" - (Corte d'Appello Roma, sez.I, 4 luglio 1977, n.1151)")},
        {at(7), QStringLiteral("Settima"),
         QStringLiteral("Il canone di locazione ricade sul conduttore dell'immobile.")
             + QStringLiteral(" - (Tribunale Torino, 8 marzo 1966, n.2933)")},
    };
}

// Massime with and without a decision date, all on the same word.
QList<search::SourceMassima> datesFixture()
{
    const auto at = [](int position) { return MassimaRef{Archive::enti, 2, position}; };
    return {
        {at(1), QStringLiteral("Muri"), QStringLiteral("Il muro divide i fondi. - (Cassazione, 3 marzo 1990, n.10)")},
        {at(2), QStringLiteral("Muri"), QStringLiteral("Il muro senza citazione in fondo.")},
        {at(3), QStringLiteral("Muri"), QStringLiteral("Il muro comune. - (Tribunale Roma, 5 maggio 2005)")},
        {at(4), QStringLiteral("Muri"), QStringLiteral("Il muro di confine. - (Cassazione, sez.II, n.12)")},
        {at(5), QStringLiteral("Muri"), QStringLiteral("Il muro maestro. - (Consiglio di Stato, 1 aprile 1970)")},
    };
}

} // namespace

Q_DECLARE_METATYPE(SortOrder)

class TestWorkbench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!QFileInfo(QStringLiteral(LEXORIA_BIN_DIR "/") + search::SearchEngine::indexFileName()).isFile())
            QSKIP("the index file the build writes is missing");
        QVERIFY(engine().openIndexFile());
    }

    // The matches by court and by period, against the data files; and each
    // line, chosen in its field, finds exactly the count it shows.
    void countsByCourtAndPeriod_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("archive");
        QTest::addColumn<QString>("court");
        QTest::addColumn<QString>("years");
        const int condominio = corpus::indexOf(Archive::condominio), edilizia = corpus::indexOf(Archive::edilizia);
        QTest::newRow("a word") << "lastrico" << -1 << "" << "";
        QTest::newRow("a word in one archive") << "condomini" << condominio << "" << "";
        QTest::newRow("a court with a seat") << "" << -1 << "Tribunale Milano" << "";
        QTest::newRow("a court that begins others") << "" << -1 << "Cassazione" << "";
        QTest::newRow("decisions in two decades") << "" << -1 << "T.A.R. Sicilia" << "";
        QTest::newRow("years within a decade: by year") << "" << -1 << "" << "1991-1996";
        QTest::newRow("a decade with decisions beyond it") << "" << -1 << "" << "1970-1979";
        QTest::newRow("a range across decades") << "" << -1 << "" << "1985-1995";
        QTest::newRow("word, archive and court") << "danno" << edilizia << "Cassazione civile" << "";
        QTest::newRow("nothing found") << "lastrico" << -1 << "Pretura Firenze" << "";
    }
    void countsByCourtAndPeriod()
    {
        QFETCH(QString, word);
        QFETCH(int, archive);
        QFETCH(QString, court);
        QFETCH(QString, years);
        const PlainQuery plain{word, archive, court, years};
        const QList<PlainMassima> matches = plainMatches(plain);
        const search::Results r = engine().search(plain.query());
        QCOMPARE(r.status, search::Results::Status::Ok);
        QCOMPARE(r.total, int(matches.size()));

        QMap<QString, int> courts;
        for (qsizetype i = 0; i < r.perCourt.size(); ++i) {
            const FieldCount& line = r.perCourt[i];
            QCOMPARE(line.value, line.label);
            courts.insert(line.label, line.count);
            if (i > 0)
                QVERIFY2(r.perCourt[i - 1].count >= line.count, qPrintable(line.label)); // most first
        }
        QCOMPARE(courts, expectedCourts(matches));
        QCOMPARE(r.perPeriod, expectedPeriods(matches, years));

        for (const FieldCount& line : r.perCourt) {
            search::Query narrowed = plain.query();
            narrowed.court = line.value;
            QVERIFY2(engine().courts().contains(line.value), qPrintable(line.value));
            QCOMPARE(engine().search(narrowed).total, line.count);
        }
        for (const FieldCount& line : r.perPeriod) {
            search::Query narrowed = plain.query();
            narrowed.years = line.value;
            const search::Results chosen = engine().search(narrowed);
            QCOMPARE(chosen.status, search::Results::Status::Ok);
            QCOMPARE(chosen.total, line.count);
        }
    }

    // An index file written before the documents carried their court and years
    // is refused, and the index built in memory counts instead.
    void indexFileOfTheFormerFormatRefused()
    {
        QFile shipped(QStringLiteral(LEXORIA_BIN_DIR "/") + search::SearchEngine::indexFileName());
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QByteArray bytes = shipped.readAll();
        QVERIFY(bytes.startsWith("LEXORIA-INDICE-3"));
        bytes.replace(0, 16, "LEXORIA-INDICE-2");
        QTemporaryDir dir;
        const QString path = dir.filePath(search::SearchEngine::indexFileName());
        QFile former(path);
        QVERIFY(former.open(QIODevice::WriteOnly) && former.write(bytes) == bytes.size());
        former.close();
        search::SearchEngine e(&search::SearchEngine::corpusMassime,
                               search::IndexFile{path, corpus::ArchiveTables::Fingerprint()},
                               &search::SearchEngine::corpusMassima);
        search::Query q;
        q.words = QStringLiteral("lastrico");
        const search::Results r = e.search(q);
        QVERIFY(!e.figures().fromFile);
        QVERIFY(!e.figures().fileProblem.isEmpty());
        QCOMPARE(r.perCourt, engine().search(q).perCourt);
    }

    // The index built in memory counts as the file does.
    void countsAlikeFromFileAndMemory()
    {
        search::Query q;
        q.words = QStringLiteral("distanze");
        q.archive = Archive::condominio;
        const search::Results file = engine().search(q), memory = memoryEngine().search(q);
        QVERIFY(!file.perCourt.isEmpty() && !file.perPeriod.isEmpty());
        QCOMPARE(file.perCourt, memory.perCourt);
        QCOMPARE(file.perPeriod, memory.perPeriod);
    }

    // Newest or oldest first, the dates run one way along the hits, from the
    // newest or oldest match of the data files, whatever the limit.
    void dateOrders_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("archive");
        QTest::addColumn<QString>("court");
        QTest::addColumn<SortOrder>("order");
        for (const SortOrder order : {SortOrder::DateNewestFirst, SortOrder::DateOldestFirst}) {
            const char* name = order == SortOrder::DateNewestFirst ? "newest first" : "oldest first";
            QTest::addRow("a word, %s", name) << "danno" << -1 << "" << order;
            QTest::addRow("a court in one archive, %s", name)
                << "" << corpus::indexOf(Archive::edilizia) << "Tribunale Roma" << order;
            QTest::addRow("a word and a court, %s", name) << "condomini" << -1 << "Cassazione" << order;
        }
    }
    void dateOrders()
    {
        QFETCH(QString, word);
        QFETCH(int, archive);
        QFETCH(QString, court);
        QFETCH(SortOrder, order);
        const PlainQuery plain{word, archive, court, {}};
        const bool newest = order == SortOrder::DateNewestFirst;
        QList<QDate> dates;
        for (const PlainMassima& m : plainMatches(plain))
            dates << m.date;
        QVERIFY(dates.size() > 10);
        std::sort(dates.begin(), dates.end());
        search::Query q = plain.query();
        q.sort = order;
        const search::Results all = engine().search(q);
        QCOMPARE(all.hits.size(), dates.size());
        for (qsizetype i = 1; i < all.hits.size(); ++i) {
            const QDate before = all.hits[i - 1].citation.date(), after = all.hits[i].citation.date();
            QVERIFY2(newest ? before >= after : before <= after,
                     qPrintable(before.toString(Qt::ISODate) + QLatin1Char(' ') + after.toString(Qt::ISODate)));
        }
        q.limit = 3;
        const search::Results few = engine().search(q);
        QCOMPARE(few.hits.size(), 3);
        QCOMPARE(few.hits.first().citation.date(), newest ? dates.last() : dates.first());
    }

    // A massima without a date comes after the dated ones in both orders.
    void undatedMassimeLast_data()
    {
        QTest::addColumn<SortOrder>("order");
        QTest::addColumn<QList<int>>("dated"); // positions in the fixture, in order
        QTest::newRow("newest first") << SortOrder::DateNewestFirst << QList<int>{3, 1, 5};
        QTest::newRow("oldest first") << SortOrder::DateOldestFirst << QList<int>{5, 1, 3};
    }
    void undatedMassimeLast()
    {
        QFETCH(SortOrder, order);
        QFETCH(QList<int>, dated);
        search::SearchEngine fixture(&datesFixture);
        search::Query q;
        q.words = QStringLiteral("muro");
        q.sort = order;
        const search::Results r = fixture.search(q);
        QList<int> positions;
        for (const search::Hit& h : r.hits)
            positions << h.ref.position;
        QCOMPARE(positions.size(), 5);
        QCOMPARE(positions.mid(0, 3), dated);
        QCOMPARE(QSet<int>(positions.begin() + 3, positions.end()), (QSet<int>{2, 4}));
    }

    // The massime similar to one on the lastrico solare: itself left out, at
    // most as many as asked, best first, led by those on its subject, each
    // sharing a word of its own text, the same from the file and from memory
    // (equally similar ones in either order).
    void similarMassimeOfTheCorpus()
    {
        const PlainMassima& self = firstSaying(QStringLiteral("Lastrico solare"));
        QCOMPARE(search::SearchEngine::corpusMassima(self.ref)->text, self.text);
        const search::Results r = engine().similar(self.ref, 20);
        QCOMPARE(r.status, search::Results::Status::Ok);
        QCOMPARE(r.hits.size(), 20);
        QCOMPARE(r.total, int(r.hits.size()));
        QVERIFY(!refsOf(r).contains(self.ref));
        for (const search::Hit& h : r.hits.mid(0, 5))
            QVERIFY2(h.text.contains(QStringLiteral("lastrico"), Qt::CaseInsensitive), qPrintable(place(h.ref)));

        // Its own words: after the marker, before the citation, but for the small ones.
        const qsizetype start = corpus::DemonstrationMarker.size();
        const QString body = self.text.mid(start, self.text.lastIndexOf(QStringLiteral(" - (")) - start);
        QSet<QString> own = foldedWords(body);
        for (auto it = own.begin(); it != own.end();)
            it = search::isSmallWord(*it) ? own.erase(it) : std::next(it);
        for (const search::Hit& h : r.hits)
            QVERIFY2(foldedWords(h.text + QLatin1Char(' ') + h.topicTitle).intersects(own), qPrintable(place(h.ref)));

        // Best first: fewer asked are the first of more.
        QCOMPARE(refsOf(engine().similar(self.ref, 5)), refsOf(r).mid(0, 5));
        // From memory as from the file: the same words searched by, the same
        // massime in the same order but for equally similar ones among themselves.
        const search::Results fromMemory = memoryEngine().similar(self.ref, 20);
        const QSet<QString> searched = searchedWords(r, own);
        QVERIFY(!searched.isEmpty());
        QCOMPARE(searchedWords(fromMemory, own), searched);
        QCOMPARE(ranking(fromMemory, searched), ranking(r, searched));
    }

    // Only words of substance make two massime alike: never the demonstration
    // marker, never the citation, however much of it two massime share.
    void similarByWordsOfSubstanceOnly_data()
    {
        QTest::addColumn<int>("of");
        QTest::addColumn<QList<int>>("similar");
        QTest::addColumn<QList<int>>("notSimilar");
        QTest::newRow("shared words") << 1 << QList<int>{2} << QList<int>{1, 3, 4, 5, 6, 7};
        QTest::newRow("only the citation shared") << 3 << QList<int>{} << QList<int>{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("only the marker shared") << 4 << QList<int>{} << QList<int>{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("only small words shared") << 7 << QList<int>{} << QList<int>{1, 2, 3, 4, 5, 6, 7};
    }
    void similarByWordsOfSubstanceOnly()
    {
        QFETCH(int, of);
        QFETCH(QList<int>, similar);
        QFETCH(QList<int>, notSimilar);
        search::SearchEngine fixture(&similarityFixture);
        const search::Results r = fixture.similar({Archive::condominio, 1, of});
        QCOMPARE(r.status, search::Results::Status::Ok);
        QList<int> found;
        for (const search::Hit& h : r.hits)
            found << h.ref.position;
        for (int p : similar)
            QVERIFY2(found.contains(p), qPrintable(QString::number(p)));
        for (int p : notSimilar)
            QVERIFY2(!found.contains(p), qPrintable(QString::number(p)));
        QCOMPARE(r.total, int(found.size()));
    }

    void similarOfNoMassima()
    {
        for (search::SearchEngine* e : {&engine(), &memoryEngine()}) {
            const search::Results r = e->similar({Archive::condominio, 999, 1});
            QCOMPARE(r.status, search::Results::Status::Invalid);
            QCOMPARE(r.hint, QStringLiteral("Massima non trovata nell'indice."));
            QVERIFY(r.hits.isEmpty());
        }
    }

    // Citations of the corpus, one per court form it names, and the other forms
    // a citation takes, as a brief writes them.
    void shortCitations_data()
    {
        QTest::addColumn<QString>("closing"); // as the massima ends
        QTest::addColumn<bool>("inCorpus");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* closing, bool inCorpus, const char* expected) {
            QTest::newRow(name) << QString::fromUtf8(closing) << inCorpus << QString::fromUtf8(expected);
        };
        row("Cassazione", " - (Cassazione, 10 ottobre 1957, n.10172)", true, "Cass., 10 ottobre 1957, n. 10172");
        row("Cassazione civile", " - (Cassazione civile, sez.II, 3 ottobre 2000, n.11612)", true,
            "Cass. civ., sez. II, 3 ottobre 2000, n. 11612");
        row("Cassazione penale", " - (Cassazione penale, sez.V, 4 febbraio 1987, n.5159)", true,
            "Cass. pen., sez. V, 4 febbraio 1987, n. 5159");
        row("sezioni unite", " - (Cassazione civile, sez.U, 12 giugno 1968, n.7789)", true,
            "Cass. civ., sez. un., 12 giugno 1968, n. 7789");
        row("sezioni unite penali", " - (Cassazione penale, sez.U, 15 settembre 1970, n.6045)", true,
            "Cass. pen., sez. un., 15 settembre 1970, n. 6045");
        row("lavoro", " - (Cassazione civile, sez.L, 1 gennaio 1956, n.7431)", true,
            "Cass. civ., sez. lav., 1 gennaio 1956, n. 7431");
        row("lavoro, Cassazione", " - (Cassazione, sez.L, 5 febbraio 1991, n.10386)", true,
            "Cass., sez. lav., 5 febbraio 1991, n. 10386");
        row("Consiglio di Stato", " - (Consiglio di Stato, sez.V, 4 aprile 1965, n.1946)", true,
            "Cons. Stato, sez. V, 4 aprile 1965, n. 1946");
        row("Corte costituzionale", " - (Corte costituzionale, 9 novembre 1959, n.145)", true,
            "Corte cost., 9 novembre 1959, n. 145");
        row("T.A.R. with seat and section", " - (T.A.R. Sicilia, Catania, sez.II, 19 luglio 2000, n.1400)", true,
            "T.A.R. Sicilia, Catania, sez. II, 19 luglio 2000, n. 1400");
        row("T.A.R. without number", " - (T.A.R. Lazio, Roma, 2 aprile 1995)", true,
            "T.A.R. Lazio, Roma, 2 aprile 1995");
        row("T.A.R. without seat", " - (T.A.R. Veneto, 4 ottobre 1991, n.1758)", true,
            "T.A.R. Veneto, 4 ottobre 1991, n. 1758");
        row("T.A.R. Lombardia, Brescia", " - (T.A.R. Lombardia, Brescia, sez.II, 1 marzo 2008, n.974)", true,
            "T.A.R. Lombardia, Brescia, sez. II, 1 marzo 2008, n. 974");
        row("T.A.R. Campania, Napoli", " - (T.A.R. Campania, Napoli, sez.IV, 17 gennaio 1988, n.2992)", true,
            "T.A.R. Campania, Napoli, sez. IV, 17 gennaio 1988, n. 2992");
        row("Tribunale Milano", " - (Tribunale Milano, 19 maggio 1997, n.3224)", true,
            "Trib. Milano, 19 maggio 1997, n. 3224");
        row("Tribunale Roma", " - (Tribunale Roma, sez.IV, 10 giugno 1955, n.759)", true,
            "Trib. Roma, sez. IV, 10 giugno 1955, n. 759");
        row("Tribunale Torino", " - (Tribunale Torino, 8 marzo 1966, n.2933)", true,
            "Trib. Torino, 8 marzo 1966, n. 2933");
        row("Corte d'Appello Roma", " - (Corte d'Appello Roma, sez.I, 4 luglio 1977, n.1151)", true,
            "App. Roma, sez. I, 4 luglio 1977, n. 1151");
        row("Corte d'Appello Milano", " - (Corte d'Appello Milano, 8 dicembre 1960)", true,
            "App. Milano, 8 dicembre 1960");
        row("Pretura Roma", " - (Pretura Roma, 3 marzo 1969, n.323)", true, "Pret. Roma, 3 marzo 1969, n. 323");
        row("Pretura Firenze", " - (Pretura Firenze, 17 gennaio 1955)", true, "Pret. Firenze, 17 gennaio 1955");
        row("two numbers", " - (Cassazione civile, 31 gennaio 1970, n.1777 e n.1787)", true,
            "Cass. civ., 31 gennaio 1970, n. 1777 e n. 1787");
        row("two decisions",
            " - (Corte d'Appello Milano, sez.II, 21 agosto 1956, n.1710 e 26 luglio 1957, n.1383)", true,
            "App. Milano, sez. II, 21 agosto 1956, n. 1710 e 26 luglio 1957, n. 1383");
        row("two dates, full stop after", " - (T.A.R. Sicilia, Catania, 19 aprile 1990 e 21 giugno 1990).", true,
            "T.A.R. Sicilia, Catania, 19 aprile 1990 e 21 giugno 1990");
        row("never closed", " - (Cassazione, sez.II, 20 agosto 1963", true, "Cass., sez. II, 20 agosto 1963");
        row("never closed, two numbers", " - (T.A.R. Sicilia, 6 gennaio 2008, n.1198 e n.1213", true,
            "T.A.R. Sicilia, 6 gennaio 2008, n. 1198 e n. 1213");
        row("no date", " - (Cassazione, sez.II, n.12)", false, "Cass., sez. II, n. 12");
        row("date in figures", " - (Tribunale Roma, 19/7/2000, n.5)", false, "Trib. Roma, 19 luglio 2000, n. 5");
        row("a court no table has", " - (Corte dei conti, sez.II, 4 maggio 1990)", false,
            "Corte dei conti, sez. II, 4 maggio 1990");
        row("unreadable", " (art. 1117 c.c.)", false, "art. 1117 c.c.");
        row("no citation", "", false, "");
    }
    void shortCitations()
    {
        QFETCH(QString, closing);
        QFETCH(bool, inCorpus);
        QFETCH(QString, expected);
        if (inCorpus) {
            const bool found = std::any_of(plainCorpus().cbegin(), plainCorpus().cend(), [&](const PlainMassima& m) {
                return m.text.trimmed().endsWith(closing);
            });
            QVERIFY2(found, "the citation is not in the data files");
        }
        const search::Citation citation = search::parseCitation(QStringLiteral("Testo della massima.") + closing);
        QCOMPARE(search::shortCitation(citation), expected);
    }

    // Every court form the corpus names is abbreviated, and the short citation,
    // pasted in the words field, reads back as the citation it was made from.
    void everyShortCitationReadsBack()
    {
        QSet<QString> courts;
        for (const search::SourceMassima& m : search::SearchEngine::corpusMassime()) {
            const search::Citation c = search::parseCitation(m.text);
            const QString brief = search::shortCitation(c);
            QVERIFY2(!brief.startsWith(c.court) || c.court.startsWith(QLatin1String("T.A.R.")), qPrintable(brief));
            const std::optional<search::TypedCitation> typed = search::readTypedCitation(brief);
            QVERIFY2(typed, qPrintable(brief));
            QCOMPARE(typed->court, c.court);
            QCOMPARE(typed->section, c.section);
            QCOMPARE(typed->year, c.years.first());
            QCOMPARE(typed->number, c.numbers.value(0));
            courts << c.court;
        }
        QCOMPARE(courts.size(), 17); // the courts the data files name, counted by hand
    }

    void sectionNames_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("united sections") << "U" << "Sezioni Unite";
        QTest::newRow("labour") << "L" << "Lavoro";
        QTest::newRow("numbered") << "II" << "II";
        QTest::newRow("none") << "" << "";
    }
    void sectionNames()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(search::sectionName(code), name);
    }

    // Excerpts start after the demonstration marker; the text and its
    // highlighted HTML keep it.
    void snippetsLeaveOutTheMarker_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("start"); // how the excerpt starts
        const QString m = corpus::DemonstrationMarker;
        const QString text =
            QStringLiteral("In tema di distanze, il giudice valuta le prove. - (Cassazione, 3 marzo 1990)");
        QTest::newRow("no word marked") << m + text << QStringList{} << QStringLiteral("In tema di");
        QTest::newRow("a word near the start") << m + text << QStringList{"tema"} << QStringLiteral("In <span");
        QTest::newRow("a word of the marker")
            << m + text << QStringList{"dimostrativo"} << QStringLiteral("In tema di");
        QTest::newRow("a text without the marker") << text << QStringList{"tema"} << QStringLiteral("In <span");
        QTest::newRow("a marker not at the start") << QStringLiteral("Si veda ") + m << QStringList{}
                                                   << QStringLiteral("Si veda [Testo");
        QString far = m + QStringLiteral("Parola ").repeated(60) + QStringLiteral("distanze finali.");
        QTest::newRow("a word far on") << far << QStringList{"distanze"} << QStringLiteral("… Parola");
    }
    void snippetsLeaveOutTheMarker()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        QFETCH(QString, start);
        const search::Highlighter highlighter(words, {}, {}, false);
        const QString snippet = highlighter.snippet(text);
        QVERIFY2(snippet.startsWith(start), qPrintable(snippet));
        static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
        QCOMPARE(highlighter.html(text).remove(tag).startsWith(corpus::DemonstrationMarker), // the marks aside
                 text.startsWith(corpus::DemonstrationMarker));
    }

    // Through the engine: the excerpt of every hit leaves the marker out.
    void hitsExcerptsLeaveOutTheMarker()
    {
        search::Query q;
        q.words = QStringLiteral("dimostrativo lastrico");
        const search::Results r = engine().search(q);
        QVERIFY(r.total > 0);
        for (const search::Hit& h : r.hits) {
            QVERIFY(h.text.startsWith(corpus::DemonstrationMarker));
            QVERIFY2(!r.highlighter.snippet(h.text).contains(QStringLiteral("dimostrativo")), qPrintable(place(h.ref)));
        }
    }
};

QTEST_MAIN(TestWorkbench)
#include "tst_workbench.moc"
