#pragma once
// A decorative line, the counterpart of the classic Windows line control.
// Its end points are in twips relative to the parent (unrounded); the widget
// sizes itself to the bounding box of the two points plus the pen width and
// lets the mouse through to what lies below. clsResize scales a line by its
// end points, not by its geometry.

#include <QColor>
#include <QWidget>

class LineControl : public QWidget {
    Q_OBJECT

public:
    explicit LineControl(QWidget* parent = nullptr);
    LineControl(double x1, double y1, double x2, double y2, QWidget* parent = nullptr);

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setLine(double x1, double y1, double x2, double y2);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    int penWidth() const { return m_penWidth; } // pixels
    void setPenWidth(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placeOnEndPoints();
    QPoint endPointPixels(double x, double y) const;

    double m_x1 = 0;
    double m_y1 = 0;
    double m_x2 = 0;
    double m_y2 = 0;
    QColor m_color = Qt::black;
    int m_penWidth = 1;
};
