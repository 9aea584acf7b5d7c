#pragma once
// What the information, support and catalogue windows share: their colours and
// labels that grow to fit their text.

#include <QColor>

class QLabel;
class QWidget;

namespace InfoStyle {

inline const QColor Blue(0, 0, 255);
inline const QColor DarkBlue(0, 0, 192);
inline const QColor Red(255, 0, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor LightYellow(255, 255, 192);

// A one-line label whose text is wider than its designed box grows to fit it,
// around its centre when centred, to the right otherwise; never past its parent.
void fitToText(QLabel* label);

} // namespace InfoStyle
