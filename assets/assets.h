#pragma once
// The program's compiled-in pictures, under ":/assets/" (see assets.qrc):
//   :/assets/splash.png                     the splash picture, 215 x 299, 256 colours
//   :/assets/lexoria.png, lexoria-32.png,
//   :/assets/lexoria-16.png                 the window icon at 256, 32 and 16 pixels
//   :/assets/tb-<name>.png                  a 24 x 24 toolbar icon; QIcon takes the 48 x 48
//                                           tb-<name>@2x.png on its own on high-DPI screens
//
// A program that links lexoria_assets has them registered before main() runs.

#include <QIcon>
#include <QString>

class QPixmap;

namespace Assets {

// ":/assets/<name>.png", decoded (name without the suffix: "splash", "tb-menu").
QPixmap picture(const char* name);

// The window icon at the sizes title bars and task bars show (16 and 32
// pixels): the 256-pixel picture is not decoded at start.
QIcon windowIcon();

// The toolbar icon ":/assets/tb-<name>.png" (with its @2x partner for
// high-density screens), or the desktop theme's icon `themeName` where the
// theme has one. Made once per process and shared, so each picture is looked
// up and decoded once however many toolbars show it. For the GUI thread.
QIcon toolbarIcon(const QString& name, const QString& themeName = {});

} // namespace Assets
