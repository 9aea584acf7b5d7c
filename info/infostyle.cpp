#include "info/infostyle.h"

#include <QLabel>

namespace InfoStyle {

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
