// The search window as a user meets it, in fresh processes (run it under Xvfb):
// the index file opened on a worker thread at start, as the program does, the
// chooser shown, then the search window; a word typed key by key at a typist's
// pace, and the time from a key to the first paint of the results list after
// that key's results arrived (typing pause included). The first word is the
// first search of the process, the second word a later one. Also the resident
// memory after the chooser against after the first search. Prints medians.
// Run: build/bench/bench_typing [PROCESSES [INDEX_FILE [PACE_MS]]]
// (the index file defaults to the one beside the program, ../bin from here)

#include "app/wiring.h"
#include "search/ricerca.h"
#include "search/searchengine.h"
#include "shell/windowregistry.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <QTextStream>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <vector>

namespace {

const QString FirstWord = QStringLiteral("demolizione");
const QString SecondWord = QStringLiteral("risarcimento");

double median(std::vector<double> v)
{
    v.erase(std::remove(v.begin(), v.end(), -1.0), v.end());
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

double residentKib()
{
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return 0;
}

// Records when the results list's viewport is first painted after the model
// changed, once armed.
class PaintProbe : public QObject {
public:
    explicit PaintProbe(QTableView* list) : viewport_(list->viewport())
    {
        viewport_->installEventFilter(this);
        connect(list->model(), &QAbstractItemModel::modelReset, this, [this] { arrived_ = armed_; });
        clock_.start();
    }
    void arm()
    {
        armed_ = true;
        arrived_ = false;
        paintedAt_ = -1;
        armedAt_ = clock_.nsecsElapsed();
    }
    // Milliseconds from arm() to the paint; -1 while there is none.
    double latencyMs() const { return paintedAt_ < 0 ? -1 : (paintedAt_ - armedAt_) / 1e6; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == viewport_ && event->type() == QEvent::Paint && arrived_ && paintedAt_ < 0) {
            paintedAt_ = clock_.nsecsElapsed();
            armed_ = false;
        }
        return false;
    }

private:
    QWidget* viewport_;
    QElapsedTimer clock_;
    qint64 armedAt_ = 0;
    qint64 paintedAt_ = -1;
    bool armed_ = false;
    bool arrived_ = false;
};

// Types `word` key by key, one key every `paceMs`; the latency after each key
// (-1 where the results were not painted before the next key).
std::vector<double> typeWord(QLineEdit* field, PaintProbe& probe, const QString& word, int paceMs)
{
    std::vector<double> latencies;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const bool last = i + 1 == word.size();
        QElapsedTimer key;
        key.start();
        probe.arm();
        QTest::keyClick(field, word.at(i).toLatin1());
        if (last) {
            if (!QTest::qWaitFor([&probe] { return probe.latencyMs() >= 0; }, 5000))
                std::fprintf(stderr, "no results painted within 5 s of the last key\n");
        } else
            while (key.elapsed() < paceMs)
                QTest::qWait(int(std::max<qint64>(1, paceMs - key.elapsed())));
        latencies.push_back(probe.latencyMs());
    }
    return latencies;
}

