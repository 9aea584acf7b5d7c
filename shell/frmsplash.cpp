#include "shell/frmsplash.h"

#include "assets/assets.h"
#include "scaling/twips.h"
#include "shell/colours.h"
#include "shell/controls.h"
#include "shell/fonts.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace {

using Colours::Yellow;
constexpr double ClientWidth = 8790, ClientHeight = 5415;

} // namespace

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral(" "));
    setFont(Fonts::designFont(Fonts::MsSansSerif, 8.25));
    Controls::setBackColor(this, Qt::black);
    setFocusPolicy(Qt::StrongFocus);
    createControls();
}

void frmSplash::createControls()
{
    Controls::makeFixedWindow(this, ClientWidth, ClientHeight);

    auto add = [this](int index, const QString& text, const QFont& font, std::optional<QColor> background,
                      Qt::Alignment alignment, double l, double t, double w, double h) {
        QLabel* label = Controls::label(this, QStringLiteral("label_%1").arg(index), text, font, Yellow, background,
                                     alignment);
        label->setWordWrap(false);
        scaling::placeTwips(label, l, t, w, h);
        label_[size_t(index)] = label;
        centre_[size_t(index)] = l + w / 2;
    };
    // The yellow frame bars.
    add(0, {}, font(), Yellow, Qt::AlignLeft, 0, 0, 8775, 255);
    add(11, {}, font(), Yellow, Qt::AlignLeft, 0, 255, 255, 5175);
    add(10, {}, font(), Yellow, Qt::AlignLeft, 8520, 255, 255, 5175);
    add(9, {}, font(), Yellow, Qt::AlignLeft, 240, 5160, 8295, 255);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Assets::picture("splash"));
    Image1->setScaledContents(true);
    Image1->setAccessibleName(QStringLiteral("Immagine di Lexoria"));
    scaling::placeTwips(Image1, 480, 600, 2295, 3225);

    // The outline sits under the edition line, which is transparent.
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(1);
    QPalette shapePalette = Shape1->palette();
    shapePalette.setColor(QPalette::WindowText, Yellow);
    Shape1->setPalette(shapePalette);
    scaling::placeTwips(Shape1, 3720, 3000, 4050, 350);

    add(1, QStringLiteral("software VELARIA"), Fonts::designFont(QStringLiteral("Simpson"), 21.75, true, true),
        std::nullopt, Qt::AlignCenter, 2880, 480, 5520, 525);
    add(2, QStringLiteral("                        presenta"), Fonts::designFont(Fonts::MsSansSerif, 12),
        std::nullopt, Qt::AlignLeft | Qt::AlignTop, 3840, 1200, 3855, 375);
    QFont black = Fonts::designFont(QStringLiteral("Arial Black"), 27.75, true);
    black.setWeight(QFont::Black);
    add(3, QStringLiteral(" "), black, std::nullopt, Qt::AlignCenter, 5535, 1560, 225, 780);
    add(4, QStringLiteral(" "), Fonts::designFont(Fonts::MsSansSerif, 12), std::nullopt, Qt::AlignHCenter | Qt::AlignTop,
        3000, 2640, 5415, 375);
    add(5, {}, font(), std::nullopt, Qt::AlignLeft | Qt::AlignTop, 3840, 3070, 3855, 375);
    add(7, {}, Fonts::designFont(QStringLiteral("Arial"), 8.25), std::nullopt, Qt::AlignLeft | Qt::AlignTop, 480, 4080,
        7935, 195);
    add(8, Hint, font(), std::nullopt, Qt::AlignLeft | Qt::AlignTop, 3960, 4800, 4455, 255);
    fitKeepingCentre(1);
    growLeftToFit(8);
}

void frmSplash::growLeftToFit(int index)
{
    // The look-alike fonts run wider than the Windows fonts: a line that would be cut
    // grows to the left, keeping its right edge inside the frame.
    QLabel* l = label_[size_t(index)];
    const double needed = scaling::twipsFromPixelsX(this, l->fontMetrics().horizontalAdvance(l->text()) + 4);
    const QRectF g = scaling::geometryTwips(l);
    if (needed > g.width()) {
        const double right = std::min(g.right(), 8520.0 - 60);
        scaling::placeTwips(l, right - needed, g.top(), needed, g.height());
    }
}

void frmSplash::fitKeepingCentre(int index)
{
    QLabel* l = label_[size_t(index)];
    const double width = scaling::twipsFromPixelsX(this, l->fontMetrics().horizontalAdvance(l->text()) + 4);
    const QRectF g = scaling::geometryTwips(l);
    scaling::placeTwips(l, centre_[size_t(index)] - width / 2, g.top(), width, g.height());
}

void frmSplash::Form_Load()
{
    music_.setFileName(QStringLiteral("Internet.mid"));
    music_.setCommand(QStringLiteral("open"));
    music_.setCommand(QStringLiteral("play"));

    ModLexoria::InitSettings();
    const ModLexoria::GlobalSettings& s = ModLexoria::Settings();
    label_[3]->setText(s.programName);
    fitKeepingCentre(3);
    label_[4]->setText(s.subtitle);
    label_[5]->setText(QStringLiteral("EDIZIONE PROFESSIONALE - VERSIONE ") + s.versionText);

    Controls::centreOnScreen(this);
}

void frmSplash::Form_Unload() { music_.setCommand(QStringLiteral("close")); }

void frmSplash::Form_Click()
{
    music_.setCommand(QStringLiteral("pause"));
    ModLexoria::ShowChooser();
}

void frmSplash::Form_KeyPress()
{
    music_.setCommand(QStringLiteral("close"));
    WindowRegistry& registry = WindowRegistry::instance();
    registry.unload(this);
    registry.unload(QStringLiteral("prodotti"));
}

void frmSplash::mediaCommand(const QString& command) { music_.setCommand(command); }

void frmSplash::setSecondLine(const QString& caption) { label_[2]->setText(caption); }

void frmSplash::mouseReleaseEvent(QMouseEvent* event)
{
    // Labels and the picture pass their clicks on to the window.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
    QWidget::mouseReleaseEvent(event);
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    // Only keys that produce a character: arrows and function keys do nothing.
    if (!event->text().isEmpty()) {
        Form_KeyPress();
        return;
    }
    QWidget::keyPressEvent(event);
}
