#include "scaling/linecontrol.h"

#include "scaling/twips.h"

#include <QPainter>

LineControl::LineControl(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    placeOnEndPoints();
}

LineControl::LineControl(double x1, double y1, double x2, double y2, QWidget* parent)
    : LineControl(parent)
{
    setLine(x1, y1, x2, y2);
}

void LineControl::setLine(double x1, double y1, double x2, double y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    placeOnEndPoints();
}

void LineControl::setColor(const QColor& color)
{
    color_ = color;
    update();
}

void LineControl::setPenWidth(int pixels)
{
    penWidth_ = qMax(1, pixels);
    placeOnEndPoints();
    update();
}

QPoint LineControl::endPointPixels(double x, double y) const
{
    return {scaling::pixelsFromTwipsX(this, x), scaling::pixelsFromTwipsY(this, y)};
}

void LineControl::placeOnEndPoints()
{
    const QPoint p1 = endPointPixels(x1_, y1_);
    const QPoint p2 = endPointPixels(x2_, y2_);
    const QRect box(QPoint(qMin(p1.x(), p2.x()), qMin(p1.y(), p2.y())),
                    QPoint(qMax(p1.x(), p2.x()), qMax(p1.y(), p2.y())));
    const int margin = penWidth_ / 2 + 1;
    setGeometry(box.adjusted(-margin, -margin, margin, margin));
}

void LineControl::paintEvent(QPaintEvent*)
{
    const QPoint origin = pos();
    QPainter painter(this);
    painter.setPen(QPen(color_, penWidth_));
    painter.drawLine(endPointPixels(x1_, y1_) - origin, endPointPixels(x2_, y2_) - origin);
}
