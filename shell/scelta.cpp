#include "scelta.h"

#include "archives.h"
#include "colours.h"
#include "controls.h"
#include "dialogs.h"
#include "fonts.h"
#include "maker.h"
#include "modlexoria.h"
#include "twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace {


using namespace Colours;
using Fonts::sansSerif;

} // namespace

scelta::scelta(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("scelta"));
    setWindowTitle(QStringLiteral("Lexoria: menu degli archivi di massime disponibili"));
    setFont(sansSerif(8.25));
    setMouseTracking(true);
    createControls();
}

void scelta::createControls()
{
    ScaledForm::setDesignClientSize(this, 9480, 6420);

    Lb = Controls::label(this, QStringLiteral("Lb"), QStringLiteral("Cliccare sulla tematica prescelta"), sansSerif(24),
                         Yellow, Red, Qt::AlignCenter);
    scaling::placeTwips(Lb, 360, 360, 8775, 615);
    Label61 = Controls::label(this, QStringLiteral("Label61"), QStringLiteral("Tematiche generali"),
                              sansSerif(12, true), palette().color(QPalette::WindowText), std::nullopt, Qt::AlignHCenter | Qt::AlignTop);
    scaling::placeTwips(Label61, 480, 1320, 3735, 375);
    Label71 = Controls::label(this, QStringLiteral("Label71"), QStringLiteral(" il programma visualizza..."),
                              sansSerif(12, true), palette().color(QPalette::WindowText));
    scaling::placeTwips(Label71, 4320, 1320, 4815, 375);

    for (int i = 0; i < corpus::ArchiveCount; ++i) {
        const corpus::ArchiveInfo& a = corpus::archives()[size_t(i)];
        auto* option = new QRadioButton(a.chooserCaption, this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i + 1));
        option->setFont(sansSerif(12, true, true));
        QPalette p = option->palette();
        p.setColor(QPalette::WindowText, DarkBlue);
        p.setColor(QPalette::ButtonText, DarkBlue);
        option->setPalette(p);
        // Drawn as an option button, but a command: without a check state any
        // activation (mouse, Space, the accessibility press action) is a click,
        // no option ever stays marked, and screen readers meet a push button
        // rather than a choice that would read "not selected".
        option->setCheckable(false);
        option->setMouseTracking(true);
        option->installEventFilter(this);
        scaling::placeTwips(option, 480, 1920 + 480 * i, 3615, 300);
        connect(option, &QRadioButton::clicked, this, [this, i] { Option1_Click(i + 1); });
        Option1[size_t(i)] = option;

        countLabels[size_t(i)] = Controls::label(this, QStringLiteral("Label%1").arg(i + 1), {}, font(),
                                                 palette().color(QPalette::WindowText));
        scaling::placeTwips(countLabels[size_t(i)], 4320, 2040 + 480 * i, a.chooserCountWidth, 255);
    }

    num = Controls::label(this, QStringLiteral("num"), {}, sansSerif(9.75, true), DarkBlue, Yellow, Qt::AlignCenter);
    scaling::placeTwips(num, 480, 5400, 3735, 375);

    aiuto = Controls::button(this, QStringLiteral("aiuto"), QStringLiteral("&AIUTO"),
                             QStringLiteral("cliccare per avere informazioni sull'uso della finestra"), font());
    scaling::placeTwips(aiuto, 4440, 5520, 1215, 375);
    connect(aiuto, &QPushButton::clicked, this, &scelta::aiuto_Click);
    guida = Controls::button(this, QStringLiteral("guida"), QStringLiteral("&Guida in linea"),
                             QStringLiteral("cliccare per visualizzare gli Argomenti della guida"), font());
    scaling::placeTwips(guida, 5640, 5520, 1215, 375);
    connect(guida, &QPushButton::clicked, this, &scelta::guida_Click);
    cmdesci = Controls::button(this, QStringLiteral("cmdesci"), QStringLiteral("&USCITA"),
                               QStringLiteral("cliccare per uscire da Lexoria"), font());
    scaling::placeTwips(cmdesci, 6840, 5520, 1215, 375);
    connect(cmdesci, &QPushButton::clicked, this, &scelta::cmdesci_Click);
    forum = Controls::button(this, QStringLiteral("forum"), QStringLiteral("&forum"),
                             QStringLiteral("cliccare per andare sul forum di discussione"), font());
    scaling::placeTwips(forum, 8040, 5520, 1215, 375);
    connect(forum, &QPushButton::clicked, this, &scelta::forum_Click);
    // In the free strip between the last count label (bottom 5175) and the button row (top 5520),
    // above "forum": it covers and moves nothing, and the scaler takes it with the rest.
    cerca = Controls::button(this, QStringLiteral("cerca"), QStringLiteral("&Cerca"),
                             QStringLiteral("cliccare per cercare parole e citazioni in tutte le massime"), font());
    scaling::placeTwips(cerca, 8040, 5190, 1215, 300);
    connect(cerca, &QPushButton::clicked, this, &scelta::cerca_Click);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    statusLabel = new QLabel(QStringLiteral("Menu di scelta."), StatusBar1);
    statusLabel->setObjectName(QStringLiteral("StatusBar1_text"));
    StatusBar1->addWidget(statusLabel, 1);
    scaling::placeTwips(StatusBar1, 0, 6045, 9480, 375);
}

