#include "help/helpwindow.h"

#include "scaling/twips.h"
#include "shell/colours.h"
#include "shell/controls.h"
#include "shell/fonts.h"
#include "shell/modlexoria.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

using namespace Colours;
using Fonts::sansSerif;

// Design client areas (twips): the outer sizes of the load step less the frame.
constexpr double NarrowClientWidth = 5520;
constexpr double WideClientWidth = 9480;
constexpr double ClientHeight = 6420;
constexpr double Margin = 120;
constexpr double ButtonWidth = 1215;
constexpr double ButtonHeight = 375;

HelpWindow::TextPrinter& textPrinter()
{
    static HelpWindow::TextPrinter printer;
    return printer;
}

HelpWindow::LicencePrinter& licencePrinter()
{
    static HelpWindow::LicencePrinter printer;
    return printer;
}


// A read-only text that shows the paragraphs ("\r" apart) with a little space
// between them; it scrolls when the text is longer than the box.
QTextEdit* textBox(QWidget* parent, const QString& name, const QString& accessibleName, const QString& text,
                   const QFont& font)
{
    auto* box = new QTextEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setReadOnly(true);
    box->setAcceptRichText(false);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFont(font);
    box->setPlainText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    QTextCursor cursor(box->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat spaced;
    spaced.setBottomMargin(QFontMetrics(font).height() / 3);
    cursor.mergeBlockFormat(spaced);
    return box;
}

} // namespace

HelpWindow::HelpWindow(const help::HelpPage& page, QWidget* parent) : QWidget(parent), page_(page)
{
    setObjectName(page_.name);
    setWindowTitle(page_.caption);
    setFont(sansSerif(8.25));
    Controls::setBackColor(this, PaleYellow);

    const double clientWidth = page_.wide ? WideClientWidth : NarrowClientWidth;
    ScaledForm::setDesignClientSize(this, clientWidth, ClientHeight);
    createButtons(clientWidth);
    if (page_.licence)
        createLicence(clientWidth);
    else
        createHelpText(clientWidth);
}

void HelpWindow::createButtons(double clientWidth)
{
    cmdSommario = Controls::button(this, QStringLiteral("cmdSommario"), QStringLiteral("&Sommario"),
                                   page_.sommarioToolTip, font());
    scaling::placeTwips(cmdSommario, Margin, Margin, ButtonWidth, ButtonHeight);
    connect(cmdSommario, &QPushButton::clicked, this, &HelpWindow::cmdSommario_Click);

    cmdStampa = Controls::button(this, QStringLiteral("cmdStampa"), QStringLiteral("S&tampa"), page_.stampaToolTip,
                                 font());
    scaling::placeTwips(cmdStampa, (clientWidth - ButtonWidth) / 2, Margin, ButtonWidth, ButtonHeight);
    connect(cmdStampa, &QPushButton::clicked, this, &HelpWindow::cmdStampa_Click);

    cmdchiudi = Controls::button(this, QStringLiteral("cmdchiudi"), QStringLiteral("&Chiudi"), {}, font());
    scaling::placeTwips(cmdchiudi, clientWidth - Margin - ButtonWidth, Margin, ButtonWidth, ButtonHeight);
    connect(cmdchiudi, &QPushButton::clicked, this, &HelpWindow::cmdchiudi_Click);
}

void HelpWindow::createHelpText(double clientWidth)
{
    title_ = page_.title;
    text_ = help::pageText(page_.name);

    Label1 = Controls::label(this, QStringLiteral("Label1"), title_, sansSerif(8.25, true), Blue);
    scaling::placeTwips(Label1, Margin, 600, clientWidth - 2 * Margin, 255);

    // Label2 reads as a label on the window's colour, but scrolls rather than cut a long text.
    Label2 = textBox(this, QStringLiteral("Label2"), QStringLiteral("Testo della guida"), text_, sansSerif(9.75));
    Label2->setFrameShape(QFrame::NoFrame);
    Label2->document()->setDocumentMargin(2);
    QPalette p = Label2->palette();
    p.setColor(QPalette::Base, PaleYellow);
    p.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    Label2->setPalette(p);
    scaling::placeTwips(Label2, Margin, 960, clientWidth - 2 * Margin, ClientHeight - 960 - Margin);

    QWidget::setTabOrder(cmdchiudi, Label2);
}

void HelpWindow::createLicence(double clientWidth)
{
    programName = Controls::label(this, QStringLiteral("Label2"), {}, sansSerif(12, true), Blue, std::nullopt,
                                  Qt::AlignCenter);
    scaling::placeTwips(programName, Margin, 600, clientWidth - 2 * Margin, 375);

    Text1 = textBox(this, QStringLiteral("Text1"), QStringLiteral("Condizioni della licenza d'uso"),
                    help::pageText(page_.name), sansSerif(8.25));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scaling::placeTwips(Text1, Margin, 1080, clientWidth - 2 * Margin, ClientHeight - 1080 - Margin);

    QWidget::setTabOrder(cmdchiudi, Text1);
}

void HelpWindow::setTextPrinter(TextPrinter printer) { textPrinter() = std::move(printer); }

void HelpWindow::setLicencePrinter(LicencePrinter printer) { licencePrinter() = std::move(printer); }

QString HelpWindow::helpTitle() const { return title_; }

QString HelpWindow::helpText() const { return text_; }

QString HelpWindow::licenceText() const
{
    return Text1 ? Text1->toPlainText().replace(QLatin1Char('\n'), QLatin1Char('\r')) : QString();
}

void HelpWindow::Form_Load()
{
    if (page_.wide)
        form_.load(this, 6825, 9600);
    else
        form_.load(this, 6825, 5640, 5467);
    if (programName)
        programName->setText(ModLexoria::Settings().programName);
}

void HelpWindow::Form_Unload() { form_.release(); }

void HelpWindow::cmdchiudi_Click()
{
    // The licence terms stay loaded, so the contents window finds them as they were.
    if (page_.licence)
        hide();
    else
        WindowRegistry::instance().unload(this);
}

void HelpWindow::cmdSommario_Click() { WindowRegistry::instance().show(QStringLiteral("sommario")); }

void HelpWindow::cmdStampa_Click()
{
    if (page_.licence) {
        if (licencePrinter())
            licencePrinter()(licenceText());
    } else if (textPrinter()) {
        textPrinter()(helpTitle(), helpText());
    }
}

QList<HelpWindow::GuidePage> HelpWindow::readGuide()
{
    QList<GuidePage> guide;
    for (const QString& name : help::guideWindows())
        if (auto* window = qobject_cast<HelpWindow*>(WindowRegistry::instance().load(name)))
            guide.append({window->helpTitle(), window->helpText()});
    return guide;
}
