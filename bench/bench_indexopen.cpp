// Opening the program's index file and answering one two-word query in a fresh
// process, as the program's first search does: many fresh processes, each run
// alternating (the order turning every run) with a bare process of the same
// binary that only starts and ends. Prints medians; asserts nothing.
// Run: build/bench/bench_indexopen [RUNS [INDEX_FILE [QUERY]]]
// (the index file defaults to the one beside the program, ../bin from here)

#include "search/searchengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

// VmRSS of this process in KiB.
double residentKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return 0;
}

// One fresh process: opens `path` as the program's index file, searches once,
// prints "open_ms query_ms total_ms rss_added_kib from_file total_hits".
int once(const QString& path, const QString& words)
{
    malloc_trim(0);
    const double before = residentKib();
    QElapsedTimer timer;
    timer.start();
    search::IndexFile file = search::SearchEngine::programIndexFile();
    file.path = path;
    search::SearchEngine engine(&search::SearchEngine::corpusMassime, file, &search::SearchEngine::corpusMassima);
    const bool opened = engine.openIndexFile();
    const double openMs = timer.nsecsElapsed() / 1e6;
    search::Query query;
    query.words = words;
    const search::Results results = engine.search(query);
    const double totalMs = timer.nsecsElapsed() / 1e6;
    malloc_trim(0);
    const double added = residentKib() - before;
    std::printf("%.3f %.3f %.3f %.0f %d %d\n", openMs, totalMs - openMs, totalMs, added, opened ? 1 : 0, results.total);
    if (!opened)
        std::fprintf(stderr, "index file not used: %s\n", qPrintable(engine.figures().fileProblem));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return 0;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 1 && args[1] == QLatin1String("--once"))
        return once(args.value(2), args.value(3));

    const int runs = args.size() > 1 ? args[1].toInt() : 41;
    const QString path = args.size() > 2
        ? args[2]
        : QDir(app.applicationDirPath()).filePath(QStringLiteral("../bin/") + search::SearchEngine::indexFileName());
    const QString words = args.size() > 3 ? args[3] : QStringLiteral("ordinanza demolizione");
    std::vector<double> bare, whole, openMs, queryMs, totalMs, addedKib;
    int hits = -1, fromFile = 0;
    for (int r = 0; r < runs; ++r) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool isBare = (turn == 0) == (r % 2 == 0);
            QProcess p;
            p.setProgram(app.applicationFilePath());
            p.setArguments(isBare ? QStringList{QStringLiteral("--bare")}
                                  : QStringList{QStringLiteral("--once"), path, words});
            QElapsedTimer timer;
            timer.start();
            p.start();
            p.waitForFinished(-1);
            const double ms = timer.nsecsElapsed() / 1e6;
            if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
                std::fprintf(stderr, "run failed: %s\n", p.readAllStandardError().constData());
                return 1;
            }
            if (isBare) {
                bare.push_back(ms);
                continue;
            }
            whole.push_back(ms);
            const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
            openMs.push_back(f.value(0).toDouble());
            queryMs.push_back(f.value(1).toDouble());
            totalMs.push_back(f.value(2).toDouble());
            addedKib.push_back(f.value(3).toDouble());
            fromFile += f.value(4).toInt();
            hits = f.value(5).toInt();
        }
    }
    QTextStream out(stdout);
    out << "index file " << QFileInfo(path).fileName() << ", " << QFileInfo(path).size() << " bytes; query \"" << words
        << "\", " << hits << " matches; opened from the file in " << fromFile << " of " << runs << " processes\n";
    out << "  in process, median of " << runs << ": open " << QString::number(median(openMs), 'f', 2)
        << " ms + first query " << QString::number(median(queryMs), 'f', 2)
        << " ms = " << QString::number(median(totalMs), 'f', 2) << " ms\n";
    std::vector<double> extra;
    for (size_t i = 0; i < whole.size(); ++i)
        extra.push_back(whole[i] - bare[i]);
    out << "  whole process, median: " << QString::number(median(whole), 'f', 1) << " ms against the bare process's "
        << QString::number(median(bare), 'f', 1) << " ms (paired difference " << QString::number(median(extra), 'f', 1)
        << " ms, ratio " << QString::number(median(whole) / median(bare), 'f', 2) << ")\n";
    out << "  resident memory added by open + first query (VmRSS after malloc_trim), median: "
        << QString::number(median(addedKib) / 1024.0, 'f', 2) << " MiB\n";
    return 0;
}
