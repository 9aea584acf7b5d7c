// Lexoria: wires the windows of every folder and starts on the splash window.

#include "app/benchprobe.h"
#include "app/testdrive.h"
#include "app/wiring.h"
#include "assets/assets.h"
#include "search/searchengine.h"
#include "shell/dialogs.h"
#include "shell/fonts.h"
#include "shell/windowregistry.h"

#include <QApplication>
#include <QThreadPool>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lexoria"));
    QApplication::setDesktopFileName(QStringLiteral("example.velaria.Lexoria")); // the menu entry's id
    QApplication::setWindowIcon(Assets::windowIcon());
    // The process ends when its last loaded window is unloaded, hidden ones included.
    QApplication::setQuitOnLastWindowClosed(false);
    Dialogs::installItalianTranslations();
    Fonts::installSubstitutions();

    WindowRegistry& registry = WindowRegistry::instance();
    QObject::connect(&registry, &WindowRegistry::lastWindowUnloaded, &app, [&registry] {
        if (registry.isEmpty())
            QCoreApplication::quit();
    }, Qt::QueuedConnection);
    Wiring::registerWindows(registry);
    Wiring::connectPrinting(registry);

    BenchProbe::installFromEnvironment(); // benchmarks only: nothing unless LEXORIA_BENCH_* is set
    registry.show(QStringLiteral("frmSplash"));
    // The search index is opened and checked off the window's thread while the
    // user reads the splash window, so the first search answers at once.
    QThreadPool::globalInstance()->start([] { search::SearchEngine::shared().openIndexFile(); });
    TestDrive::startIfAsked(); // tests only: nothing unless LEXORIA_TEST_DRIVE is set
    const int status = app.exec();
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
