#include "wiring.h"

#include "registerbrowser.h"
#include "exports.h"
#include "frmsplash.h"
#include "helpwindow.h"
#include "infowindows.h"
#include "maker.h"
#include "modlexoria.h"
#include "presentation.h"
#include "prodotti.h"
#include "registerhelp.h"
#include "registersearch.h"
#include "scelta.h"
#include "sommario.h"
#include "windowregistry.h"

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
