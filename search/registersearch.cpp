#include "search/registersearch.h"

#include "search/ricerca.h"
#include "shell/windowregistry.h"

void registerSearchWindows(WindowRegistry& registry)
{
    registry.registerWindow(QStringLiteral("ricerca"), [] { return new ricerca; });
}
