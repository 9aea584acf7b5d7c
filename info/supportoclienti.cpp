#include "info/supportoclienti.h"

#include "info/infostyle.h"
#include "scaling/linecontrol.h"
#include "scaling/twips.h"
#include "shell/controls.h"
#include "shell/controltable.h"
#include "shell/fonts.h"
#include "shell/maker.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr double ClientWidth = 6975, ClientHeight = 4020;
const QString FiveBlanks = QStringLiteral("     ");

} // namespace

supportoclienti::supportoclienti(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("supportoclienti"));
    setWindowTitle(QStringLiteral("Servizi di supporto ai clienti"));
    setFont(Fonts::designFont(Fonts::MsSansSerif, 8.25));
    Controls::makeFixedWindow(this, ClientWidth, ClientHeight);
    createControls();
    fitLabels();
    connectSignals();
}

QString supportoclienti::telephoneLine()
{
    return QStringLiteral("tel.") + Maker::Telephone + FiveBlanks + QStringLiteral("fax ") + Maker::Fax + FiveBlanks
         + QStringLiteral("e-mail: ");
}

QString supportoclienti::supportTerms()
{
    return QStringLiteral(
        "I clienti possono inviare fax o e-mail per avere delucidazioni su elementi inerenti il programma "
        "illustrando in modo chiaro le problematiche da risolvere. I chiarimenti telefonici devono riguardare "
        "situazioni che possono ottenere una risposta solo verbale. In questo caso va indicato con precisione il "
        "punto del programma che non funziona o che non appare comprensibile. La linea telefonica è a disposizione "
        "dalle 9,30 alle 13,00 e dalle 15,00 alle 18,00 di tutti i giorni dal lunedì al venerdì escluso i festivi.");
}

QString supportoclienti::customWork()
{
    return QStringLiteral("Si è a disposizione per adeguamenti particolari del programma a richiesta: contattare il "
                          "responsabile software ")
         + Maker::SoftwareManager
         + QStringLiteral(". Sono graditi i suggerimenti per migliorare il prodotto nelle versioni successive.");
}

void supportoclienti::createControls() { ControlTable::build(this, controlTable()); }

std::vector<ControlTable::Control> supportoclienti::controlTable()
{
    using ControlTable::Kind;
    const QFont bold = Fonts::designFont(Fonts::MsSansSerif, 8.25, true);
    return {
        {.kind = Kind::Label, .name = QStringLiteral("Label1"), .into = Label1, .rect = {240, 120, 3015, 375},
         .text = Maker::Brand, .font = Fonts::designFont(QStringLiteral("Arial"), 14.25, true, true),
         .wordWrap = false},
        {.kind = Kind::Label, .name = QStringLiteral("Label6"), .into = Label6, .rect = {3360, 240, 975, 255},
         .text = QStringLiteral("dal ") + Maker::FoundingYear, .wordWrap = false},
        {.kind = Kind::Label, .name = QStringLiteral("Label2"), .into = Label2, .rect = {240, 720, 3615, 255},
         .text = Maker::PostalAddress, .wordWrap = false},
        {.kind = Kind::Label, .name = QStringLiteral("Label3"), .into = Label3, .rect = {240, 960, 3375, 255},
         .text = telephoneLine(), .wordWrap = false},
        {.kind = Kind::Label, .name = QStringLiteral("Label9"), .into = Label9, .rect = {3720, 960, 3015, 255},
         .text = Maker::Email, .font = bold, .wordWrap = false},
        {.kind = Kind::Line, .name = QStringLiteral("Line1"), .into = Line1, .line = {120, 1320, 6855, 1320}},
        {.kind = Kind::Label, .name = QStringLiteral("Label4"), .into = Label4, .rect = {240, 1440, 6495, 1215},
         .text = supportTerms()},
        {.kind = Kind::Label, .name = QStringLiteral("Label5"), .into = Label5, .rect = {240, 2640, 6495, 615},
         .text = customWork()},
        {.kind = Kind::Line, .name = QStringLiteral("Line2"), .into = Line2, .line = {120, 3360, 4800, 3360}},
        {.kind = Kind::Label, .name = QStringLiteral("Label8"), .into = Label8, .rect = {240, 3600, 855, 255},
         .text = QStringLiteral("sito internet:"), .wordWrap = false},
        {.kind = Kind::Label, .name = QStringLiteral("Label10"), .into = Label10, .rect = {1080, 3600, 3495, 255},
         .text = Maker::WebSite, .font = bold, .alignment = Qt::AlignHCenter | Qt::AlignTop, .wordWrap = false},
        {.kind = Kind::Button, .name = QStringLiteral("Command1"), .into = Command1, .rect = {4920, 3360, 1815, 495},
         .text = QStringLiteral("OK"), .isDefault = true},
    };
}

// The one-line labels take the width of their text.
void supportoclienti::fitLabels()
{
    for (QLabel* oneLine : {Label1, Label6, Label2, Label3, Label9, Label8, Label10})
        InfoStyle::fitToText(oneLine);
    // The e-mail address stands right after the telephone line, however wide that came out.
    const QRect mail = Label9->geometry();
    const int left = qMax(mail.left(), Label3->geometry().right() + 1);
    Label9->setGeometry(left, mail.top(), qMax(0, mail.right() + 1 - left), mail.height());
    InfoStyle::fitToText(Label9);
}

void supportoclienti::connectSignals()
{
    connect(Command1, &QPushButton::clicked, this, &supportoclienti::Command1_Click);
}

void supportoclienti::Form_Load() { Controls::centreOnScreen(this); }

void supportoclienti::Command1_Click() { hide(); }
