#include "tests/support/guitest.h"

#include "export/presentation.h"
#include "export/wordautomation.h"
#include "help/helpwindow.h"
#include "help/sommario.h"
#include "info/prodotti.h"
#include "scaling/twips.h"
#include "shell/dialogs.h"
#include "shell/modlexoria.h"

#include <QCoreApplication>
#include <QEvent>

WindowRegistry& registry() { return WindowRegistry::instance(); }

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

void resetWindows()
{
    registry().reset();
    flushDeletes();
}

void missingControl(const QObject* window, const QString& name, const char* type)
{
    // The window as the registry knows it, and its class: "condominio (BrowserWindow)".
    const QString windowName = window
        ? QStringLiteral("%1 (%2)").arg(window->objectName(), QLatin1String(window->metaObject()->className()))
        : QStringLiteral("none");
    qFatal("control %s (%s) missing in window %s", qPrintable(name), type, qPrintable(windowName));
}

void ProcessSettingsGuard::restoreDefaults()
{
    Presentation::setMode(Presentation::Mode::Open);
    Presentation::setFinder({});
    Presentation::setDocumentFolder(QString());
    Presentation::setHandoverTimeout(0);
    Presentation::setDocumentWindowHook({});
    Presentation::setHandoverHook({});
    WordApplication::setRecording(false);
    ModLexoria::setOpenUrlHandler(nullptr);
    Dialogs::setProvider(nullptr);
    HelpWindow::setTextPrinter({});
    HelpWindow::setLicencePrinter({});
    sommario::setGuidePrinter({});
    prodotti::setPrintHook({});
    scaling::setScreenSizeTwipsOverride(std::nullopt);
}
