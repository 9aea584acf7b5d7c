#include "assets/assets.h"

#include <QGuiApplication>
#include <QHash>
#include <QPixmap>

namespace Assets {

QPixmap picture(const char* name)
{
    // The format is named: left to guess, Qt's reader would load every image
    // format plugin to ask each whether it knows the file.
    return QPixmap(QStringLiteral(":/assets/%1.png").arg(QLatin1String(name)), "PNG");
}

QIcon windowIcon()
{
    QIcon icon;
    icon.addPixmap(picture("lexoria-16"));
    icon.addPixmap(picture("lexoria-32"));
    return icon;
}

QIcon toolbarIcon(const QString& name, const QString& themeName)
{
    static QHash<QString, QIcon> made;
    const QString key = name + QLatin1Char('|') + themeName;
    auto found = made.constFind(key);
    if (found != made.constEnd())
        return *found;
    QIcon own;
    own.addPixmap(picture(QByteArray("tb-" + name.toUtf8()).constData()));
    if (qApp && qApp->devicePixelRatio() > 1) {
        // 48 pixels drawn in a 24-pixel place on high-density screens.
        QPixmap twice = picture(QByteArray("tb-" + name.toUtf8() + "@2x").constData());
        twice.setDevicePixelRatio(2);
        own.addPixmap(twice);
    }
    const QIcon icon = themeName.isEmpty() ? own : QIcon::fromTheme(themeName, own);
    made.insert(key, icon);
    return icon;
}

} // namespace Assets
