#include "sommario.h"

#include "controls.h"
#include "fonts.h"
#include "modlexoria.h"
#include "twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QColor PaleYellow(255, 255, 192);
const QColor Cyan(0, 255, 255);
const QColor Red(255, 0, 0);
const QColor Yellow(255, 255, 0);

struct Link {
    const char* caption; // leading blanks are part of it
    const char* window;
    QColor background;
    std::optional<QColor> text; // the window's text colour when empty
};

const std::array<Link, sommario::LinkCount>& links()
{
    static const std::array<Link, sommario::LinkCount> table = {{
        {"  Manuale d'uso rapido", "manuale", Cyan, {}},
        {"  Funzionamento del programma", "guidafunzionamento", Cyan, {}},
        {"  Archivio dati", "guidaarchivio", Cyan, {}},
        {" Come stampare", "guidastampa", Cyan, {}},
        {" Finestra Menu", "guidascelta", Cyan, {}},
        {" Finestra Edilizia", "guidaedilizia", Cyan, {}},
        {" Finestra Urbanistica", "guidaurbanistica", Cyan, {}},
        {" Finestra Espropriazioni", "guidaespropriazioni", Cyan, {}},
        {" Finestra Professionisti", "guidaprofessionisti", Cyan, {}},
        {" Finestra Condominio", "guidacondominio", Cyan, {}},
        {" Finestra Enti", "guidaenti", Cyan, {}},
        {" Finestra Imprese", "guidaimprese", Cyan, {}},
        {"  Suggerimento del giorno", "frmTip", Cyan, {}},
        {"  Licenza d'uso di \"Lexoria\"", "licenza", Red, Yellow},
        {"  altri prodotti Software Velaria", "prodotti", Yellow, {}},
    }};
    return table;
}

// Row tops in twips: three groups, rows 240 twips apart.
double rowTop(int i)
{
    if (i <= 4)
        return 1080 + 240 * (i - 1);
    if (i <= 12)
        return 2400 + 240 * (i - 5);
    return 4680 + 240 * (i - 13);
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

QFont sansSerif(double points, bool bold = false) { return Fonts::designFont(Fonts::MsSansSerif, points, bold); }

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
    for (int i = 1; i <= LinkCount; ++i) {
        const Link& link = links()[size_t(i - 1)];
        const QString caption = QString::fromUtf8(link.caption);

        auto* arrow = Controls::button(this, QStringLiteral("puls_%1").arg(i), QStringLiteral("--->"), {}, font());
        arrow->setAccessibleName(QStringLiteral("Apri: ") + caption.trimmed());
        scaling::placeTwips(arrow, ArrowLeft, rowTop(i), ArrowWidth, RowHeight);
        connect(arrow, &QPushButton::clicked, this, [this, i] { puls_Click(i); });
        puls[size_t(i - 1)] = arrow;

        QLabel* label = Controls::label(this, QStringLiteral("lbl_%1").arg(i), caption, font(),
                                        link.text.value_or(palette().color(QPalette::WindowText)), link.background,
                                        Qt::AlignLeft | Qt::AlignVCenter);
        label->setWordWrap(false);
        label->setMouseTracking(true);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        setBorder(label, true);
        scaling::placeTwips(label, LabelLeft, rowTop(i), LabelWidth, RowHeight);
        lbl[size_t(i - 1)] = label;
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

QString sommario::linkTarget(int i)
{
    return i >= 1 && i <= LinkCount ? QString::fromUtf8(links()[size_t(i - 1)].window) : QString();
}

void sommario::Form_Load()
{
    form_.load(this, 6825, 3975);
    cmduscita->setToolTip(QStringLiteral("cliccare pere uscire da ") + ModLexoria::Settings().programName);
}

void sommario::Form_Unload() { form_.release(); }

void sommario::Form_Resize() { form_.resize(); }

void sommario::puls_Click(int i)
{
    const QString target = linkTarget(i);
    if (!target.isEmpty())
        WindowRegistry::instance().show(target);
}

void sommario::lbl_MouseMove(int i)
{
    ClearHighlight();
    QFont bold = lbl[size_t(i - 1)]->font();
    bold.setBold(true);
    lbl[size_t(i - 1)]->setFont(bold);
}

void sommario::lbl_MouseDown(int i)
{
    setBorder(lbl[size_t(i - 1)], false); // reads as pressed
    puls_Click(i);
}

void sommario::lbl_MouseUp(int i) { setBorder(lbl[size_t(i - 1)], true); }

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
    for (int i = 1; i <= LinkCount; ++i)
        if (lbl[size_t(i - 1)] == label)
            return i;
    return 0;
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