void scelta::Form_Load()
{
    form_.load(this, 6825, 9600);

    WindowRegistry& registry = WindowRegistry::instance();
    for (const corpus::ArchiveInfo& a : corpus::archives())
        registry.load(a.name); // builds the archive and publishes its total

    qint64 grandTotal = 0;
    for (const corpus::ArchiveInfo& a : corpus::archives())
        grandTotal += ModLexoria::ArchiveTotal(a.archive).value_or(0);
    num->setText(QStringLiteral("Numero totale massime: ") + ModLexoria::WithSignBlank(grandTotal));
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        const int total = ModLexoria::ArchiveTotal(a.archive).value_or(0);
        countLabels[size_t(corpus::indexOf(a.archive))]->setText(QStringLiteral("...") + ModLexoria::WithSignBlank(total)
                                                                  + a.chooserCountText);
    }
}

bool scelta::Form_QueryUnload()
{
    // The close box asks the exit question: otherwise the hidden archive windows
    // would stay behind with no way to reach them.
    ModLexoria::ConfirmExit();
    return false;
}

void scelta::Form_Unload() { form_.release(); }

void scelta::Option1_Click(int index)
{
    if (index < 1 || index > corpus::ArchiveCount)
        return;
    WindowRegistry::instance().show(corpus::archives()[size_t(index - 1)].name);
    Option1[size_t(index - 1)]->setChecked(false);
}

void scelta::option1_MouseMove(int index)
{
    if (index >= 1 && index <= corpus::ArchiveCount)
        statusLabel->setText(corpus::archives()[size_t(index - 1)].chooserStatus);
}

void scelta::form_MouseMove()
{
    statusLabel->setText(
        QStringLiteral("Elenca le tematiche trattate nelle massime visualizzabili (suddivise per argomenti)."));
}

QString scelta::statusText() const { return statusLabel->text(); }

void scelta::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over labels and buttons reach the window too; only the bare background counts.
    if (!childAt(event->position().toPoint()))
        form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

bool scelta::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        for (int i = 0; i < corpus::ArchiveCount; ++i)
            if (watched == Option1[size_t(i)])
                option1_MouseMove(i + 1);
    }
    return QWidget::eventFilter(watched, event);
}

void scelta::aiuto_Click()
{
    Dialogs::MsgBox(this,
                    QStringLiteral("- Scegliere l'argomento che si intende controllare cliccandoci sopra;\r"
                                   "- visualizzare le informazioni nella barra di stato muovendosi con il mouse."),
                    QMessageBox::Ok, Dialogs::Icon::Information, ModLexoria::Settings().helpMessageTitle);
}

void scelta::guida_Click() { WindowRegistry::instance().show(QStringLiteral("sommario")); }

void scelta::cmdesci_Click() { ModLexoria::ConfirmExit(); }

void scelta::cerca_Click() { WindowRegistry::instance().show(QStringLiteral("ricerca")); }

void scelta::forum_Click() { ModLexoria::OpenDocument(Maker::ForumPage); }
