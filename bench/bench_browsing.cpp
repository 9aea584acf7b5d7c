// In-process figures for reading an archive: the corpus build the chooser does
// for its seven archive windows, a topic choice and one scroll step each with
// the window repainted, and the whole topic of 148 massime (edilizia, topic
// 29) from the menu command to the document handed over. Each is the median
// of many runs, interleaved with a baseline measured alike: a bare text box of
// the same size given a massima's text and repainted. Asserts nothing.
//
// The first corpus build of a process is what the chooser pays at start-up;
// "--first-build" prints only that one figure (ms), for a script to take the
// median over fresh processes.
//
// Usage: QT_QPA_PLATFORM=offscreen bench_browsing [RUNS | --first-build]

#include "browser/browserwindow.h"
#include "corpus/archivetables.h"
#include "export/presentation.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Figures {
    const char* name;
    std::function<void(int run)> work;
    std::vector<double> ms;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double timeMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ModLexoria::InitSettings();
    const double firstBuild = timeMs([] {
        for (const corpus::ArchiveInfo& a : corpus::archives())
            if (corpus::ArchiveTables::Build(a.archive).TopicListEntries().isEmpty())
                std::abort();
    });
    if (argc > 1 && QByteArray(argv[1]) == "--first-build") {
        std::printf("%.3f\n", firstBuild);
        return 0;
    }
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 41;

    // Documents go to a scratch folder and are handed to a program that takes them and ends.
    QTemporaryDir scratch;
    Presentation::setDocumentFolder(scratch.filePath(QStringLiteral("documenti")));
    const QString taker = QStandardPaths::findExecutable(QStringLiteral("true"));
    Presentation::setFinder([taker](const QString& file) {
        return std::optional<Presentation::WordProcessor>({QStringLiteral("true"), taker, {file}});
    });

    WindowRegistry& registry = WindowRegistry::instance();
    registry.registerWindow(QStringLiteral("edilizia"), [] { return new BrowserWindow(corpus::Archive::edilizia); });
    auto* window = qobject_cast<BrowserWindow*>(registry.show(QStringLiteral("edilizia")));
    auto* list = window->findChild<QListWidget*>(QStringLiteral("List1"));
    auto* bar = window->findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("sent"));
    QApplication::processEvents();

    QPlainTextEdit bare;
    bare.resize(text->size());
    bare.show();
    QApplication::processEvents();
    const corpus::ArchiveTables edilizia = corpus::ArchiveTables::Build(corpus::Archive::edilizia);

    constexpr int WholeTopic = 29; // 148 massime
    std::vector<Figures> figures = {
        {"baseline: bare text box, set text + repaint", [&](int run) {
             bare.setPlainText(edilizia.Massima(WholeTopic, 1 + run % 148));
             bare.repaint();
         }, {}},
        {"corpus build again, seven archives (tables + topic lists)", [&](int) {
             int entries = 0;
             for (const corpus::ArchiveInfo& a : corpus::archives())
                 entries += int(corpus::ArchiveTables::Build(a.archive).TopicListEntries().size());
             if (entries == 0)
                 std::abort();
         }, {}},
        {"topic choice + repaint", [&](int run) {
             list->setCurrentRow(run % 2 ? 10 : WholeTopic - 1);
             window->repaint();
         }, {}},
        {"one scroll step + repaint", [&](int run) {
             bar->setValue(1 + run % 100);
             window->repaint();
         }, {}},
        {"whole topic, 148 massime: menu command to document handed over", {}, {}},
    };
    // The whole-topic figure times the command only: choosing the topic first is set-up.
    for (int run = -2; run < runs; ++run) {
        for (Figures& f : figures) {
            double ms = 0;
            if (!f.work) {
                list->setCurrentRow(WholeTopic - 1);
                bar->setValue(1);
                ms = timeMs([&] { window->stampatutte_Click(); });
            } else {
                ms = timeMs([&] { f.work(run < 0 ? 0 : run); });
            }
            if (run >= 0)
                f.ms.push_back(ms);
            QApplication::processEvents();
        }
    }
    std::printf("| in-process (%d runs each) | min | median | max |\n|---|---|---|---|\n", runs);
    for (const Figures& f : figures)
        std::printf("| %s | %.2f | %.2f | %.2f ms |\n", f.name, *std::min_element(f.ms.begin(), f.ms.end()), median(f.ms),
                    *std::max_element(f.ms.begin(), f.ms.end()));
    const int left = int(QDir(Presentation::documentFolder()).entryList({QStringLiteral("documento-*.odt")}).size());
    std::printf("\ndocuments left in the document folder after %d whole-topic exports: %d\n", runs + 2, left);
    return 0;
}
