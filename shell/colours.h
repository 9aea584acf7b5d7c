#pragma once
// The colours the windows are drawn in, named once for every window.

#include <QColor>

namespace Colours {

inline const QColor Yellow(255, 255, 0);
inline const QColor PaleYellow(255, 255, 192);
inline const QColor Red(255, 0, 0);
inline const QColor Cyan(0, 255, 255);
inline const QColor Blue(0, 0, 255);
inline const QColor DarkBlue(0, 0, 192);
inline const QColor DarkRed(160, 0, 0);       // the search window's hints
inline const QColor Grey(128, 128, 128);      // the archive windows' background
inline const QColor LightGrey(192, 192, 192); // the uniform background the colour command offers

} // namespace Colours
