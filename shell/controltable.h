#pragma once
// A window's controls as one table. Each row describes one control: its kind,
// its name (also its objectName), the window member that receives it, its
// rectangle in twips, its text, font and colours, and what else the kind takes.
// ControlTable::build() makes the controls in row order, which is also their
// order for the scaler (clsResize) and their default tab order. Signal
// connections and tab orders stay with the window, in its own short steps.
//
// A row names only what differs from the defaults, with designated initializers
// in the field order below:
//
//   {.kind = Kind::Button, .name = QStringLiteral("esco"), .into = esco,
//    .rect = {8280, 5760, 1095, 375}, .text = QStringLiteral("&USCITA"),
//    .toolTip = QStringLiteral("cliccare per uscire da Lexoria")},
//
// What each kind makes:
//   Label        Controls::label(): word-wrapped plain text in `colour` (default:
//                the parent's text colour), opaque in `background` when given,
//                aligned by `alignment`; `wordWrap` false keeps it on one line;
//                `buddy` names the row its mnemonic focuses (see below).
//   Button       Controls::button(); `isDefault` makes it the window's default.
//   OptionButton a QRadioButton drawn as an option but acting as a command: it
//                has no check state, so any activation is a click and screen
//                readers meet a push button.
//   CheckBox     a QCheckBox, marked when `checked`.
//   LineEdit     a QLineEdit holding `text`, showing `placeholder` while empty,
//                with a clear button when `clearButton`.
//   ComboBox     a QComboBox holding `items`.
//   List         a QListWidget holding `items`, one entry chosen at a time;
//                long entries are cut at the edge (no horizontal bar, no ellipsis).
//   TextView     a read-only QPlainTextEdit holding `text`, wrapped at its
//                width, its vertical bar always shown.
//   RichTextView a QTextBrowser that follows no link itself.
//   HScrollBar, VScrollBar
//                a QScrollBar set to `range`; it reports a new value when the
//                thumb is let go, not while it is dragged.
//   ToolBar      a QToolBar placed like any control, outside the tab order.
//   Panel        a QFrame with a sunken panel border, filled with `background`.
//   StatusBar    a QStatusBar placed like any control, without a size grip; it
//                takes its place after the whole table, its texts already in it.
//   StatusText   a plain QLabel showing `text` that fills the status bar named
//                by `parent`; it has no rectangle.
//   Line         a LineControl between the two end points of `line`, in twips.
//   Custom       the widget `make` returns for the parent; the table names,
//                places and describes it like any other.
//
// For every kind: labels, buttons and options always take a font, `font` or else
// the surface's; other kinds inherit theirs unless `font` is given. `colour` is
// the text colour (buttons, options and check boxes: window and button text;
// boxes and views: their text). `toolTip`, `accessibleName` and
// `accessibleDescription` are set only when given; `massimaStyle` gives a text
// box the look of every massima (Controls::styleMassimaText); `focus` overrides
// the kind's focus policy. `parent` names an earlier row that holds the control
// instead of the surface: a Panel, a StatusBar for StatusText, or a scroll area
// (a Custom row), which then holds it as its widget, sized by the area and
// filled only when the row has a `background`.
// A label's `buddy` may name a row before or after it; a buddy without an
// accessible name of its own takes the label's text, without the mnemonic and a
// closing colon, as the buddy's name.

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QString>
#include <QStringList>
#include <concepts>
#include <functional>
#include <optional>
#include <span>

class QWidget;

namespace ControlTable {

enum class Kind {
    Label,
    Button,
    OptionButton,
    CheckBox,
    LineEdit,
    ComboBox,
    List,
    TextView,
    RichTextView,
    HScrollBar,
    VScrollBar,
    ToolBar,
    Panel,
    StatusBar,
    StatusText,
    Line,
    Custom,
};

// Left, top, width and height in twips, in the parent's coordinates.
struct Twips {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct ScrollRange {
    int minimum = 0;
    int maximum = 99;
    int singleStep = 1;
    int pageStep = 10;
};

// The window member a row's control is stored in: any pointer to a QWidget
// class. A row whose kind does not make that class stops the program at once.
class Into {
public:
    Into() = default;
    template <std::derived_from<QWidget> W>
    Into(W*& member)
            : assign_([&member](QWidget* made) {
                  member = dynamic_cast<W*>(made);
                  if (!member)
                      failWrongClass(made);
              })
    {}
    void operator()(QWidget* made) const
    {
        if (assign_)
            assign_(made);
    }

private:
    [[noreturn]] static void failWrongClass(const QWidget* made);
    std::function<void(QWidget*)> assign_{};
};

// Every field has its default, so a row names only what it needs.
struct Control {
    Kind kind = Kind::Label;
    QString name{};
    Into into{};
    Twips rect{};
    QString text{};
    std::optional<QFont> font{};
    std::optional<QColor> colour{};
    std::optional<QColor> background{};
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = true;
    QString toolTip{};
    QString accessibleName{};
    QString accessibleDescription{};
    QString buddy{};
    QString placeholder{};
    bool clearButton = false;
    QStringList items{};
    bool checked = false;
    bool isDefault = false;
    ScrollRange range{}; // scroll bars
    std::optional<Qt::FocusPolicy> focus{}; // instead of the kind's own
    bool massimaStyle = false;
    QString parent{};
    QLineF line{}; // a Line's end points, in twips
    std::function<QWidget*(QWidget* parent)> make{}; // a Custom row's widget
};

using Table = std::span<const Control>;

// Makes the table's controls on `surface` (the window, or the client widget a
// main window scales), in row order, and stores each in its member.
void build(QWidget* surface, Table table);

} // namespace ControlTable
