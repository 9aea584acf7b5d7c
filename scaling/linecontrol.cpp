#include "linecontrol.h"

#include "twips.h"

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
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    placeOnEndPoints();
}

void LineControl::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void LineControl::setPenWidth(int pixels)
{
    m_penWidth = qMax(1, pixels);
    placeOnEndPoints();
    update();
}

QPoint LineControl::endPointPixels(double x, double y) const
{
    return {scaling::pixelsFromTwipsX(this, x), scaling::pixelsFromTwipsY(this, y)};
}

void LineControl::placeOnEndPoints()
{
    const QPoint p1 = endPointPixels(m_x1, m_y1);
    const QPoint p2 = endPointPixels(m_x2, m_y2);
    const QRect box(QPoint(qMin(p1.x(), p2.x()), qMin(p1.y(), p2.y())),
                    QPoint(qMax(p1.x(), p2.x()), qMax(p1.y(), p2.y())));
    const int margin = m_penWidth / 2 + 1;
    setGeometry(box.adjusted(-margin, -margin, margin, margin));
}

void LineControl::paintEvent(QPaintEvent*)
{
    const QPoint origin = pos();
    QPainter painter(this);
    painter.setPen(QPen(m_color, m_penWidth));
    painter.drawLine(endPointPixels(m_x1, m_y1) - origin, endPointPixels(m_x2, m_y2) - origin);
}
