#include "shell/controltable.h"

#include "scaling/linecontrol.h"
#include "scaling/twips.h"
#include "shell/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>

namespace ControlTable {

void Into::failWrongClass(const QWidget* made)
{
    qFatal("control table: '%s' is not of its member's class", qPrintable(made->objectName()));
}

namespace {

using Made = QHash<QString, QWidget*>;

// The control's text colour on the roles its kind paints text with.
void setTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(role, colour);
    if (role == QPalette::WindowText)
        p.setColor(QPalette::ButtonText, colour);
    widget->setPalette(p);
}

QScrollBar* scrollBar(Qt::Orientation orientation, QWidget* parent, const Control& row)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setRange(row.range.minimum, row.range.maximum);
    bar->setSingleStep(row.range.singleStep);
    bar->setPageStep(row.range.pageStep);
    bar->setTracking(false);
    return bar;
}

// The widget of the row's kind, with what only that kind takes. A control a
// scroll area will hold is made without a parent.
QWidget* make(QWidget* surface, QWidget* parent, const Control& row)
{
    const QFont font = row.font.value_or(surface->font());
    switch (row.kind) {
    case Kind::Label: {
        const QWidget* painter = parent ? parent : surface;
        const QColor colour = row.colour.value_or(painter->palette().color(QPalette::WindowText));
        QLabel* label = Controls::label(parent, row.name, row.text, font, colour, row.background, row.alignment);
        if (!row.wordWrap)
            label->setWordWrap(false);
        return label;
    }
    case Kind::Button: {
        QPushButton* button = Controls::button(parent, row.name, row.text, row.toolTip, font);
        if (row.isDefault)
            button->setDefault(true);
        return button;
    }
    case Kind::OptionButton: {
        auto* option = new QRadioButton(row.text, parent);
        option->setFont(font);
        option->setCheckable(false);
        return option;
    }
    case Kind::CheckBox: {
        auto* box = new QCheckBox(row.text, parent);
        box->setChecked(row.checked);
        return box;
    }
    case Kind::LineEdit: {
        auto* edit = new QLineEdit(row.text, parent);
        edit->setPlaceholderText(row.placeholder);
        edit->setClearButtonEnabled(row.clearButton);
        return edit;
    }
    case Kind::ComboBox: {
        auto* box = new QComboBox(parent);
        box->addItems(row.items);
        return box;
    }
    case Kind::List: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setTextElideMode(Qt::ElideNone);
        list->addItems(row.items);
        return list;
    }
    case Kind::TextView: {
        auto* view = new QPlainTextEdit(row.text, parent);
        view->setReadOnly(true);
        view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return view;
    }
    case Kind::RichTextView: {
        auto* view = new QTextBrowser(parent);
        view->setOpenLinks(false);
        return view;
    }
    case Kind::HScrollBar: return scrollBar(Qt::Horizontal, parent, row);
    case Kind::VScrollBar: return scrollBar(Qt::Vertical, parent, row);
    case Kind::ToolBar: {
        auto* bar = new QToolBar(parent);
        bar->setFocusPolicy(Qt::NoFocus);
        return bar;
    }
    case Kind::Panel: {
        auto* panel = new QFrame(parent);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (row.background)
            Controls::setBackColor(panel, *row.background);
        return panel;
    }
    case Kind::StatusBar: {
        auto* bar = new QStatusBar(parent);
        bar->setSizeGripEnabled(false);
        return bar;
    }
    case Kind::StatusText: {
        auto* bar = qobject_cast<QStatusBar*>(parent);
        if (!bar)
            qFatal("control table: '%s' names no status bar as its parent", qPrintable(row.name));
        auto* text = new QLabel(row.text, bar);
        bar->addWidget(text, 1);
        return text;
    }
    case Kind::Line: return new LineControl(row.line.x1(), row.line.y1(), row.line.x2(), row.line.y2(), parent);
    case Kind::Custom: return row.make(parent);
    }
    Q_UNREACHABLE();
}

QWidget* parentOf(QWidget* surface, const Control& row, const Made& made)
{
    if (row.parent.isEmpty())
        return surface;
    QWidget* parent = made.value(row.parent);
    if (!parent)
        qFatal("control table: '%s' names '%s', which no earlier row makes", qPrintable(row.name),
               qPrintable(row.parent));
    return parent;
}

// Where a row goes: a Line lies on its end points, a StatusText fills its bar and a
// status bar is placed once the texts it holds are in it (see build()).
bool placedByRectangle(const Control& row)
{
    return row.kind != Kind::Line && row.kind != Kind::StatusText && row.kind != Kind::StatusBar;
}

void place(QWidget* widget, const Twips& rect)
{
    scaling::placeTwips(widget, rect.left, rect.top, rect.width, rect.height);
}

// What every kind takes alike: the name, the description, the look of a massima,
// the focus policy and the place (unless something else places the control).
void describe(QWidget* widget, const Control& row, bool placed)
{
    widget->setObjectName(row.name);
    if (row.colour && row.kind != Kind::Label) {
        const bool buttonLike =
            row.kind == Kind::Button || row.kind == Kind::OptionButton || row.kind == Kind::CheckBox;
        setTextColour(widget, buttonLike ? QPalette::WindowText : QPalette::Text, *row.colour);
    }
    if (row.font && row.kind != Kind::Label && row.kind != Kind::Button && row.kind != Kind::OptionButton)
        widget->setFont(*row.font);
    if (!row.toolTip.isEmpty())
        widget->setToolTip(row.toolTip);
    if (!row.accessibleName.isEmpty())
        widget->setAccessibleName(row.accessibleName);
    if (!row.accessibleDescription.isEmpty())
        widget->setAccessibleDescription(row.accessibleDescription);
    if (row.massimaStyle)
        Controls::styleMassimaText(widget);
    if (row.focus)
        widget->setFocusPolicy(*row.focus);
    if (placed && placedByRectangle(row))
        place(widget, row.rect);
}

// A label's text as the name of the control it labels: no mnemonic, no closing colon.
QString nameFromCaption(QString caption)
{
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption;
}

void attachBuddies(Table table, const Made& made)
{
    for (const Control& row : table) {
        if (row.buddy.isEmpty())
            continue;
        auto* label = qobject_cast<QLabel*>(made.value(row.name));
        QWidget* buddy = made.value(row.buddy);
        if (!label || !buddy)
            qFatal("control table: '%s' has no buddy '%s'", qPrintable(row.name), qPrintable(row.buddy));
        label->setBuddy(buddy);
        if (buddy->accessibleName().isEmpty())
            buddy->setAccessibleName(nameFromCaption(row.text));
    }
}

} // namespace

void build(QWidget* surface, Table table)
{
    Made made;
    for (const Control& row : table) {
        QWidget* parent = parentOf(surface, row, made);
        auto* area = qobject_cast<QScrollArea*>(parent);
        QWidget* widget = make(surface, area ? nullptr : parent, row);
        describe(widget, row, !area);
        if (area) {
            // The area sizes the control it holds and shows its own background behind it.
            area->setWidget(widget);
            widget->setAutoFillBackground(row.background.has_value());
        }
        made.insert(row.name, widget);
        row.into(widget);
    }
    for (const Control& row : table)
        if (row.kind == Kind::StatusBar)
            place(made.value(row.name), row.rect);
    attachBuddies(table, made);
}

} // namespace ControlTable
