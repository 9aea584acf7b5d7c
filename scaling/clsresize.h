#pragma once
// clsResize makes a window's controls follow the window's size. Bound to one
// window (the source form), it records the window's scale size and the
// geometry of every control once, in twips, and from then on sets each
// control's left, top, width and height (a line's two end points) to the
// recorded value times the ratio between the current and the recorded scale
// size, horizontally and vertically apart.
//
// The window pattern, wired by each window itself:
//   load step    create the scaler, SourceForm(this), SizeFormToScreen(75),
//                then set the window's own outer size (and maybe its left);
//   Form_Resize  ResizeControls(), nothing else. In Qt terms that is
//                resizeEvent() and changeEvent() for QEvent::WindowStateChange:
//                the classic resize handler also ran on minimise and restore,
//                while Qt sends no resize event when a window is restored at
//                the size it had;
//   unload       release the scaler.
// The first SizeFormToScreen captures the layout, so the recorded geometry is
// the window's design geometry. Calls nested through the window's resize
// handler (SizeFormToScreen resizes the window) are harmless.
//
// The scale size is the client area the window is designed on: a
// QMainWindow's central widget (menu bar, tool bars and status bar excluded),
// otherwise the form itself. Qt lays out a hidden window only when it is
// shown, so for a hidden QMainWindow the layout is brought up to date before
// the central widget is measured.
//
// The control collection: the form's menu entries (QActions owned by the
// form, its menu bar or its menus) first, then the direct child widgets of the
// scale surface in children() order. Menu bars, dock widgets, size grips, the
// status bar and tool bars that a QMainWindow lays out itself, and widgets
// named "qt_..." are not controls; a status bar or tool bar placed on the
// window like any other widget is one and follows the window. Menu entries
// and child windows (dialogs) have no position on the window: they are
// recorded with zeros and skipped when scaling.
//
// A control's dynamic property "Tag" (QString), in upper case, selects the
// values that follow: empty or not starting with "@" = all four; starting with
// "@" = only those whose letter occurs anywhere in it: L left, T top, W width,
// H height; "@" alone = none. For a LineControl: L first x, T first y,
// W second x, H second y.

#include <QList>
#include <QPointer>
#include <QSizeF>
#include <QtGlobal>
#include <vector>

class QObject;
class QString;
class QWidget;

class clsResize {
public:
    clsResize() = default;
    ~clsResize() = default;
    clsResize(const clsResize&) = delete;
    clsResize& operator=(const clsResize&) = delete;

    // Written once, right after construction.
    void SourceForm(QWidget* form);
    QWidget* SourceForm() const;

    // The current geometry becomes the recorded one. The program does not call it.
    void ReInitialise();

    // Sizes the window to percent of the screen (outer size, frame included),
    // centres it, then rescales the controls. Captures first if still pending.
    void SizeFormToScreen(quint8 percent);

    // Rescales every control to the window's current scale size. Does nothing
    // without controls or while the window is minimised; the first call only
    // captures. Drawing of the window is suspended while the controls move.
    void ResizeControls();

private:
    struct ControlRecord {
        QPointer<QObject> control;
        qint32 left = 0; // a line: first x
        qint32 top = 0; // first y
        qint32 width = 0; // second x
        qint32 height = 0; // second y
    };

    void CaptureLayout();
    static void rescale(const ControlRecord& record, double horizontal, double vertical);

    QPointer<QWidget> sourceForm_;
    qint32 recordedWidth_ = 0;
    qint32 recordedHeight_ = 0;
    std::vector<ControlRecord> controls_;
    bool capturePending_ = true;
    bool resizing_ = false;
};

namespace scaling {

// Which of a control's four values follow the window.
struct FollowedValues {
    bool left = true;
    bool top = true;
    bool width = true;
    bool height = true;
    bool operator==(const FollowedValues&) const = default;
};
FollowedValues followedValues(const QString& tag);

// The widget whose client area the window is designed on.
QWidget* scaleSurface(QWidget* form);
// Its size in twips, unrounded; brings a hidden window's layout up to date first.
QSizeF scaleSizeTwips(QWidget* form);
// The control collection, as described above.
QList<QObject*> controlsOf(QWidget* form);

} // namespace scaling
