#pragma once
// The windows are designed in Windows fonts; Linux gets installed look-alikes.

#include <QFont>
#include <QString>

namespace Fonts {

// Maps the windows' font families to installed look-alikes, once at start-up.
void installSubstitutions();

// A font of the windows: family, size in points (fractions as on Windows: 9.75, 13.5 ...).
QFont designFont(const QString& family, double points, bool bold = false, bool italic = false,
                 bool underline = false);

inline const QString MsSansSerif = QStringLiteral("MS Sans Serif");

// MS Sans Serif, the face of nearly every control.
inline QFont sansSerif(double points, bool bold = false, bool underline = false)
{
    return designFont(MsSansSerif, points, bold, false, underline);
}

} // namespace Fonts
