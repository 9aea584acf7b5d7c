// Figures for the work the chooser does before it is first drawn: parsing the
// compiled-in corpus and creating the seven archive windows. Prints timings;
// asserts nothing. Run: QT_QPA_PLATFORM=offscreen build/bench/bench_startup

#include "archivetables.h"
#include "browserwindow.h"
#include "modlexoria.h"
#include "scelta.h"
#include "windowregistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    ModLexoria::InitSettings();

    QElapsedTimer timer;
    timer.start();
    int total = 0;
    for (const corpus::ArchiveInfo& a : corpus::archives())
        total += corpus::ArchiveTables::Build(a.archive).ArchiveTotal();
    out << "first build of the seven archives: " << timer.nsecsElapsed() / 1e6 << " ms (" << total << " massime)\n";

    timer.restart();
    for (const corpus::ArchiveInfo& a : corpus::archives())
        corpus::ArchiveTables::Build(a.archive);
    out << "later builds: " << timer.nsecsElapsed() / 1e6 << " ms\n";

    WindowRegistry& registry = WindowRegistry::instance();
    registry.registerWindow(QStringLiteral("scelta"), [] { return new scelta; });
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        const corpus::Archive archive = a.archive;
        registry.registerWindow(a.name, [archive] { return new BrowserWindow(archive); });
    }
    timer.restart();
    registry.show(QStringLiteral("scelta"));
    out << "chooser with its seven archive windows: " << timer.nsecsElapsed() / 1e6 << " ms\n";

    auto* edilizia = qobject_cast<BrowserWindow*>(registry.show(QStringLiteral("edilizia")));
    edilizia->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(28); // 148 massime
    timer.restart();
    constexpr int Steps = 1000;
    for (int i = 0; i < Steps; ++i) {
        edilizia->List1_Click();
        edilizia->HScroll1_Change();
    }
    out << "topic choice + bar change: " << timer.nsecsElapsed() / 1e3 / Steps << " us each\n";
    return 0;
}
