#include "info/informa.h"

#include "info/infostyle.h"
#include "scaling/linecontrol.h"
#include "scaling/twips.h"
#include "shell/controls.h"
#include "shell/controltable.h"
#include "shell/fonts.h"
#include "shell/maker.h"
#include "shell/modlexoria.h"

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
    fitLabels();
    connectSignals();
}

void informa::createControls() { ControlTable::build(this, controlTable()); }

std::vector<ControlTable::Control> informa::controlTable()
{
    using ControlTable::Kind;
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    return {
        {.kind = Kind::Label, .name = QStringLiteral("Label3"), .into = Label3, .rect = {120, 0, 6615, 375},
         .text = Maker::Brand, .font = Fonts::designFont(QStringLiteral("Arial"), 18, true, true), .alignment = centred,
         .wordWrap = false},
        {.kind = Kind::Label, .name = QStringLiteral("Label1"), .into = Label1, .rect = {240, 360, 6495, 615},
         .font = Fonts::designFont(QStringLiteral("Arial Black"), 24, true), .alignment = Qt::AlignCenter,
         .wordWrap = false},
        {.kind = Kind::Label, .name = QStringLiteral("Label2"), .into = Label2, .rect = {240, 960, 6495, 255},
         .font = Fonts::designFont(Fonts::MsSansSerif, 9.75), .alignment = centred, .wordWrap = false},
        {.kind = Kind::Line, .name = QStringLiteral("Line1"), .into = Line1, .line = {120, 1320, 6855, 1320}},
        {.kind = Kind::Label, .name = QStringLiteral("Label5"), .into = Label5, .rect = {2400, 1440, 2175, 255},
         .text = QStringLiteral("per sistemi Windows a 32 bit "), .wordWrap = false},
        {.kind = Kind::Label, .name = QStringLiteral("Label6"), .into = Label6, .rect = {1320, 1680, 4335, 255},
         .alignment = centred, .wordWrap = false},
        {.kind = Kind::Line, .name = QStringLiteral("Line2"), .into = Line2, .line = {120, 2040, 6855, 2040}},
        {.kind = Kind::Label, .name = QStringLiteral("label7"), .into = label7, .rect = {0, 2160, 6975, 255},
         .text = Maker::MusicCredit, .colour = Colours::Blue, .alignment = centred, .wordWrap = false},
        {.kind = Kind::Line, .name = QStringLiteral("Line3"), .into = Line3, .line = {120, 2520, 6855, 2520}},
        {.kind = Kind::Label, .name = QStringLiteral("Label4"), .into = Label4, .rect = {240, 2640, 3495, 1215},
         .text = Maker::LegalNotice},
        {.kind = Kind::Button, .name = QStringLiteral("cmdOK"), .into = cmdOK, .rect = {5160, 3120, 1575, 495},
         .text = QStringLiteral("OK"), .isDefault = true},
    };
}

// The one-line labels take the width of their text.
void informa::fitLabels()
{
    for (QLabel* oneLine : {Label3, Label1, Label2, Label5, Label6, label7})
        InfoStyle::fitToText(oneLine);
}

void informa::connectSignals() { connect(cmdOK, &QPushButton::clicked, this, &informa::cmdOK_Click); }

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
