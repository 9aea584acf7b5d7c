#pragma once
// Small builders for the controls of the windows: every control gets its
// name as objectName, and its colours through the palette.

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QLabel;
class QPushButton;
class QWidget;

namespace Controls {

// A label; a background colour makes it opaque, otherwise it shows its parent.
QLabel* label(QWidget* parent, const QString& name, const QString& text, const QFont& font, const QColor& textColour,
              std::optional<QColor> background = std::nullopt, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip,
                    const QFont& font);

// Sets a tooltip that shows `text` as written, for text read from files: a
// text Qt would take for rich text goes in escaped, so no markup is obeyed and
// no image is loaded; the accessible description then keeps the bare text.
// Any other text is set unchanged.
void setPlainToolTip(QWidget* widget, const QString& text);

// Gives a word-wrapped label the largest size, from `points` down to `minimum`,
// at which its whole text fits its box (the look-alike fonts run wider than
// the Windows fonts the boxes were measured for, and some titles are long).
void fitText(QLabel* label, double points, double minimum);

// A window of fixed size with a close button only (no minimise, no maximise);
// its client area in twips.
void makeFixedWindow(QWidget* window, double clientWidth, double clientHeight);

// Centres the window, frame included, on its screen's available area.
void centreOnScreen(QWidget* window);

// The window (or control) background colour, through the palette.
void setBackColor(QWidget* widget, const QColor& colour);
QColor backColor(const QWidget* widget);

// A box that shows the text of a massima: dark blue on white, 9.75 points, the
// same in every window that shows one.
void styleMassimaText(QWidget* box);

} // namespace Controls
