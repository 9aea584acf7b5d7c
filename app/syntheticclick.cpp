#include "app/syntheticclick.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace SyntheticClick {

void clickCentre(QWidget* window, Delivery delivery)
{
    const QPointF local = QRectF(window->rect()).center();
    const QPointF global = window->mapToGlobal(local);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        if (delivery == Delivery::Queued) {
            QCoreApplication::postEvent(
                window, new QMouseEvent(type, local, local, global, Qt::LeftButton, held, Qt::NoModifier));
        } else {
            QMouseEvent event(type, local, local, global, Qt::LeftButton, held, Qt::NoModifier);
            QCoreApplication::sendEvent(window, &event);
        }
    }
}

} // namespace SyntheticClick
