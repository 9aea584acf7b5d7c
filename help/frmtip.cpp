#include "help/frmtip.h"

#include "help/tipfile.h"
#include "scaling/twips.h"
#include "shell/colours.h"
#include "shell/controls.h"
#include "shell/controltable.h"
#include "shell/fonts.h"
#include "shell/textfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

using Colours::PaleYellow;
using Fonts::sansSerif;

// A small fixed window (twips): the tip box at the left, the buttons at its right.
constexpr double ClientWidth = 5640;
constexpr double ClientHeight = 2955;
constexpr double ButtonLeft = 4260;
constexpr double ButtonWidth = 1260;
constexpr double ButtonHeight = 375;

// The tip box keeps its size and place; a tip too long for it gets a vertical
// scroll bar (and the box a keyboard focus, for the arrow keys).
QWidget* makeTipBox(QWidget* parent)
{
    auto* box = new QScrollArea(parent);
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    box->setWidgetResizable(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->viewport()->setAutoFillBackground(false);
    return box;
}

} // namespace

frmTip::frmTip(const QString& tipFile, QWidget* parent) : QWidget(parent), tipFile_(tipFile)
{
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("Suggerimento del giorno"));
    setFont(sansSerif(8.25));
    setFixedSize(scaling::pixelsFromTwipsX(this, ClientWidth), scaling::pixelsFromTwipsY(this, ClientHeight));
    createControls();
    connectSignals();
}

QString frmTip::defaultTipFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(TipFileName);
}

QString frmTip::notFoundMessage()
{
    return QStringLiteral("Impossibile trovare il file ") + TipFileName + QStringLiteral("\r\n\r\n")
         + QStringLiteral("Creare un file di testo denominato ") + TipFileName
         + QStringLiteral(" utilizzando il Blocco note e inserendo un suggerimento per ogni riga. ")
         + QStringLiteral("Inserire il file nella stessa directory dell'applicazione. ");
}

namespace {

QString replaceAdvice()
{
    return QStringLiteral("Sostituirlo con un file di testo, creato con il Blocco note, con un suggerimento per ogni "
                          "riga, nella stessa directory dell'applicazione.");
}

} // namespace

QString frmTip::cannotReadMessage(const QString& reason)
{
    return QStringLiteral("Impossibile leggere il file ") + TipFileName + QStringLiteral(" (") + reason
         + QStringLiteral(").\r\n\r\n") + replaceAdvice();
}

QString frmTip::notTextMessage()
{
    return QStringLiteral("Il file ") + TipFileName + QStringLiteral(" non è un file di testo.\r\n\r\n")
         + replaceAdvice();
}

QString frmTip::noTipsMessage()
{
    return QStringLiteral("Il file ") + TipFileName + QStringLiteral(" è vuoto.\r\n\r\n")
         + QStringLiteral("Inserire nel file un suggerimento per ogni riga.");
}

void frmTip::createControls() { ControlTable::build(this, controlTable()); }

std::vector<ControlTable::Control> frmTip::controlTable()
{
    using ControlTable::Kind;
    return {
        {.kind = Kind::Panel, .name = QStringLiteral("Picture1"), .into = Picture1, .rect = {120, 120, 3975, 2715},
         .background = PaleYellow},
        {.kind = Kind::Label, .name = QStringLiteral("Label1"), .into = Label1, .rect = {180, 150, 3615, 375},
         .text = QStringLiteral("Non tutti sanno che..."), .font = sansSerif(12, true),
         .parent = QStringLiteral("Picture1")},
        {.kind = Kind::Custom, .name = QStringLiteral("tipBox"), .into = tipBox, .rect = {180, 660, 3615, 1935},
         .accessibleName = QStringLiteral("Casella del suggerimento"), .parent = QStringLiteral("Picture1"),
         .make = makeTipBox},
        // The tip itself is the accessible name (QLabel keeps it current); the
        // description says what it is.
        {.kind = Kind::Label, .name = QStringLiteral("lblTipText"), .into = lblTipText, .font = sansSerif(9.75),
         .accessibleDescription = QStringLiteral("Suggerimento"), .parent = QStringLiteral("tipBox")},
        {.kind = Kind::Button, .name = QStringLiteral("cmdOK"), .into = cmdOK,
         .rect = {ButtonLeft, 120, ButtonWidth, ButtonHeight}, .text = QStringLiteral("&Chiudi"), .isDefault = true},
        {.kind = Kind::Button, .name = QStringLiteral("cmdNextTip"), .into = cmdNextTip,
         .rect = {ButtonLeft, 600, ButtonWidth, ButtonHeight}, .text = QStringLiteral("&Successivo")},
        {.kind = Kind::Button, .name = QStringLiteral("cmdprecedente"), .into = cmdprecedente,
         .rect = {ButtonLeft, 1080, ButtonWidth, ButtonHeight}, .text = QStringLiteral("&Precedente")},
    };
}

void frmTip::connectSignals()
{
    connect(cmdOK, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    connect(cmdprecedente, &QPushButton::clicked, this, &frmTip::cmdprecedente_Click);
}

void frmTip::Form_Load()
{
    Controls::centreOnScreen(this);
    if (!LoadTips(tipFile_))
        showText(loadProblem_);
}

bool frmTip::LoadTips(const QString& fileName)
{
    const TextFiles::Head head = TextFiles::readHead(fileName, help::tipfile::MaxBytes);
    switch (head.status) {
    case TextFiles::Head::Status::Missing:
        loadProblem_ = notFoundMessage();
        return false;
    case TextFiles::Head::Status::NotAFile:
    case TextFiles::Head::Status::Unreadable:
        loadProblem_ = cannotReadMessage(head.reason);
        return false;
    case TextFiles::Head::Status::Read:
        break;
    }
    if (TextFiles::looksBinary(head.data)) {
        loadProblem_ = notTextMessage();
        return false;
    }
    const QStringList tips = help::tipfile::decode(head.data, head.truncated);
    if (tips.isEmpty()) {
        loadProblem_ = noTipsMessage();
        return false;
    }
    tips_ += tips;
    AdvanceTip();
    return true;
}

void frmTip::AdvanceTip()
{
    ++currentTip_;
    if (currentTip_ > tips_.size())
        currentTip_ = 1;
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (!tips_.isEmpty())
        showText(tips_.at(currentTip_ - 1));
}

void frmTip::showText(const QString& text)
{
    lblTipText->setText(text);
    tipBox->verticalScrollBar()->setValue(0);
    // Only a tip that does not fit takes a stop in the tab order.
    const bool overflows = lblTipText->heightForWidth(tipBox->width()) > tipBox->height();
    tipBox->setFocusPolicy(overflows ? Qt::StrongFocus : Qt::NoFocus);
}

void frmTip::cmdNextTip_Click() { AdvanceTip(); }

void frmTip::cmdprecedente_Click()
{
    if (currentTip_ > 1) {
        --currentTip_;
        DisplayCurrentTip();
    }
}

void frmTip::cmdOK_Click() { hide(); }

QString frmTip::tipText() const { return lblTipText->text(); }
