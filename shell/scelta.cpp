#include "shell/scelta.h"

#include "corpus/archives.h"
#include "shell/colours.h"
#include "shell/controltable.h"
#include "shell/dialogs.h"
#include "shell/fonts.h"
#include "shell/maker.h"
#include "shell/modlexoria.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace {

using namespace Colours;
using Fonts::sansSerif;

ControlTable::Twips twips(const QRectF& r) { return {r.left(), r.top(), r.width(), r.height()}; }

} // namespace

scelta::scelta(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("scelta"));
    setWindowTitle(QStringLiteral("Lexoria: menu degli archivi di massime disponibili"));
    setFont(sansSerif(8.25));
    setMouseTracking(true);
    ScaledForm::setDesignClientSize(this, DesignWidth, layout_.clientHeight());
    createControls();
    connectSignals();
}

scelta::Layout scelta::layoutFor(int rows)
{
    return Layout{.shift = RowPitch * qMax(0, rows - DesignedRows)};
}

void scelta::createControls() { ControlTable::build(this, controlTable()); }

std::vector<ControlTable::Control> scelta::controlTable()
{
    using ControlTable::Kind;
    std::vector<ControlTable::Control> table = {
        {.kind = Kind::Label, .name = QStringLiteral("Lb"), .into = Lb, .rect = {360, 360, 8775, 615},
         .text = QStringLiteral("Cliccare sulla tematica prescelta"), .font = sansSerif(24), .colour = Yellow,
         .background = Red, .alignment = Qt::AlignCenter},
        {.kind = Kind::Label, .name = QStringLiteral("Label61"), .into = Label61, .rect = {480, 1320, 3735, 375},
         .text = QStringLiteral("Tematiche generali"), .font = sansSerif(12, true),
         .alignment = Qt::AlignHCenter | Qt::AlignTop},
        {.kind = Kind::Label, .name = QStringLiteral("Label71"), .into = Label71, .rect = {4320, 1320, 4815, 375},
         .text = QStringLiteral(" il programma visualizza..."), .font = sansSerif(12, true)},
    };
    // One row per archive: its option (a command drawn as an option button) and its count.
    for (int i = 0; i < corpus::ArchiveCount; ++i) {
        const corpus::ArchiveInfo& a = corpus::archives()[size_t(i)];
        table.push_back({.kind = Kind::OptionButton, .name = QStringLiteral("Option1_%1").arg(i + 1),
                         .into = Option1[size_t(i)], .rect = twips(layout_.option(i)), .text = a.chooserCaption,
                         .font = sansSerif(12, true, true), .colour = DarkBlue});
        table.push_back({.kind = Kind::Label, .name = QStringLiteral("Label%1").arg(i + 1),
                         .into = countLabels[size_t(i)], .rect = twips(layout_.count(i, a.chooserCountWidth))});
    }
    table.insert(table.end(), {
        {.kind = Kind::Label, .name = QStringLiteral("num"), .into = num, .rect = twips(layout_.total()),
         .font = sansSerif(9.75, true), .colour = DarkBlue, .background = Yellow, .alignment = Qt::AlignCenter},
        {.kind = Kind::Button, .name = QStringLiteral("aiuto"), .into = aiuto, .rect = twips(layout_.button(0)),
         .text = QStringLiteral("&AIUTO"),
         .toolTip = QStringLiteral("cliccare per avere informazioni sull'uso della finestra")},
        {.kind = Kind::Button, .name = QStringLiteral("guida"), .into = guida, .rect = twips(layout_.button(1)),
         .text = QStringLiteral("&Guida in linea"),
         .toolTip = QStringLiteral("cliccare per visualizzare gli Argomenti della guida")},
        {.kind = Kind::Button, .name = QStringLiteral("cmdesci"), .into = cmdesci, .rect = twips(layout_.button(2)),
         .text = QStringLiteral("&USCITA"), .toolTip = QStringLiteral("cliccare per uscire da Lexoria")},
        {.kind = Kind::Button, .name = QStringLiteral("forum"), .into = forum, .rect = twips(layout_.button(3)),
         .text = QStringLiteral("&forum"), .toolTip = QStringLiteral("cliccare per andare sul forum di discussione")},
        {.kind = Kind::Button, .name = QStringLiteral("cerca"), .into = cerca, .rect = twips(layout_.search()),
         .text = QStringLiteral("&Cerca"),
         .toolTip = QStringLiteral("cliccare per cercare parole e citazioni in tutte le massime")},
        {.kind = Kind::StatusBar, .name = QStringLiteral("StatusBar1"), .into = StatusBar1,
         .rect = twips(layout_.statusBar())},
        {.kind = Kind::StatusText, .name = QStringLiteral("StatusBar1_text"), .into = statusLabel,
         .text = QStringLiteral("Menu di scelta."), .parent = QStringLiteral("StatusBar1")},
    });
    return table;
}

void scelta::connectSignals()
{
    for (int i = 0; i < corpus::ArchiveCount; ++i) {
        QRadioButton* option = Option1[size_t(i)];
        option->setMouseTracking(true);
        option->installEventFilter(this);
        connect(option, &QRadioButton::clicked, this, [this, i] { Option1_Click(i + 1); });
    }
    connect(aiuto, &QPushButton::clicked, this, &scelta::aiuto_Click);
    connect(guida, &QPushButton::clicked, this, &scelta::guida_Click);
    connect(cmdesci, &QPushButton::clicked, this, &scelta::cmdesci_Click);
    connect(forum, &QPushButton::clicked, this, &scelta::forum_Click);
    connect(cerca, &QPushButton::clicked, this, &scelta::cerca_Click);
}

void scelta::Form_Load()
{
    form_.load(this, layout_.outerHeight(), 9600);

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
