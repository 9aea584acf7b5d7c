#include "assets.h"

#include <QHash>
#include <QtGlobal>

void lexoria_init_assets()
{
    Q_INIT_RESOURCE(assets);
}

namespace Assets {

QIcon windowIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/assets/lexoria-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/assets/lexoria-32.png"), QSize(32, 32));
    return icon;
}

QIcon toolbarIcon(const char* name, const char* themeName)
{
    static QHash<QByteArray, QIcon> made;
    const QByteArray key = QByteArray(name) + '|' + QByteArray(themeName);
    auto found = made.constFind(key);
    if (found != made.constEnd())
        return *found;
    QIcon own;
    own.addFile(QStringLiteral(":/assets/tb-%1.png").arg(QLatin1String(name)), QSize(24, 24));
    own.addFile(QStringLiteral(":/assets/tb-%1@2x.png").arg(QLatin1String(name)), QSize(48, 48));
    const QIcon icon = themeName ? QIcon::fromTheme(QLatin1String(themeName), own) : own;
    made.insert(key, icon);
    return icon;
}

} // namespace Assets
