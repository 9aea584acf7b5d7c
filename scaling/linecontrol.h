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

    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }
    void setLine(double x1, double y1, double x2, double y2);

    QColor color() const { return color_; }
    void setColor(const QColor& color);
    int penWidth() const { return penWidth_; } // pixels
    void setPenWidth(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placeOnEndPoints();
    QPoint endPointPixels(double x, double y) const;

    double x1_ = 0;
    double y1_ = 0;
    double x2_ = 0;
    double y2_ = 0;
    QColor color_ = Qt::black;
    int penWidth_ = 1;
};
