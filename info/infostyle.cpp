#include "infostyle.h"

#include "twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace InfoStyle {

void makeFixedWindow(QWidget* window, double clientWidth, double clientHeight)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(scaling::pixelsFromTwipsX(window, clientWidth), scaling::pixelsFromTwipsY(window, clientHeight));
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = scaling::framePixels(window);
    const QSize outer = window->size().grownBy(frame);
    window->move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void fitToText(QLabel* label)
{
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin() + 2;
    QRect g = label->geometry();
    if (needed <= g.width())
        return;
    const int room = label->parentWidget() ? label->parentWidget()->width() : needed;
    const int width = qMin(needed, room);
    int left = label->alignment() & Qt::AlignHCenter ? g.center().x() - width / 2 : g.x();
    left = qBound(0, left, room - width);
    label->setGeometry(left, g.y(), width, g.height());
}

} // namespace InfoStyle
