#pragma once
// What the information, support and catalogue windows share: labels that grow
// to fit their text. Their colours are the program's (colours.h).

#include "shell/colours.h"

class QLabel;
class QWidget;

namespace InfoStyle {

// A one-line label whose text is wider than its designed box grows to fit it,
// around its centre when centred, to the right otherwise; never past its parent.
void fitToText(QLabel* label);

} // namespace InfoStyle
