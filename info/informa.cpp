#include "informa.h"

#include "controls.h"
#include "fonts.h"
#include "infostyle.h"
#include "linecontrol.h"
#include "maker.h"
#include "modlexoria.h"
#include "twips.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr double ClientWidth = 6975, ClientHeight = 4020;

// The year of a day/month/year date; a date that does not read as one gives its last part.
int yearOf(const QString& date)
{
    const QDate parsed = QDate::fromString(date, QStringLiteral("d/M/yyyy"));
    if (parsed.isValid())
        return parsed.year();
    return date.section(QLatin1Char('/'), -1).trimmed().toInt();
}

} // namespace

informa::informa(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("informa"));
    setFont(Fonts::designFont(Fonts::MsSansSerif, 8.25));
    setWindowIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    Controls::makeFixedWindow(this, ClientWidth, ClientHeight);
    createControls();
}

void informa::createControls()
{
    const QColor text = palette().color(QPalette::WindowText);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

    Label3 = Controls::label(this, QStringLiteral("Label3"), Maker::Brand,
                             Fonts::designFont(QStringLiteral("Arial"), 18, true, true), text, std::nullopt, centred);
    scaling::placeTwips(Label3, 120, 0, 6615, 375);
    Label1 = Controls::label(this, QStringLiteral("Label1"), {}, Fonts::designFont(QStringLiteral("Arial Black"), 24, true),
                             text, std::nullopt, Qt::AlignCenter);
    scaling::placeTwips(Label1, 240, 360, 6495, 615);
    Label2 = Controls::label(this, QStringLiteral("Label2"), {}, Fonts::designFont(Fonts::MsSansSerif, 9.75), text,
                             std::nullopt, centred);
    scaling::placeTwips(Label2, 240, 960, 6495, 255);
    Line1 = new LineControl(120, 1320, 6855, 1320, this);
    Line1->setObjectName(QStringLiteral("Line1"));

    Label5 = Controls::label(this, QStringLiteral("Label5"), QStringLiteral("per sistemi Windows a 32 bit "), font(),
                             text);
    scaling::placeTwips(Label5, 2400, 1440, 2175, 255);
    Label6 = Controls::label(this, QStringLiteral("Label6"), {}, font(), text, std::nullopt, centred);
    scaling::placeTwips(Label6, 1320, 1680, 4335, 255);
    Line2 = new LineControl(120, 2040, 6855, 2040, this);
    Line2->setObjectName(QStringLiteral("Line2"));

    label7 = Controls::label(this, QStringLiteral("label7"), Maker::MusicCredit, font(), Colours::Blue, std::nullopt,
                             centred);
    scaling::placeTwips(label7, 0, 2160, 6975, 255);
    Line3 = new LineControl(120, 2520, 6855, 2520, this);
    Line3->setObjectName(QStringLiteral("Line3"));

    Label4 = Controls::label(this, QStringLiteral("Label4"), Maker::LegalNotice, font(), text);
    scaling::placeTwips(Label4, 240, 2640, 3495, 1215);

    cmdOK = Controls::button(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), {}, font());
    cmdOK->setDefault(true);
    scaling::placeTwips(cmdOK, 5160, 3120, 1575, 495);
    connect(cmdOK, &QPushButton::clicked, this, &informa::cmdOK_Click);

    for (QLabel* oneLine : {Label3, Label1, Label2, Label5, Label6, label7}) {
        oneLine->setWordWrap(false);
        InfoStyle::fitToText(oneLine);
    }
}

QString informa::editionLine()
{
    const ModLexoria::GlobalSettings& s = ModLexoria::Settings();
    return QStringLiteral("edizione professionale - versione ") + s.versionText + QStringLiteral("  ")
         + ModLexoria::WithSignBlank(yearOf(s.releaseDate)) + QStringLiteral("- 20") + s.closingYearText.right(2);
}

void informa::Form_Load()
{
    const ModLexoria::GlobalSettings& s = ModLexoria::Settings();
    setWindowTitle(QStringLiteral("Informazioni su ") + s.programName);
    Label1->setText(s.programName);
    Label2->setText(s.subtitle);
    Label6->setText(editionLine());
    for (QLabel* filled : {Label1, Label2, Label6})
        InfoStyle::fitToText(filled);
    Controls::centreOnScreen(this);
}

void informa::cmdOK_Click() { hide(); }
