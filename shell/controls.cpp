#include "shell/controls.h"

#include "scaling/twips.h"
#include "shell/colours.h"
#include "shell/fonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>

namespace Controls {

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QFont& font, const QColor& textColour,
              std::optional<QColor> background, Qt::Alignment alignment)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setAlignment(alignment);
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, textColour);
    if (background) {
        p.setColor(QPalette::Window, *background);
        l->setAutoFillBackground(true);
    }
    l->setPalette(p);
    return l;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip,
                    const QFont& font)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFont(font);
    if (!toolTip.isEmpty())
        b->setToolTip(toolTip);
    return b;
}

void setPlainToolTip(QWidget* widget, const QString& text)
{
    // Marks a description this function set, so a later plain text drops it again.
    static const char* const EscapedTip = "lexoriaEscapedToolTip";
    if (Qt::mightBeRichText(text)) {
        widget->setToolTip(Qt::convertFromPlainText(text));
        widget->setAccessibleDescription(text);
        widget->setProperty(EscapedTip, true);
        return;
    }
    if (widget->property(EscapedTip).toBool()) {
        widget->setAccessibleDescription({});
        widget->setProperty(EscapedTip, QVariant());
    }
    widget->setToolTip(text);
}

void fitText(QLabel* label, double points, double minimum)
{
    QFont font = label->font();
    for (double size = points; size >= minimum; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        const QRect needed = metrics.boundingRect(QRect(0, 0, qMax(1, label->width() - 2), 100000),
                                                  Qt::TextWordWrap | int(label->alignment()), label->text());
        if (needed.height() <= label->height())
            break;
    }
    label->setFont(font);
}

void makeFixedWindow(QWidget* window, double clientWidth, double clientHeight)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(scaling::pixelsFromTwipsX(window, clientWidth), scaling::pixelsFromTwipsY(window, clientHeight));
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window->size().grownBy(scaling::framePixels(window));
    window->move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void setBackColor(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QColor backColor(const QWidget* widget) { return widget->palette().color(QPalette::Window); }

void styleMassimaText(QWidget* box)
{
    box->setFont(Fonts::sansSerif(9.75));
    QPalette p = box->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Colours::DarkBlue);
    box->setPalette(p);
}

} // namespace Controls
