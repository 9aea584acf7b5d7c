#pragma once
// The windows are designed in Windows fonts; Linux gets installed look-alikes.

#include <QFont>
#include <QString>

namespace Fonts {

// Maps the design's font families to installed look-alikes, once at start-up.
void installSubstitutions();

// A font of the design: family, size in points (fractions as designed: 9.75, 13.5 ...).
QFont designFont(const QString& family, double points, bool bold = false, bool italic = false,
                 bool underline = false);

inline const QString MsSansSerif = QStringLiteral("MS Sans Serif");

} // namespace Fonts
