#include "help/sommario.h"

#include "corpus/archives.h"
#include "help/helppages.h"
#include "scaling/twips.h"
#include "shell/colours.h"
#include "shell/controls.h"
#include "shell/fonts.h"
#include "shell/modlexoria.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

using namespace Colours;
using Fonts::sansSerif;

struct Link {
    QString caption; // leading blanks are part of it
    QString window;
    QColor background;
    std::optional<QColor> text; // the window's text colour when empty
};

// The guide's pages, then the tip of the day, the licence terms and the catalogue.
const QList<Link>& links()
{
    static const QList<Link> table = [] {
        QList<Link> t;
        for (const help::HelpPage& page : help::pages())
            if (!page.licence && page.inGuide)
                t.append({page.link, page.name, page.linkBackground, page.linkText});
        t.append({QStringLiteral("  Suggerimento del giorno"), QStringLiteral("frmTip"), Cyan, {}});
        for (const help::HelpPage& page : help::pages())
            if (page.licence)
                t.append({page.link, page.name, page.linkBackground, page.linkText});
        t.append({QStringLiteral("  altri prodotti Software Velaria"), QStringLiteral("prodotti"), Yellow, {}});
        return t;
    }();
    return table;
}

// The number of guide pages that come before the archive windows' pages.
constexpr int GeneralPages = 4;

// Row tops in twips: three groups (the general pages; the window pages; the
// tip, the licence and the catalogue), rows 240 twips apart.
double rowTop(int i)
{
    const int windowPages = 1 + corpus::ArchiveCount; // the chooser's and the archives'
    if (i <= GeneralPages)
        return 1080 + 240 * (i - 1);
    if (i <= GeneralPages + windowPages)
        return 2400 + 240 * (i - GeneralPages - 1);
    return 4680 + 240 * (i - GeneralPages - windowPages - 1);
}

// Design client area: outer 3975 x 6825 twips less the frame.
constexpr double ClientWidth = 3855;
constexpr double ClientHeight = 6420;
constexpr double ArrowLeft = 240;
constexpr double ArrowWidth = 555;
constexpr double LabelLeft = ArrowLeft + ArrowWidth + 60;
constexpr double LabelWidth = ClientWidth - 240 - LabelLeft;
constexpr double RowHeight = 240;

sommario::GuidePrinter& guidePrinter()
{
    static sommario::GuidePrinter printer;
    return printer;
}


void setBorder(QLabel* label, bool on)
{
    label->setFrameShape(on ? QFrame::Box : QFrame::NoFrame);
}

} // namespace

sommario::sommario(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sommario"));
    setWindowTitle(QStringLiteral("Lexoria: guida in linea"));
    setFont(sansSerif(8.25));
    setMouseTracking(true);
    Controls::setBackColor(this, PaleYellow);
    ScaledForm::setDesignClientSize(this, ClientWidth, ClientHeight);

    Label1 = Controls::label(this, QStringLiteral("Label1"), QStringLiteral("Argomenti della guida"),
                             sansSerif(12, true), palette().color(QPalette::WindowText), Cyan, Qt::AlignCenter);
    setBorder(Label1, true);
    scaling::placeTwips(Label1, 240, 360, ClientWidth - 480, 495);

    createLinks();
    createButtons();
}

void sommario::createLinks()
{
    for (int i = 1; i <= linkCount(); ++i) {
        const Link& link = links()[i - 1];
        const QString& caption = link.caption;

        auto* arrow = Controls::button(this, QStringLiteral("puls_%1").arg(i), QStringLiteral("--->"), {}, font());
        arrow->setAccessibleName(QStringLiteral("Apri: ") + caption.trimmed());
        scaling::placeTwips(arrow, ArrowLeft, rowTop(i), ArrowWidth, RowHeight);
        connect(arrow, &QPushButton::clicked, this, [this, i] { puls_Click(i); });
        puls.append(arrow);

        QLabel* label = Controls::label(this, QStringLiteral("lbl_%1").arg(i), caption, font(),
                                        link.text.value_or(palette().color(QPalette::WindowText)), link.background,
                                        Qt::AlignLeft | Qt::AlignVCenter);
        label->setWordWrap(false);
        label->setMouseTracking(true);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        setBorder(label, true);
        scaling::placeTwips(label, LabelLeft, rowTop(i), LabelWidth, RowHeight);
        lbl.append(label);
    }
}

