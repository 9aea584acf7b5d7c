#include "scaling/clsresize.h"

#include "scaling/linecontrol.h"
#include "scaling/twips.h"

#include <QAction>
#include <QDockWidget>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QSizeGrip>
#include <QStatusBar>
#include <QToolBar>

#include <cmath>

namespace {

bool isMenuEntry(const QAction* action, const QWidget* form)
{
    const QObject* owner = action->parent();
    return owner == form || qobject_cast<const QMenu*>(owner) || qobject_cast<const QMenuBar*>(owner);
}

// Bars that a QMainWindow lays out itself along its edges. A status bar or a
// tool bar placed on the window like any other control is a control.
bool isLaidOutByMainWindow(const QWidget* widget)
{
    return qobject_cast<const QMainWindow*>(widget->parentWidget())
        && (qobject_cast<const QStatusBar*>(widget) || qobject_cast<const QToolBar*>(widget));
}

bool isQtInternal(const QWidget* widget)
{
    return widget->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QMenuBar*>(widget)
        || isLaidOutByMainWindow(widget) || qobject_cast<const QDockWidget*>(widget)
        || qobject_cast<const QSizeGrip*>(widget);
}

// Drawing of the window stays suspended while this lives, and is resumed
// whatever happens (unless it was already suspended by someone else).
class DrawingSuspended {
public:
    explicit DrawingSuspended(QWidget* window)
        : window_(window)
        , wasEnabled_(window->updatesEnabled())
    {
        window_->setUpdatesEnabled(false);
    }
    ~DrawingSuspended()
    {
        if (window_ && wasEnabled_)
            window_->setUpdatesEnabled(true);
    }
    DrawingSuspended(const DrawingSuspended&) = delete;
    DrawingSuspended& operator=(const DrawingSuspended&) = delete;

private:
    QPointer<QWidget> window_;
    bool wasEnabled_;
};

} // namespace

namespace scaling {

FollowedValues followedValues(const QString& tag)
{
    const QString upper = tag.toUpper();
    if (!upper.startsWith(QLatin1Char('@')))
        return {};
    return {upper.contains(QLatin1Char('L')), upper.contains(QLatin1Char('T')),
            upper.contains(QLatin1Char('W')), upper.contains(QLatin1Char('H'))};
}

QWidget* scaleSurface(QWidget* form)
{
    if (auto* mainWindow = qobject_cast<QMainWindow*>(form); mainWindow && mainWindow->centralWidget())
        return mainWindow->centralWidget();
    return form;
}

QSizeF scaleSizeTwips(QWidget* form)
{
    QWidget* surface = scaleSurface(form);
    // A hidden window's layout still has the geometry of its last activation.
    if (surface != form && !form->isVisible()) {
        if (QLayout* layout = form->layout()) {
            layout->update();
            layout->activate();
        }
    }
    return {twipsFromPixelsX(form, surface->width()), twipsFromPixelsY(form, surface->height())};
}

QList<QObject*> controlsOf(QWidget* form)
{
    QList<QObject*> controls;
    if (!form)
        return controls;
    for (QAction* action : form->findChildren<QAction*>()) {
        if (isMenuEntry(action, form))
            controls.append(action);
    }
    for (QObject* child : scaleSurface(form)->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !isQtInternal(widget))
            controls.append(widget);
    }
    return controls;
}

} // namespace scaling

void clsResize::SourceForm(QWidget* form)
{
    sourceForm_ = form;
}

QWidget* clsResize::SourceForm() const
{
    return sourceForm_;
}

void clsResize::ReInitialise()
{
    CaptureLayout();
}

void clsResize::SizeFormToScreen(quint8 percent)
{
    QWidget* form = sourceForm_;
    if (!form)
        return;
    if (capturePending_)
        CaptureLayout();

    const QSizeF screen = scaling::screenSizeTwips(form);
    // The ratio in single precision, the product in double, as the window sizes were designed.
    const double ratio = static_cast<float>(percent) / 100.0f;
    const double newHeight = std::trunc(ratio * screen.height());
    const double newWidth = std::trunc(ratio * screen.width());

    scaling::setTopTwips(form, (screen.height() - newHeight) / 2);
    scaling::setLeftTwips(form, (screen.width() - newWidth) / 2);
    scaling::setOuterHeightTwips(form, newHeight);
    scaling::setOuterWidthTwips(form, newWidth);
    ResizeControls();
}

void clsResize::ResizeControls()
{
    QWidget* form = sourceForm_;
    // Moving controls must not come back here through some handler.
    if (!form || resizing_)
        return;
    if (scaling::controlsOf(form).isEmpty())
        return;
    if (form->isMinimized() || form->window()->isMinimized())
        return;
    if (capturePending_) {
        CaptureLayout();
        return;
    }
    if (recordedWidth_ == 0 || recordedHeight_ == 0)
        return;

    const QScopedValueRollback busy(resizing_, true);
    const DrawingSuspended suspended(form);
    const QSizeF scale = scaling::scaleSizeTwips(form);
    const double vertical = scale.height() / recordedHeight_;
    const double horizontal = scale.width() / recordedWidth_;
    for (const ControlRecord& record : controls_)
        rescale(record, horizontal, vertical);
}

void clsResize::CaptureLayout()
{
    QWidget* form = sourceForm_;
    controls_.clear();
    if (!form)
        return;

    const QSizeF scale = scaling::scaleSizeTwips(form);
    recordedWidth_ = qRound(scale.width());
    recordedHeight_ = qRound(scale.height());

    const QList<QObject*> controls = scaling::controlsOf(form);
    controls_.resize(controls.size());
    for (qsizetype i = 0; i < controls.size(); ++i) {
        ControlRecord& record = controls_[i];
        record.control = controls[i];
        if (auto* line = qobject_cast<LineControl*>(controls[i])) {
            record.left = qRound(line->x1());
            record.top = qRound(line->y1());
            record.width = qRound(line->x2());
            record.height = qRound(line->y2());
        } else if (auto* widget = qobject_cast<QWidget*>(controls[i]); widget && !widget->isWindow()) {
            const QRectF g = scaling::geometryTwips(widget);
            record.left = qRound(g.x());
            record.top = qRound(g.y());
            record.width = qRound(g.width());
            record.height = qRound(g.height());
        }
    }
    capturePending_ = false;
}

void clsResize::rescale(const ControlRecord& record, double horizontal, double vertical)
{
    QObject* control = record.control;
    if (!control)
        return;
    const scaling::FollowedValues follow = scaling::followedValues(control->property("Tag").toString());

    if (auto* line = qobject_cast<LineControl*>(control)) {
        line->setLine(follow.left ? record.left * horizontal : line->x1(),
                      follow.top ? record.top * vertical : line->y1(),
                      follow.width ? record.width * horizontal : line->x2(),
                      follow.height ? record.height * vertical : line->y2());
        return;
    }

    // Menu entries and child windows have no position on the window.
    auto* widget = qobject_cast<QWidget*>(control);
    if (!widget || widget->isWindow())
        return;
    const QRect now = widget->geometry();
    const QRect target(follow.left ? scaling::pixelsFromTwipsX(widget, record.left * horizontal) : now.x(),
                       follow.top ? scaling::pixelsFromTwipsY(widget, record.top * vertical) : now.y(),
                       follow.width ? qMax(0, scaling::pixelsFromTwipsX(widget, record.width * horizontal))
                                    : now.width(),
                       follow.height ? qMax(0, scaling::pixelsFromTwipsY(widget, record.height * vertical))
                                     : now.height());
    if (target != now)
        widget->setGeometry(target);
}
