#include "browserwindow.h"

#include "controls.h"
#include "fonts.h"
#include "modlexoria.h"
#include "twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>

namespace {

const QColor DesignBackground(128, 128, 128);
const QColor Yellow(255, 255, 0);
const QColor DarkBlue(0, 0, 192);

QFont sansSerif(double points, bool bold = false) { return Fonts::designFont(Fonts::MsSansSerif, points, bold); }

} // namespace

BrowserWindow::BrowserWindow(corpus::Archive archive, QWidget* parent) : QMainWindow(parent), archive_(archive)
{
    setObjectName(archiveInfo().name);
    setWindowTitle(archiveInfo().caption);
    setFont(sansSerif(8.25));
    createControls();
    setTabOrder();
}

void BrowserWindow::createControls()
{
    // The client area below the menu bar is the scaler's design surface (9480 x 6135 twips).
    surface_ = new QWidget(this);
    surface_->setObjectName(QStringLiteral("client"));
    setCentralWidget(surface_);
    Controls::setBackColor(surface_, DesignBackground);
    ScaledForm::setDesignClientSize(this, 9480, 6135);

    Toolbar1 = new QToolBar(surface_);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setFocusPolicy(Qt::NoFocus);
    scaling::placeTwips(Toolbar1, 0, 0, 9480, 420);

    Label1 = Controls::label(surface_, QStringLiteral("Label1"), {}, sansSerif(12), DarkBlue, Yellow, Qt::AlignCenter);
    Label1->setToolTip(QStringLiteral("totale delle sentenze disponibili nella corrente versione del programma"));
    scaling::placeTwips(Label1, 120, 600, 2535, 375);

    Label2 = Controls::label(surface_, QStringLiteral("Label2"), {}, sansSerif(13.5), DarkBlue, Yellow, Qt::AlignCenter);
    Label2->setToolTip(QStringLiteral("argomento relativo alle massime visualizzate"));
    scaling::placeTwips(Label2, 2760, 600, 6615, 495);

    List1 = new QListWidget(surface_);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("Elenco degli argomenti"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    scaling::placeTwips(List1, 120, 1080, 2535, 4350);
    // Only a real change of the selection chooses a topic (focus alone does not).
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!List1->selectedItems().isEmpty())
            List1_Click();
    });

    HScroll1 = new QScrollBar(Qt::Horizontal, surface_);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setAccessibleName(QStringLiteral("Scorrimento delle massime"));
    HScroll1->setRange(1, archiveInfo().positions);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(5);
    HScroll1->setValue(1);
    HScroll1->setTracking(false); // nothing happens while the thumb is dragged
    scaling::placeTwips(HScroll1, 2760, 1200, 5415, 375);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });

    conta = Controls::label(surface_, QStringLiteral("conta"), QStringLiteral(" "), sansSerif(13.5), DarkBlue, Yellow,
                            Qt::AlignCenter);
    conta->setToolTip(archiveInfo().contaTooltip);
    conta->setAccessibleName(QStringLiteral("Numero della massima"));
    scaling::placeTwips(conta, 8280, 1200, 1095, 375);

    sent = new QPlainTextEdit(surface_);
    sent->setObjectName(QStringLiteral("sent"));
    sent->setAccessibleName(QStringLiteral("Testo della massima"));
    sent->setReadOnly(true);
    sent->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    sent->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sent->setFont(sansSerif(9.75));
    QPalette textPalette = sent->palette();
    textPalette.setColor(QPalette::Base, Qt::white);
    textPalette.setColor(QPalette::Text, DarkBlue);
    sent->setPalette(textPalette);
    scaling::placeTwips(sent, 2760, 1680, 6615, 3720);

    aiuto = Controls::button(surface_, QStringLiteral("aiuto"), QStringLiteral("&AIUTO"),
                             QStringLiteral("cliccare per visualizzare l'aiuto in linea"), font());
    scaling::placeTwips(aiuto, 120, 5760, 1095, 375);
    guidainlinea = Controls::button(surface_, QStringLiteral("guidainlinea"), QStringLiteral("&Guida in linea"),
                                    QStringLiteral("cliccare per visualizzare gli Argomenti della guida"), font());
    scaling::placeTwips(guidainlinea, 1200, 5760, 1095, 375);

    passo = Controls::label(surface_, QStringLiteral("passo"), {}, font(), DarkBlue, Yellow, Qt::AlignCenter);
    passo->setToolTip(QStringLiteral("indicazioni sulla procedura e sul numero di massime disponibili"));
    scaling::placeTwips(passo, 2400, 5640, 4695, 450);

    stampiamo = Controls::button(surface_, QStringLiteral("stampiamo"), QStringLiteral("&Stampa"),
                                 QStringLiteral("cliccare per stampare la sentenza visualizzata"), font());
    scaling::placeTwips(stampiamo, 7200, 5760, 1095, 375);
    esco = Controls::button(surface_, QStringLiteral("esco"), QStringLiteral("&USCITA"),
                            QStringLiteral("cliccare per uscire da Lexoria"), font());
    scaling::placeTwips(esco, 8280, 5760, 1095, 375);
}

void BrowserWindow::setTabOrder()
{
    const QList<QWidget*> order = {aiuto, guidainlinea, stampiamo, esco, List1, sent, HScroll1};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void BrowserWindow::Form_Load()
{
    form_.load(this, 6825, 9600);
    tables_ = corpus::ArchiveTables::Build(archive_);
    List1->addItems(tables_.TopicListEntries());
    const int total = tables_.ArchiveTotal();
    ModLexoria::ArchiveTotal(archive_) = total;
    Label1->setText(ModLexoria::WithSignBlank(total) + QStringLiteral(" massime totali"));
    passo->setText(QStringLiteral("scegliere l'argomento di cui si vuole visualizzare le massime disponibili"));
}

void BrowserWindow::Form_Unload() { form_.release(); }

void BrowserWindow::Form_Resize() { form_.resize(); }

void BrowserWindow::List1_Click()
{
    HScroll1->setValue(1); // may run the bar change for the topic shown until now
    currentTopic_ = static_cast<qint16>(List1->currentRow() + 1);
    currentPosition_ = 1;
    conta->setText(QStringLiteral("1"));
    sent->setPlainText(tables_.Massima(currentTopic_, 1));
    const QString title = tables_.Title(currentTopic_);
    List1->setToolTip(QStringLiteral("argomento scelto: ") + title);
    Label2->setText(title);
    contamassime();
}

void BrowserWindow::contamassime()
{
    topicCount_ = tables_.TopicCount(currentTopic_);
    passo->setText(QStringLiteral("visualizzazione delle ") + ModLexoria::WithSignBlank(topicCount_) + QLatin1Char(' ')
                   + archiveInfo().hintWord + QStringLiteral(" relative all'argomento scelto"));
}

QString BrowserWindow::endOfTopicNotice(const corpus::ArchiveInfo& info)
{
    return QStringLiteral("     ----- non esistono altre ") + info.noticeWord
         + QStringLiteral(" da visualizzare sull'argomento -----");
}

void BrowserWindow::HScroll1_Change()
{
    currentPosition_ = HScroll1->value();
    if (currentPosition_ > topicCount_) {
        sent->setPlainText(endOfTopicNotice(archiveInfo()));
        conta->setText(QString::number(topicCount_ + 1));
        HScroll1->setValue(topicCount_ + 1); // runs this handler once more when it moves the bar
    } else {
        conta->setText(QString::number(currentPosition_));
        sent->setPlainText(tables_.Massima(currentTopic_, currentPosition_));
    }
}