void sommario::createButtons()
{
    constexpr double top = 5760, width = 1095, height = 375, gap = 45;
    cmdStampa = Controls::button(this, QStringLiteral("cmdStampa"), QStringLiteral("&Stampa"),
                                 QStringLiteral("cliccare per avere la copia su carta dell'intera guida"), font());
    scaling::placeTwips(cmdStampa, 240, top, width, height);
    connect(cmdStampa, &QPushButton::clicked, this, &sommario::cmdStampa_Click);

    cmdchiudi = Controls::button(this, QStringLiteral("cmdchiudi"), QStringLiteral("&Chiudi"),
                                 QStringLiteral("cliccare per chiudere la finestra"), font());
    scaling::placeTwips(cmdchiudi, 240 + width + gap, top, width, height);
    connect(cmdchiudi, &QPushButton::clicked, this, &sommario::cmdchiudi_Click);

    cmduscita = Controls::button(this, QStringLiteral("cmduscita"), QStringLiteral("&USCITA"), {}, font());
    scaling::placeTwips(cmduscita, 240 + 2 * (width + gap), top, width, height);
    connect(cmduscita, &QPushButton::clicked, this, &sommario::cmduscita_Click);
}

void sommario::setGuidePrinter(GuidePrinter printer) { guidePrinter() = std::move(printer); }

int sommario::linkCount() { return int(links().size()); }

QString sommario::linkTarget(int i) { return i >= 1 && i <= linkCount() ? links()[i - 1].window : QString(); }

void sommario::Form_Load()
{
    form_.load(this, 6825, 3975);
    cmduscita->setToolTip(QStringLiteral("cliccare pere uscire da ") + ModLexoria::Settings().programName);
}

void sommario::Form_Unload() { form_.release(); }

void sommario::puls_Click(int i)
{
    const QString target = linkTarget(i);
    if (!target.isEmpty())
        WindowRegistry::instance().show(target);
}

void sommario::lbl_MouseMove(int i)
{
    ClearHighlight();
    QFont bold = lbl[i - 1]->font();
    bold.setBold(true);
    lbl[i - 1]->setFont(bold);
}

void sommario::lbl_MouseDown(int i)
{
    setBorder(lbl[i - 1], false); // reads as pressed
    puls_Click(i);
}

void sommario::lbl_MouseUp(int i) { setBorder(lbl[i - 1], true); }

void sommario::form_MouseMove() { ClearHighlight(); }

void sommario::ClearHighlight()
{
    for (QLabel* label : lbl) {
        if (label->font().bold()) {
            QFont plain = label->font();
            plain.setBold(false);
            label->setFont(plain);
        }
    }
}

void sommario::cmdchiudi_Click() { hide(); }

void sommario::cmduscita_Click() { ModLexoria::ConfirmExit(); }

void sommario::cmdStampa_Click()
{
    if (guidePrinter())
        guidePrinter()();
}

int sommario::linkOf(QObject* label) const
{
    return int(lbl.indexOf(qobject_cast<QLabel*>(label))) + 1;
}

void sommario::mouseMoveEvent(QMouseEvent* event)
{
    if (!childAt(event->position().toPoint()))
        form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void sommario::leaveEvent(QEvent* event)
{
    // The pointer left the window: no label stays bold behind it.
    ClearHighlight();
    QWidget::leaveEvent(event);
}

bool sommario::eventFilter(QObject* watched, QEvent* event)
{
    if (const int i = linkOf(watched)) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            lbl_MouseMove(i);
            break;
        case QEvent::Leave:
            ClearHighlight();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: // the second press of a double click
            lbl_MouseDown(i);
            return true;
        case QEvent::MouseButtonRelease:
            lbl_MouseUp(i);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
