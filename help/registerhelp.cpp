#include "registerhelp.h"

#include "frmtip.h"
#include "helppages.h"
#include "helpwindow.h"
#include "sommario.h"
#include "windowregistry.h"

void registerHelpWindows(WindowRegistry& registry)
{
    for (const help::HelpPage& page : help::pages())
        registry.registerWindow(page.name, [page] { return new HelpWindow(page); });
    registry.registerWindow(QStringLiteral("sommario"), [] { return new sommario; });
    registry.registerWindow(QStringLiteral("frmTip"), [] { return new frmTip; });
}
