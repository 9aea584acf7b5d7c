#include "info/infowindows.h"

#include "info/informa.h"
#include "info/prodotti.h"
#include "info/supportoclienti.h"
#include "shell/windowregistry.h"

void registerInfoWindows(WindowRegistry& registry)
{
    // Registration order is the exit sequence's order.
    registry.registerWindow(QStringLiteral("prodotti"), [] { return new prodotti; });
    registry.registerWindow(QStringLiteral("supportoclienti"), [] { return new supportoclienti; });
    registry.registerWindow(QStringLiteral("informa"), [] { return new informa; });
}
