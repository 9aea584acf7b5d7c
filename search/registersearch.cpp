#include "registersearch.h"

#include "ricerca.h"
#include "windowregistry.h"

void registerSearchWindows(WindowRegistry& registry)
{
    registry.registerWindow(QStringLiteral("ricerca"), [] { return new ricerca; });
}
