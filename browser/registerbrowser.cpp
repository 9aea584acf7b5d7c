#include "browser/registerbrowser.h"

#include "browser/browserwindow.h"
#include "shell/windowregistry.h"

void registerBrowserWindows(WindowRegistry& registry)
{
    // Registration order is the exit sequence's order: window-number order.
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        const corpus::Archive archive = a.archive;
        registry.registerWindow(a.name, [archive] { return new BrowserWindow(archive); });
    }
}
