#include "supportoclienti.h"

#include "controls.h"
#include "fonts.h"
#include "infostyle.h"
#include "linecontrol.h"
#include "maker.h"
#include "twips.h"

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

void supportoclienti::createControls()
{
    const QColor text = palette().color(QPalette::WindowText);
    const QFont bold = Fonts::designFont(Fonts::MsSansSerif, 8.25, true);

    Label1 = Controls::label(this, QStringLiteral("Label1"), Maker::Brand,
                             Fonts::designFont(QStringLiteral("Arial"), 14.25, true, true), text);
    scaling::placeTwips(Label1, 240, 120, 3015, 375);
    Label6 = Controls::label(this, QStringLiteral("Label6"), QStringLiteral("dal ") + Maker::FoundingYear, font(), text);
    scaling::placeTwips(Label6, 3360, 240, 975, 255);
    Label2 = Controls::label(this, QStringLiteral("Label2"), Maker::PostalAddress, font(), text);
    scaling::placeTwips(Label2, 240, 720, 3615, 255);
    Label3 = Controls::label(this, QStringLiteral("Label3"), telephoneLine(), font(), text);
    scaling::placeTwips(Label3, 240, 960, 3375, 255);
    Label9 = Controls::label(this, QStringLiteral("Label9"), Maker::Email, bold, text);
    scaling::placeTwips(Label9, 3720, 960, 3015, 255);
    Line1 = new LineControl(120, 1320, 6855, 1320, this);
    Line1->setObjectName(QStringLiteral("Line1"));

    Label4 = Controls::label(this, QStringLiteral("Label4"), supportTerms(), font(), text);
    scaling::placeTwips(Label4, 240, 1440, 6495, 1215);
    Label5 = Controls::label(this, QStringLiteral("Label5"), customWork(), font(), text);
    scaling::placeTwips(Label5, 240, 2640, 6495, 615);
    Line2 = new LineControl(120, 3360, 4800, 3360, this);
    Line2->setObjectName(QStringLiteral("Line2"));

    Label8 = Controls::label(this, QStringLiteral("Label8"), QStringLiteral("sito internet:"), font(), text);
    scaling::placeTwips(Label8, 240, 3600, 855, 255);
    Label10 = Controls::label(this, QStringLiteral("Label10"), Maker::WebSite, bold, text, std::nullopt,
                              Qt::AlignHCenter | Qt::AlignTop);
    scaling::placeTwips(Label10, 1080, 3600, 3495, 255);

    Command1 = Controls::button(this, QStringLiteral("Command1"), QStringLiteral("OK"), {}, font());
    Command1->setDefault(true);
    scaling::placeTwips(Command1, 4920, 3360, 1815, 495);
    connect(Command1, &QPushButton::clicked, this, &supportoclienti::Command1_Click);

    for (QLabel* oneLine : {Label1, Label6, Label2, Label3, Label9, Label8, Label10}) {
        oneLine->setWordWrap(false);
        InfoStyle::fitToText(oneLine);
    }
    // The e-mail address stands right after the telephone line, however wide that came out.
    const QRect mail = Label9->geometry();
    const int left = qMax(mail.left(), Label3->geometry().right() + 1);
    Label9->setGeometry(left, mail.top(), qMax(0, mail.right() + 1 - left), mail.height());
    InfoStyle::fitToText(Label9);
}

void supportoclienti::Form_Load() { Controls::centreOnScreen(this); }

void supportoclienti::Command1_Click() { hide(); }
