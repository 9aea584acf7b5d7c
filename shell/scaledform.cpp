#include "shell/scaledform.h"

#include "scaling/twips.h"

#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>

void ScaledForm::load(QWidget* form, double outerHeight, double outerWidth, std::optional<double> left)
{
    scaler_ = std::make_unique<clsResize>();
    scaler_->SourceForm(form);
    form->installEventFilter(this);
    scaler_->SizeFormToScreen(75);
    scaling::setOuterHeightTwips(form, outerHeight);
    scaling::setOuterWidthTwips(form, outerWidth);
    if (left)
        scaling::setLeftTwips(form, *left);
}

void ScaledForm::resize()
{
    if (scaler_)
        scaler_->ResizeControls();
}

void ScaledForm::release()
{
    if (scaler_ && scaler_->SourceForm())
        scaler_->SourceForm()->removeEventFilter(this);
    scaler_.reset();
}

bool ScaledForm::eventFilter(QObject* watched, QEvent* event)
{
    // Qt sends no resize when a window is restored at the size it had, so the
    // state change counts as a resize too.
    if (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange)
        resize();
    return QObject::eventFilter(watched, event);
}

void ScaledForm::setDesignClientSize(QWidget* form, double width, double height)
{
    int extra = 0;
    if (auto* main = qobject_cast<QMainWindow*>(form); main && main->menuWidget())
        extra = main->menuWidget()->sizeHint().height();
    form->resize(scaling::pixelsFromTwipsX(form, width), scaling::pixelsFromTwipsY(form, height) + extra);
}
