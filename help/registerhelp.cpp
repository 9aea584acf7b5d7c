#include "registerhelp.h"

#include "frmtip.h"
#include "helppages.h"
#include "helpwindow.h"
#include "sommario.h"
#include "windowregistry.h"

void registerHelpWindows(WindowRegistry& registry)
{
    // Registration order is the exit sequence's order: the contents window, the
    // guide, the tip of the day, then the licence terms.
    registry.registerWindow(QStringLiteral("sommario"), [] { return new sommario; });
    for (const help::HelpPage& page : help::pagesInClosingOrder())
        registry.registerWindow(page.name, [page] { return new HelpWindow(page); });
    registry.registerWindow(QStringLiteral("frmTip"), [] { return new frmTip; });
    for (const help::HelpPage& page : help::pages())
        if (page.licence)
            registry.registerWindow(page.name, [page] { return new HelpWindow(page); });
}
