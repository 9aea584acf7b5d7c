#include "app/wiring.h"

#include "browser/registerbrowser.h"
#include "export/exports.h"
#include "export/presentation.h"
#include "help/helpwindow.h"
#include "help/registerhelp.h"
#include "help/sommario.h"
#include "info/infowindows.h"
#include "info/prodotti.h"
#include "search/registersearch.h"
#include "shell/frmsplash.h"
#include "shell/maker.h"
#include "shell/modlexoria.h"
#include "shell/scelta.h"
#include "shell/windowregistry.h"

#include <QLocale>

namespace Wiring {

void registerWindows(WindowRegistry& registry)
{
    registry.registerWindow(QStringLiteral("frmSplash"), [] { return new frmSplash; });
    registry.registerWindow(QStringLiteral("scelta"), [] { return new scelta; });
    registerBrowserWindows(registry);
    registerHelpWindows(registry);
    registerInfoWindows(registry);
    registerSearchWindows(registry);
    registerPageWindowsOutsideTheGuide(registry);
}

void connectPrinting(WindowRegistry& registry)
{
    HelpWindow::setTextPrinter(&ModLexoria::PrintHelpText);
    HelpWindow::setLicencePrinter(&ModLexoria::PrintLicence);
    sommario::setGuidePrinter([] { ModLexoria::PrintWholeGuide(HelpWindow::readGuide()); });
    prodotti::setPrintHook([](const PriceList& list) {
        ModLexoria::ReportPrintProblem(Exports::printPriceList(list.records, Maker::PurchasePage, QLocale()));
    });
    Presentation::setDocumentWindowHook([&registry](QWidget* window) { registry.holdProcess(window); });
    Presentation::setHandoverHook([&registry](QObject* handover) { registry.holdProcess(handover); });
}

} // namespace Wiring
