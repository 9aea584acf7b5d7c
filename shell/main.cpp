// Lexoria: ties the windows of every folder to the registry and starts on the
// splash window.

#include "assets.h"
#include "benchprobe.h"
#include "browserwindow.h"
#include "dialogs.h"
#include "fonts.h"
#include "exports.h"
#include "frmsplash.h"
#include "helpwindow.h"
#include "maker.h"
#include "modlexoria.h"
#include "presentation.h"
#include "prodotti.h"
#include "sommario.h"
#include "infowindows.h"
#include "registerhelp.h"
#include "scelta.h"
#include "windowregistry.h"

#include <QApplication>

namespace {

void registerWindows(WindowRegistry& registry)
{
    registry.registerWindow(QStringLiteral("frmSplash"), [] { return new frmSplash; });
    registry.registerWindow(QStringLiteral("scelta"), [] { return new scelta; });
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        const corpus::Archive archive = a.archive;
        registry.registerWindow(a.name, [archive] { return new BrowserWindow(archive); });
    }
    registerInfoWindows(registry);
    registerHelpWindows(registry);
}

// The print buttons of the help, contents and catalogue windows, and the built-in
// document window, which keeps the process alive like the word processor it stands for.
void connectPrinting(WindowRegistry& registry)
{
    HelpWindow::setTextPrinter(&ModLexoria::PrintHelpText);
    HelpWindow::setLicencePrinter(&ModLexoria::PrintLicence);
    sommario::setGuidePrinter([] { ModLexoria::PrintWholeGuide(HelpWindow::readGuide()); });
    prodotti::setPrintHook([](const PriceList& list) {
        ModLexoria::ReportPrintProblem(Exports::printPriceList(list.records, Maker::PurchasePage, QLocale()));
    });
    Presentation::setDocumentWindowHook([&registry](QWidget* window) { registry.holdProcess(window); });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lexoria"));
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
    registerWindows(registry);
    connectPrinting(registry);

    BenchProbe::installFromEnvironment();
    registry.show(QStringLiteral("frmSplash"));
    return app.exec();
}
