#pragma once
// The window pattern of every resizable window: the load step creates the
// scaler, binds it, sizes the window to 75 per cent of the screen and then gives
// it its design size; every change of size (and minimise/restore) rescales the
// controls; unloading releases the scaler.

#include "scaling/clsresize.h"

#include <QObject>
#include <memory>
#include <optional>

class QWidget;

class ScaledForm : public QObject {
public:
    // Outer sizes and the left edge in twips, set after SizeFormToScreen(75).
    void load(QWidget* form, double outerHeight, double outerWidth, std::optional<double> left = std::nullopt);
    // Form_Resize: rescale the controls to the window's current size.
    void resize();
    void release();
    clsResize* scaler() const { return scaler_.get(); }

    // Gives the window its design client area (below the menu bar), in twips,
    // before the load step captures it.
    static void setDesignClientSize(QWidget* form, double width, double height);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<clsResize> scaler_;
};
