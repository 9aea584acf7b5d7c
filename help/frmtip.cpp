#include "frmtip.h"

#include "colours.h"
#include "controls.h"
#include "fonts.h"
#include "tipfile.h"
#include "twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

using Colours::PaleYellow;
using Fonts::sansSerif;

// A small fixed window (twips): the tip box at the left, the buttons at its right.
constexpr double ClientWidth = 5640;
constexpr double ClientHeight = 2955;
constexpr double ButtonLeft = 4260;
constexpr double ButtonWidth = 1260;
constexpr double ButtonHeight = 375;


} // namespace

frmTip::frmTip(const QString& tipFile, QWidget* parent) : QWidget(parent), tipFile_(tipFile)
{
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("Suggerimento del giorno"));
    setFont(sansSerif(8.25));
    createControls();
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

void frmTip::createControls()
{
    setFixedSize(scaling::pixelsFromTwipsX(this, ClientWidth), scaling::pixelsFromTwipsY(this, ClientHeight));

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Controls::setBackColor(Picture1, PaleYellow);
    scaling::placeTwips(Picture1, 120, 120, 3975, 2715);

    Label1 = Controls::label(Picture1, QStringLiteral("Label1"), QStringLiteral("Non tutti sanno che..."),
                             sansSerif(12, true), palette().color(QPalette::WindowText));
    scaling::placeTwips(Label1, 180, 150, 3615, 375);

    lblTipText = Controls::label(Picture1, QStringLiteral("lblTipText"), {}, sansSerif(9.75),
                                 palette().color(QPalette::WindowText));
    // The tip itself is the accessible name (QLabel keeps it current); the
    // description says what it is.
    lblTipText->setAccessibleDescription(QStringLiteral("Suggerimento"));
    scaling::placeTwips(lblTipText, 180, 660, 3615, 1935);

    auto button = [this](const char* name, const char* caption, double top) {
        QPushButton* b = Controls::button(this, QString::fromLatin1(name), QString::fromUtf8(caption), {}, font());
        scaling::placeTwips(b, ButtonLeft, top, ButtonWidth, ButtonHeight);
        return b;
    };
    cmdOK = button("cmdOK", "&Chiudi", 120);
    cmdNextTip = button("cmdNextTip", "&Successivo", 600);
    cmdprecedente = button("cmdprecedente", "&Precedente", 1080);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    connect(cmdprecedente, &QPushButton::clicked, this, &frmTip::cmdprecedente_Click);
}

void frmTip::Form_Load()
{
    Controls::centreOnScreen(this);
    if (!LoadTips(tipFile_))
        lblTipText->setText(notFoundMessage());
}

bool frmTip::LoadTips(const QString& fileName)
{
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(help::tipfile::MaxBytes);
    tips_ += help::tipfile::decode(head, !file.atEnd());
    file.close();
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
        lblTipText->setText(tips_.at(currentTip_ - 1));
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