// One fresh process; prints "first_key first_word_last_key second_word_last_key
// rss_chooser_kib rss_first_search_kib second_word_keys_painted_in_time".
int once(int argc, char** argv, const QString& path, int paceMs)
{
    QApplication app(argc, argv);
    search::IndexFile file = search::SearchEngine::programIndexFile();
    file.path = path;
    search::SearchEngine engine(&search::SearchEngine::corpusMassime, file, &search::SearchEngine::corpusMassima);
    // As the program does while its splash window shows.
    QThreadPool::globalInstance()->start([&engine] { engine.openIndexFile(); });

    WindowRegistry& registry = WindowRegistry::instance();
    Wiring::registerWindows(registry);
    QWidget* chooser = registry.show(QStringLiteral("scelta"));
    if (!chooser || !QTest::qWaitForWindowExposed(chooser))
        return 1;
    QTest::qWait(300);
    QThreadPool::globalInstance()->waitForDone();
    const double rssChooser = residentKib();

    auto* window = new ricerca(&engine);
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return 1;
    window->activateWindow();
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("testo"));
    auto* list = window->findChild<QTableView*>(QStringLiteral("risultati"));
    if (!field || !list)
        return 1;
    field->setFocus();
    QTest::qWait(300);
    PaintProbe probe(list);

    const std::vector<double> first = typeWord(field, probe, FirstWord, paceMs);
    QTest::qWait(300);
    const double rssFirst = residentKib();
    field->clear();
    QTest::qWait(500);
    const std::vector<double> second = typeWord(field, probe, SecondWord, paceMs);
    const int inTime = int(std::count_if(second.begin(), second.end(), [](double v) { return v >= 0; }));
    std::printf("%.2f %.2f %.2f %.0f %.0f %d %d\n", first.front(), first.back(), second.back(), rssChooser, rssFirst,
                inTime, engine.figures().fromFile ? 1 : 0);
    delete window;
    registry.reset();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--once")
        return once(argc, argv, QString::fromLocal8Bit(argc > 2 ? argv[2] : ""), argc > 3 ? atoi(argv[3]) : 120);

    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int processes = args.size() > 1 ? args[1].toInt() : 21;
    const QString path = args.size() > 2
        ? args[2]
        : QDir(app.applicationDirPath()).filePath(QStringLiteral("../bin/") + search::SearchEngine::indexFileName());
    const int pace = args.size() > 3 ? args[3].toInt() : 120;
    std::vector<double> firstKey, firstLast, secondLast, chooser, afterFirst, ratio;
    int fromFile = 0, inTime = 0;
    for (int r = 0; r < processes; ++r) {
        QProcess p;
        p.setProgram(app.applicationFilePath());
        p.setArguments({QStringLiteral("--once"), path, QString::number(pace)});
        p.start();
        p.waitForFinished(-1);
        const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || f.size() < 7) {
            std::fprintf(stderr, "process failed: %s\n", p.readAllStandardError().constData());
            return 1;
        }
        firstKey.push_back(f[0].toDouble());
        firstLast.push_back(f[1].toDouble());
        secondLast.push_back(f[2].toDouble());
        chooser.push_back(f[3].toDouble());
        afterFirst.push_back(f[4].toDouble());
        if (f[1].toDouble() >= 0 && f[2].toDouble() >= 0)
            ratio.push_back(f[1].toDouble() / f[2].toDouble());
        inTime += f[5].toInt();
        fromFile += f[6].toInt();
    }
    std::vector<double> added;
    for (size_t i = 0; i < chooser.size(); ++i)
        added.push_back(afterFirst[i] - chooser[i]);
    QTextStream out(stdout);
    const auto ms = [](double v) { return QString::number(v, 'f', 1) + QStringLiteral(" ms"); };
    out << processes << " fresh processes, keys " << pace << " ms apart, index opened from the file in " << fromFile
        << "; key to results painted, medians (typing pause included):\n";
    out << "  first key of the process (\"" << FirstWord.left(1) << "\"): " << ms(median(firstKey)) << "\n";
    out << "  last key of the first word (\"" << FirstWord << "\"): " << ms(median(firstLast)) << "\n";
    out << "  last key of the second word (\"" << SecondWord << "\"): " << ms(median(secondLast))
        << "; first / second, paired median " << QString::number(median(ratio), 'f', 2) << "\n";
    out << "  keys of the second word painted before the next key: " << inTime << " of "
        << processes * SecondWord.size() << "\n";
    out << "  resident memory (VmRSS after malloc_trim), median: chooser "
        << QString::number(median(chooser) / 1024, 'f', 1) << " MiB, after the first search "
        << QString::number(median(afterFirst) / 1024, 'f', 1) << " MiB, added "
        << QString::number(median(added) / 1024, 'f', 1) << " MiB\n";
    return 0;
}
