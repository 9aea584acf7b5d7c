#include "help/registerhelp.h"

#include "help/frmtip.h"
#include "help/helppages.h"
#include "help/helpwindow.h"
#include "help/sommario.h"
#include "shell/windowregistry.h"

void registerHelpWindows(WindowRegistry& registry)
{
    // Registration order is the exit sequence's order: the contents window, the
    // guide, the tip of the day, then the licence terms.
    registry.registerWindow(QStringLiteral("sommario"), [] { return new sommario; });
    for (const help::HelpPage& page : help::pagesInClosingOrder())
        if (page.inGuide)
            registry.registerWindow(page.name, [page] { return new HelpWindow(page); });
    registry.registerWindow(QStringLiteral("frmTip"), [] { return new frmTip; });
    for (const help::HelpPage& page : help::pages())
        if (page.licence)
            registry.registerWindow(page.name, [page] { return new HelpWindow(page); });
}

void registerPageWindowsOutsideTheGuide(WindowRegistry& registry)
{
    for (const help::HelpPage& page : help::pages())
        if (!page.inGuide)
            registry.registerWindow(page.name, [page] { return new HelpWindow(page); });
}
