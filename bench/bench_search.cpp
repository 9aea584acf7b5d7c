// Figures for the search: index build time and memory, the median time of a
// fixed table of 30 realistic queries, measured in the same run and interleaved
// with SQLite FTS5 (unicode61, remove_diacritics 2) answering the same word
// queries over the same texts; then the same at 100 times the corpus (the
// demonstration texts repeated with varied citations). The compiled corpus is
// searched twice: with the index built in memory (the fallback) and with the
// program's index file opened in place (the program's own path). Prints figures;
// asserts nothing. Run: build/bench/bench_search [scale [INDEX_FILE]]
// (scale 100 by default, 0 skips it; the index file defaults to ../bin's)

#include "search/searchengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <ctime>
#include <malloc.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

QTextStream out(stdout);

struct BenchQuery {
    const char* words;
    const char* fts;     // the same words for FTS5; nullptr for the citation-field queries it cannot answer
    const char* court = "";
    const char* section = "";
    const char* years = "";
    const char* number = "";
};

// Words, phrases, prefixes, exclusions, accents and apostrophes, citation fields, combinations.
const BenchQuery Queries[] = {
    {"condomin*", "condomin*"},
    {"condomino", "condomino"},
    {"\"spese del giudizio\"", "\"spese del giudizio\""},
    {"assemblea delibera", "assemblea delibera"},
    {"\"buona fede\"", "\"buona fede\""},
    {"appalt*", "appalt*"},
    {"espropr* indennità", "espropr* indennità"},
    {"ordinanza demolizione", "ordinanza demolizione"},
    {"danno risarcimento", "danno risarcimento"},
    {"prescrizione -decorre", "prescrizione NOT decorre"},
    {"responsabilità custode", "responsabilità custode"},
    {"\"caso fortuito\"", "\"caso fortuito\""},
    {"nullità contratto", "nullità contratto"},
    {"perche'", "perche"},
    {"dell'attore", "dell attore"},
    {"interpretazione contratto giudice", "interpretazione contratto giudice"},
    {"giudicato dedotto deducibile", "giudicato dedotto deducibile"},
    {"\"regola d'arte\"", "\"regola d arte\""},
    {"amministrazione discrezionalità", "amministrazione discrezionalità"},
    {"servitù -usucapione", "servitù NOT usucapione"},
    {"tribunale milano", "tribunale milano"},
    {"sanatoria OR condono", "sanatoria OR condono"},
    {"ascensore", "ascensore"},
    {"consulenza tecnica", "consulenza tecnica"},
    {"condominio", nullptr, "Cassazione"},
    {"", nullptr, "Consiglio di Stato", "", "1990-2000"},
    {"", nullptr, "", "", "", "1400"},
    {"ricorso", nullptr, "", "", "2005"},
    {"", nullptr, "T.A.R.", "II"},
    {"domanda inammissibile", nullptr, "Cassazione", "U", "1980-2010"},
};
static_assert(std::size(Queries) == 30);

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

double cpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Resident memory of the process: the index's shards allocate on their own
// threads, in heap arenas that the main arena's figures would not count.
double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.size() > 1 ? pages[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

search::Query toQuery(const BenchQuery& b)
{
    search::Query q;
    q.words = QString::fromUtf8(b.words);
    q.court = QString::fromUtf8(b.court);
    q.section = QString::fromUtf8(b.section);
    q.years = QString::fromUtf8(b.years);
    q.number = QString::fromUtf8(b.number);
    return q;
}

// The baseline: the same texts in an FTS5 table held in memory.
class Fts5 {
public:
    explicit Fts5(const QList<search::SourceMassima>& massime)
    {
        sqlite3_open(":memory:", &db_);
        exec("CREATE VIRTUAL TABLE massime USING fts5(text, tokenize = 'unicode61 remove_diacritics 2')");
        exec("BEGIN");
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db_, "INSERT INTO massime(text) VALUES (?)", -1, &insert, nullptr);
        for (const search::SourceMassima& m : massime) {
            const QByteArray text = m.text.toUtf8();
            sqlite3_bind_text(insert, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        exec("COMMIT");
        sqlite3_prepare_v2(db_, "SELECT rowid FROM massime WHERE massime MATCH ? ORDER BY rank", -1, &select_, nullptr);
    }
    ~Fts5()
    {
        sqlite3_finalize(select_);
        sqlite3_close(db_);
    }
    // Every match, best first, as the search window counts them.
    int search(const char* match)
    {
        sqlite3_bind_text(select_, 1, match, -1, SQLITE_STATIC);
        int n = 0;
        while (sqlite3_step(select_) == SQLITE_ROW)
            ++n;
        sqlite3_reset(select_);
        return n;
    }

private:
    void exec(const char* sql) { sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }
    sqlite3* db_ = nullptr;
    sqlite3_stmt* select_ = nullptr;
};

// The demonstration texts `scale` times; every copy after the first gets other
// years and numbers in its citation, so the citation fields spread as a real collection's do.
QList<search::SourceMassima> scaled(const QList<search::SourceMassima>& base, int scale)
{
    static const QRegularExpression year(QStringLiteral("\\b(19[5-9]\\d|200\\d|2010)\\b"));
    static const QRegularExpression number(QStringLiteral("n\\.(\\d+)"));
    QList<search::SourceMassima> all;
    all.reserve(base.size() * scale);
    for (int k = 0; k < scale; ++k)
        for (const search::SourceMassima& m : base) {
            search::SourceMassima copy = m;
            if (k > 0) {
                const qsizetype open = copy.text.lastIndexOf(QLatin1Char('('));
                QString cite = copy.text.mid(open);
                QString varied;
                qsizetype at = 0;
                for (auto it = year.globalMatch(cite); it.hasNext();) {
                    const auto y = it.next();
                    varied += cite.mid(at, y.capturedStart() - at)
                            + QString::number(1950 + (y.captured().toInt() - 1950 + 7 * k) % 61);
                    at = y.capturedEnd();
                }
                cite = varied + cite.mid(at);
                cite.replace(number, QStringLiteral("n.\\1%1").arg(k));
                copy.text = copy.text.left(open) + cite;
                copy.ref.position += 1000 * k;
            }
            all.append(copy);
        }
    return all;
}

struct Figures {
    int builds = 0;
    double buildMs = 0;
    double buildCpuMs = 0;
    double residentMb = 0;
    double xapianMedianUs = 0;
    double xapianWordsMedianUs = 0;
    double ftsMedianUs = 0;
    double ftsBuildMs = 0;
    double ftsBuildCpuMs = 0;
    double ftsMb = 0;
    double slowestUs = 0;
    search::IndexFigures index;
};

// The index is built `builds` times (opened, with `file`), each build followed by
// an FTS5 table build over the same texts; the medians are kept, and the last
// index answers the queries.
Figures measure(const QList<search::SourceMassima>& massime, int builds, int rounds, bool perQuery = false,
                const std::optional<search::IndexFile>& file = std::nullopt)
{
    Figures f;
    std::unique_ptr<search::SearchEngine> engine;
    std::unique_ptr<Fts5> ftsTable;
    std::vector<double> buildMs, buildCpuMs, ftsMs, ftsCpuMs;
    QElapsedTimer timer;
    for (int b = 0; b < builds; ++b) {
        engine.reset();
        ftsTable.reset();
        malloc_trim(0);
        const double residentBefore = residentMegabytes();
        if (file)
            engine = std::make_unique<search::SearchEngine>(&search::SearchEngine::corpusMassime, *file,
                                                            &search::SearchEngine::corpusMassima);
        else
            engine = std::make_unique<search::SearchEngine>([&massime] { return massime; });
        const double cpuBefore = cpuMilliseconds();
        engine->build();
        buildCpuMs.push_back(cpuMilliseconds() - cpuBefore);
        buildMs.push_back(engine->figures().buildMilliseconds);
        if (b == 0) // later builds reuse the memory the earlier ones freed
            f.residentMb = residentMegabytes() - residentBefore;

        timer.restart();
        const double ftsCpuBefore = cpuMilliseconds();
        const sqlite3_int64 sqliteBefore = sqlite3_memory_used();
        ftsTable = std::make_unique<Fts5>(massime);
        ftsMs.push_back(timer.nsecsElapsed() / 1e6);
        ftsCpuMs.push_back(cpuMilliseconds() - ftsCpuBefore);
        if (b == 0)
            f.ftsMb = (sqlite3_memory_used() - sqliteBefore) / (1024.0 * 1024.0);
    }
    f.index = engine->figures();
    f.builds = builds;
    f.buildMs = median(buildMs);
    f.buildCpuMs = median(buildCpuMs);
    f.ftsBuildMs = median(ftsMs);
    f.ftsBuildCpuMs = median(ftsCpuMs);
    Fts5& fts = *ftsTable;

    // Each query several times, the two engines taking turns; the median of each query's times.
    std::vector<double> xapianAll, xapianWords, ftsWords;
    for (const BenchQuery& b : Queries) {
        const search::Query q = toQuery(b);
        std::vector<double> x, s;
        for (int r = 0; r < rounds; ++r) {
            timer.restart();
            const search::Results results = engine->search(q);
            x.push_back(timer.nsecsElapsed() / 1e3);
            if (results.status != search::Results::Status::Ok)
                out << "  query failed: " << b.words << " " << results.hint << "\n";
            if (b.fts) {
                timer.restart();
                fts.search(b.fts);
                s.push_back(timer.nsecsElapsed() / 1e3);
            }
        }
        if (perQuery) {
            const int found = engine->search(q).total;
            out << "    " << QString::fromUtf8(b.words).leftJustified(40) << " " << QString::fromUtf8(b.court) << " "
                << b.section << " " << b.years << " " << b.number << " | Xapian " << found << " in "
                << QString::number(median(x) / 1000, 'f', 3) << " ms";
            if (b.fts)
                out << " | FTS5 " << fts.search(b.fts) << " in " << QString::number(median(s) / 1000, 'f', 3) << " ms";
            out << "\n";
        }
        xapianAll.push_back(median(x));
        f.slowestUs = std::max(f.slowestUs, median(x));
        if (b.fts) {
            xapianWords.push_back(median(x));
            ftsWords.push_back(median(s));
        }
    }
    f.xapianMedianUs = median(xapianAll);
    f.xapianWordsMedianUs = median(xapianWords);
    f.ftsMedianUs = median(ftsWords);
    return f;
}

void report(const char* title, const Figures& f)
{
    out << title << "\n";
    out << "  massime indexed: " << f.index.massime << "; citations unreadable: " << f.index.unreadableCitations
        << ", read in part: " << f.index.partialCitations << "\n";
    out << "  index builds: " << f.builds << ", each engine in turn; medians:\n";
    if (!f.index.fileProblem.isEmpty())
        out << "  the index file was not used: " << f.index.fileProblem << "\n";
    out << (f.index.fromFile ? "  Xapian index file opened: " : "  Xapian index build: ")
        << QString::number(f.buildMs, 'f', 1) << " ms (" << QString::number(f.buildCpuMs, 'f', 1)
        << " ms of processor time), resident memory added: " << QString::number(f.residentMb, 'f', 1) << " MB\n";
    out << "  FTS5 table build:   " << QString::number(f.ftsBuildMs, 'f', 1) << " ms ("
        << QString::number(f.ftsBuildCpuMs, 'f', 1) << " ms of processor time), SQLite memory: "
        << QString::number(f.ftsMb, 'f', 1) << " MB\n";
    out << "  median of the 30 queries (Xapian, everything the window asks): "
        << QString::number(f.xapianMedianUs / 1000, 'f', 3) << " ms; slowest query's median "
        << QString::number(f.slowestUs / 1000, 'f', 3) << " ms\n";
    out << "  median of the 24 word queries: Xapian " << QString::number(f.xapianWordsMedianUs / 1000, 'f', 3)
        << " ms, FTS5 " << QString::number(f.ftsMedianUs / 1000, 'f', 3) << " ms, ratio Xapian/FTS5 "
        << QString::number(f.xapianWordsMedianUs / f.ftsMedianUs, 'f', 2) << "\n";
    out.flush();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int scale = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100;
    const QList<search::SourceMassima> base = search::SearchEngine::corpusMassime();

    search::IndexFile file = search::SearchEngine::programIndexFile();
    file.path = argc > 2
        ? QString::fromLocal8Bit(argv[2])
        : QDir(app.applicationDirPath()).filePath(QStringLiteral("../bin/") + search::SearchEngine::indexFileName());
    const QByteArray title = QStringLiteral("1x (%1 massime), ").arg(base.size()).toUtf8();
    report((title + "index built in memory (when the index file cannot serve)").constData(),
           measure(base, 21, 41, true));
    report((title + "index file opened in place (the program's path)").constData(), measure(base, 21, 41, true, file));
    if (scale > 1) {
        const QList<search::SourceMassima> big = scaled(base, scale);
        const QByteArray scaledTitle =
            QStringLiteral("%1x (%2 massime), index built in memory").arg(scale).arg(big.size()).toUtf8();
        report(scaledTitle.constData(), measure(big, 1, 7));
    }
    return 0;
}
