#include "scaling/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace scaling {

namespace {

constexpr double FallbackDpi = 96.0;

std::optional<QSizeF>& screenOverride()
{
    static std::optional<QSizeF> size;
    return size;
}

QScreen* screenOf(const QWidget* widget)
{
    QScreen* screen = widget ? widget->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

double twipsPerPixel(double dpi)
{
    return TwipsPerInch / (dpi > 0 ? dpi : FallbackDpi);
}

} // namespace

double twipsPerPixelX(const QWidget* widget)
{
    const QScreen* screen = screenOf(widget);
    return twipsPerPixel(screen ? screen->logicalDotsPerInchX() : FallbackDpi);
}

double twipsPerPixelY(const QWidget* widget)
{
    const QScreen* screen = screenOf(widget);
    return twipsPerPixel(screen ? screen->logicalDotsPerInchY() : FallbackDpi);
}

int pixelsFromTwipsX(const QWidget* widget, double twips)
{
    return qRound(twips / twipsPerPixelX(widget));
}

int pixelsFromTwipsY(const QWidget* widget, double twips)
{
    return qRound(twips / twipsPerPixelY(widget));
}

double twipsFromPixelsX(const QWidget* widget, double pixels)
{
    return pixels * twipsPerPixelX(widget);
}

double twipsFromPixelsY(const QWidget* widget, double pixels)
{
    return pixels * twipsPerPixelY(widget);
}

void placeTwips(QWidget* control, double left, double top, double width, double height)
{
    control->setGeometry(pixelsFromTwipsX(control, left), pixelsFromTwipsY(control, top),
                         qMax(0, pixelsFromTwipsX(control, width)),
                         qMax(0, pixelsFromTwipsY(control, height)));
}

QRectF geometryTwips(const QWidget* control)
{
    const QRect g = control->geometry();
    return {twipsFromPixelsX(control, g.x()), twipsFromPixelsY(control, g.y()),
            twipsFromPixelsX(control, g.width()), twipsFromPixelsY(control, g.height())};
}

QMargins framePixels(const QWidget* window)
{
    if (!window->isWindow())
        return {};
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (frame != client)
        return {client.left() - frame.left(), client.top() - frame.top(),
                frame.right() - client.right(), frame.bottom() - client.bottom()};
    return {NominalBorderPixels, NominalBorderPixels + NominalCaptionPixels,
            NominalBorderPixels, NominalBorderPixels};
}

void setOuterWidthTwips(QWidget* window, double twips)
{
    const QMargins frame = framePixels(window);
    const int client = pixelsFromTwipsX(window, twips) - frame.left() - frame.right();
    window->resize(qMax(0, client), window->height());
}

void setOuterHeightTwips(QWidget* window, double twips)
{
    const QMargins frame = framePixels(window);
    const int client = pixelsFromTwipsY(window, twips) - frame.top() - frame.bottom();
    window->resize(window->width(), qMax(0, client));
}

// For a window, x()/y() and move() are the frame's position.
void setLeftTwips(QWidget* window, double twips)
{
    window->move(pixelsFromTwipsX(window, twips), window->y());
}

void setTopTwips(QWidget* window, double twips)
{
    window->move(window->x(), pixelsFromTwipsY(window, twips));
}

double outerWidthTwips(const QWidget* window)
{
    const QMargins frame = framePixels(window);
    return twipsFromPixelsX(window, window->width() + frame.left() + frame.right());
}

double outerHeightTwips(const QWidget* window)
{
    const QMargins frame = framePixels(window);
    return twipsFromPixelsY(window, window->height() + frame.top() + frame.bottom());
}

double leftTwips(const QWidget* window)
{
    return twipsFromPixelsX(window, window->x());
}

double topTwips(const QWidget* window)
{
    return twipsFromPixelsY(window, window->y());
}

QSizeF screenSizeTwips(const QWidget* widget)
{
    if (screenOverride())
        return *screenOverride();
    const QScreen* screen = screenOf(widget);
    if (!screen)
        return {};
    const QSize pixels = screen->geometry().size();
    return {twipsFromPixelsX(widget, pixels.width()), twipsFromPixelsY(widget, pixels.height())};
}

void setScreenSizeTwipsOverride(std::optional<QSizeF> twips)
{
    screenOverride() = twips;
}

} // namespace scaling
