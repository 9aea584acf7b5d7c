#include "infowindows.h"

#include "informa.h"
#include "prodotti.h"
#include "supportoclienti.h"
#include "windowregistry.h"

void registerInfoWindows(WindowRegistry& registry)
{
    // Registration order is the exit sequence's order.
    registry.registerWindow(QStringLiteral("prodotti"), [] { return new prodotti; });
    registry.registerWindow(QStringLiteral("supportoclienti"), [] { return new supportoclienti; });
    registry.registerWindow(QStringLiteral("informa"), [] { return new informa; });
}
