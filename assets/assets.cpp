#include "assets.h"

#include <QtGlobal>

void lexoria_init_assets()
{
    Q_INIT_RESOURCE(assets);
}
