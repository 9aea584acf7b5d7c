#pragma once
// Twips <-> pixels. Every window of the program is designed in twips
// (1440 to the inch); a twip becomes pixels through the logical DPI of the
// widget's screen (the primary screen while it has none), horizontally and
// vertically apart: 15 twips a pixel at 96 DPI. Values stay in twips (double,
// unrounded) until the last step, where they are rounded to whole pixels.
//
// Window helpers ("outer" = frame included, as classic Windows programs measure a
// window): a Qt top-level's resize() sets its client size and move() its frame
// position. The real frame is used once the window manager has framed the
// window (frameGeometry() differs from geometry()); until then, and on
// platforms without frames, a nominal classic Windows frame: a 4 px
// border on each side and a 19 px caption. A QMainWindow's menu bar is part of
// the widget's own size. On a widget that is not a window "outer" is simply
// its geometry. Windows call these in their load step, often while hidden.

#include <QMargins>
#include <QRectF>
#include <QSizeF>
#include <optional>

class QWidget;

namespace scaling {

inline constexpr double TwipsPerInch = 1440.0;
inline constexpr int NominalBorderPixels = 4;
inline constexpr int NominalCaptionPixels = 19;

double twipsPerPixelX(const QWidget* widget = nullptr);
double twipsPerPixelY(const QWidget* widget = nullptr);

// Rounded to whole pixels: the last step of every conversion.
int pixelsFromTwipsX(const QWidget* widget, double twips);
int pixelsFromTwipsY(const QWidget* widget, double twips);
double twipsFromPixelsX(const QWidget* widget, double pixels);
double twipsFromPixelsY(const QWidget* widget, double pixels);

// Controls: geometry in the parent's coordinates.
void placeTwips(QWidget* control, double left, double top, double width, double height);
QRectF geometryTwips(const QWidget* control);

// Frame around the client area in pixels: the real one when known, else nominal.
QMargins framePixels(const QWidget* window);

void setOuterWidthTwips(QWidget* window, double twips);
void setOuterHeightTwips(QWidget* window, double twips);
void setLeftTwips(QWidget* window, double twips);
void setTopTwips(QWidget* window, double twips);
double outerWidthTwips(const QWidget* window);
double outerHeightTwips(const QWidget* window);
double leftTwips(const QWidget* window);
double topTwips(const QWidget* window);

// Size of the widget's screen in twips (pixels times twips per pixel), or the
// override when one is set. Tests fix the screen with the override; pass
// std::nullopt to return to the real screen.
QSizeF screenSizeTwips(const QWidget* widget = nullptr);
void setScreenSizeTwipsOverride(std::optional<QSizeF> twips);

} // namespace scaling
