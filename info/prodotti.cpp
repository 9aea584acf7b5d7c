#include "info/prodotti.h"

#include "info/infostyle.h"
#include "scaling/twips.h"
#include "shell/controls.h"
#include "shell/controltable.h"
#include "shell/dialogs.h"
#include "shell/fonts.h"
#include "shell/maker.h"
#include "shell/modlexoria.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

using namespace Colours;

namespace {

prodotti::PrintHook& printHook()
{
    static prodotti::PrintHook hook;
    return hook;
}

constexpr double GridTop = 1920, RowPitch = 240, RowHeight = 255;

QFont sansSerif(bool bold = false) { return Fonts::sansSerif(8.25, bold); }

} // namespace

void prodotti::setPrintHook(PrintHook hook) { printHook() = std::move(hook); }

prodotti::prodotti(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("prodotti"));
    setWindowTitle(QStringLiteral("prodotti ") + Maker::Brand);
    setFont(sansSerif());
    Controls::setBackColor(this, PaleYellow);
    ScaledForm::setDesignClientSize(this, 9450, 6390);
    createControls();
    fitLinkButtons();
    createGrid();
    connectSignals();
    setTabOrder();
}

QString prodotti::salesTerms()
{
    return QStringLiteral(
               "I programmi segnati con * sono in fase di preparazione o collaudo al momento dell'installazione del "
               "presente software. I prezzi sono da intendersi IVA e costo di spedizione esclusi. La spedizione può "
               "effettuarsi tramite corriere, per posta o, preferibilmente, via email. Il pagamento potrà avvenire con "
               "vaglia postale, mediante bonifico bancario o con carta di credito. Le versioni dei singoli software "
               "sono da intendersi quelle al momento della presente installazione e ad esse vanno riferiti i prezzi "
               "che possono subire variazioni a seguito di nuove versioni dei programmi indicati. Gli aggiornamenti "
               "pubblicati nei dodici mesi successivi all'acquisto sono compresi nel prezzo. "
               "Per ulteriori informazioni visita il sito web: ")
         + Maker::WebSite;
}

void prodotti::createControls() { ControlTable::build(this, controlTable()); }

std::vector<ControlTable::Control> prodotti::controlTable()
{
    using ControlTable::Kind;
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    return {
        {.kind = Kind::Button, .name = QStringLiteral("cmdsommario"), .into = cmdsommario,
         .rect = {120, 120, 1215, 375}, .text = QStringLiteral("&Sommario"),
         .toolTip = QStringLiteral("cliccare per visualizzare il sommario della guida")},
        {.kind = Kind::Button, .name = QStringLiteral("cmdstampa"), .into = cmdstampa, .rect = {1320, 120, 1215, 375},
         .text = QStringLiteral("S&tampa"), .toolTip = QStringLiteral("cliccare per stampare il listino")},
        {.kind = Kind::Button, .name = QStringLiteral("cmdchiudi"), .into = cmdchiudi, .rect = {2520, 120, 1215, 375},
         .text = QStringLiteral("&Chiudi"),
         .toolTip = QStringLiteral("cliccare per chiudere la finestra sui prodotti")},
        {.kind = Kind::Button, .name = QStringLiteral("Command1"), .into = Command1, .rect = {6480, 480, 2415, 375},
         .text = QStringLiteral("Sito: ") + Maker::WebSite, .toolTip = QStringLiteral("clicca per accedere al sito")},
        {.kind = Kind::Button, .name = QStringLiteral("Command2"), .into = Command2, .rect = {6480, 840, 2415, 375},
         .text = QStringLiteral("Email: ") + Maker::Email, .toolTip = QStringLiteral("clicca per inviare un'email")},
        // The note's text is its accessible name and the problems in its tooltip
        // its description, both kept current by Qt as they change.
        {.kind = Kind::Label, .name = QStringLiteral("avviso"), .into = avviso, .rect = {3840, 60, 5490, 420},
         .colour = Red},
        {.kind = Kind::Label, .name = QStringLiteral("Label1"), .into = Label1, .rect = {600, 840, 4815, 255},
         .text = QStringLiteral("VERSIONI PROFESSIONALI PER WINDOWS - LISTINO"), .font = sansSerif(true),
         .colour = Blue, .background = PaleYellow},
        {.kind = Kind::Label, .name = QStringLiteral("Label10"), .into = Label10, .rect = {5400, 840, 855, 255},
         .font = sansSerif(true), .colour = Blue, .wordWrap = false},
        {.kind = Kind::Label, .name = QStringLiteral("Label2"), .rect = {600, 1320, 495, 495},
         .text = QStringLiteral("num."), .background = Yellow, .alignment = centred},
        {.kind = Kind::Label, .name = QStringLiteral("Label3"), .rect = {1080, 1320, 1455, 495},
         .text = QStringLiteral("nome programma"), .background = Yellow, .alignment = centred},
        {.kind = Kind::Label, .name = QStringLiteral("Label4"), .rect = {2520, 1320, 3975, 255},
         .text = QStringLiteral("argomento trattato "), .background = Yellow, .alignment = centred},
        {.kind = Kind::Label, .name = QStringLiteral("Label5"), .rect = {6480, 1320, 1215, 495},
         .text = QStringLiteral("costo netto in euro"), .background = Yellow, .alignment = centred,
         .toolTip = QStringLiteral("al costo netto bisogna aggiungere l'IVA e le eventuali spese di trasporto")},
        {.kind = Kind::Label, .name = QStringLiteral("Label6"), .rect = {7680, 1320, 1215, 495},
         .text = QStringLiteral("via internet a euro"), .background = Yellow, .alignment = centred,
         .toolTip = QStringLiteral("per chi acquista via internet")},
        {.kind = Kind::Label, .name = QStringLiteral("Label11"), .into = Label11, .rect = {2520, 1560, 3975, 255},
         .text = QStringLiteral("(per offerte e opportunità vedi il catalogo sul sito)"), .background = Yellow,
         .alignment = centred, .toolTip = QStringLiteral("esistono versioni ridotte dal costo minore")},
        // The grid follows when the thumb is let go.
        {.kind = Kind::VScrollBar, .name = QStringLiteral("VScroll1"), .into = VScroll1,
         .rect = {120, GridTop, 375, 2415}, .accessibleName = QStringLiteral("Scorrimento del listino"),
         .range = {.minimum = 1, .maximum = 1, .singleStep = 1, .pageStep = GridRows}},
        {.kind = Kind::Label, .name = QStringLiteral("Label8"), .into = Label8, .rect = {600, 4440, 8295, 255},
         .text = QStringLiteral("Per ogni licenza d'uso dopo la prima, se richiesta successivamente, 50% di sconto."),
         .colour = Red, .background = Yellow,
         .toolTip = QStringLiteral(
             "lo stesso sconto si applica su ogni software dal costo inferiore in caso di acquisti multipli")},
        {.kind = Kind::Label, .name = QStringLiteral("Label7"), .into = Label7, .rect = {600, 4800, 8295, 1455},
         .text = salesTerms(), .colour = DarkBlue, .background = Yellow,
         .toolTip = QStringLiteral("per ogni informazione puoi contattarci all'indirizzo email:  ") + Maker::Email},
    };
}

void prodotti::connectSignals()
{
    connect(cmdsommario, &QPushButton::clicked, this, &prodotti::cmdSommario_Click);
    connect(cmdstampa, &QPushButton::clicked, this, &prodotti::cmdStampa_Click);
    connect(cmdchiudi, &QPushButton::clicked, this, &prodotti::cmdchiudi_Click);
    connect(Command1, &QPushButton::clicked, this, &prodotti::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &prodotti::Command2_Click);
    connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
}

void prodotti::fitLinkButtons()
{
    // The two link buttons carry the maker's addresses, which may be longer than
    // their designed width: they grow to the right margin, then to the left up to
    // the price-list heading, keeping one common width.
    constexpr double DesignLeft = 6480, DesignWidth = 2415, RightMargin = 9330, LeftLimit = 6300;
    const int bevel = style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, Command1) * 2 + 6;
    int widest = 0;
    for (const QPushButton* b : {Command1, Command2})
        widest = qMax(widest, b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&'))) + bevel);
    const double needed = scaling::twipsFromPixelsX(this, widest);
    if (needed <= DesignWidth)
        return;
    const double right = qMin(RightMargin, DesignLeft + needed);
    const double left = qMax(LeftLimit, right - needed);
    scaling::placeTwips(Command1, left, 480, right - left, 375);
    scaling::placeTwips(Command2, left, 840, right - left, 375);
}

void prodotti::createGrid()
{
    const QColor text = palette().color(QPalette::WindowText);
    const QFont comic = Fonts::designFont(QStringLiteral("Comic Sans MS"), 8.25, true);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    for (int i = 0; i < GridRows; ++i) {
        const double top = GridTop + RowPitch * i;
        auto cell = [&](const char* column, const QFont& font, const QColor& colour, Qt::Alignment alignment,
                        double left, double width) {
            QLabel* l = Controls::label(this, QStringLiteral("%1_%2").arg(QLatin1String(column)).arg(i + 1), {}, font,
                                        colour, Yellow, alignment);
            l->setWordWrap(false);
            scaling::placeTwips(l, left, top, width, RowHeight);
            return l;
        };
        num[size_t(i)] = cell("num", font(), text, Qt::AlignLeft | Qt::AlignTop, 600, 495);
        nom[size_t(i)] = cell("nom", comic, DarkBlue, Qt::AlignHCenter | Qt::AlignTop, 1080, 1455);
        argom[size_t(i)] = cell("argom", font(), DarkBlue, Qt::AlignLeft | Qt::AlignTop, 2520, 3975);
        eur[size_t(i)] = cell("eur", sansSerif(true), DarkBlue, right, 6480, 1215);
        off[size_t(i)] = cell("off", sansSerif(true), Red, right, 7680, 1215);
    }
}

void prodotti::setTabOrder()
{
    const QList<QWidget*> order = {cmdsommario, cmdstampa, cmdchiudi, Command1, Command2, VScroll1};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void prodotti::Form_Load()
{
    form_.load(this, 6825, 9600);

    list_ = PriceList::load();
    ModLexoria::Settings().priceListHeading = list_.heading;
    // A heading longer than its place ends in an ellipsis; the tooltip has it whole.
    // The file's text is shown as written, never as rich text.
    Label10->setText(Label10->fontMetrics().elidedText(list_.heading, Qt::ElideRight, Label10->width()));
    Controls::setPlainToolTip(Label10, list_.heading);
    avviso->setText(list_.problemSummary());
    Controls::setPlainToolTip(avviso, list_.problemDetails());

    // With ten records or fewer there is nothing to scroll: the bar keeps its single position.
    const int n = int(list_.records.size());
    VScroll1->setRange(1, qMax(1, n - GridRows + 1));
    VScroll1->setEnabled(n > GridRows);
    VScroll1->setValue(1);
    VScroll1_Change();
}

void prodotti::Form_Unload() { form_.release(); }

int prodotti::topRow() const { return VScroll1->value(); }

QString prodotti::problemLine() const { return avviso->text(); }

void prodotti::VScroll1_Change()
{
    const int v = VScroll1->value();
    for (int i = 0; i < GridRows; ++i) {
        const int k = v + i;
        const bool shown = k >= 1 && k <= list_.records.size();
        const PriceRecord record = shown ? list_.records[k - 1] : PriceRecord{};
        num[size_t(i)]->setText(shown ? QString::number(k) : QString());
        nom[size_t(i)]->setText(record.name);
        argom[size_t(i)]->setText(record.subject);
        eur[size_t(i)]->setText(shown ? PriceList::plainNumber(record.listPrice) : QString());
        off[size_t(i)]->setText(shown ? PriceList::plainNumber(record.offerPrice) : QString());
    }
}

void prodotti::cmdStampa_Click()
{
    if (list_.records.isEmpty()) {
        Dialogs::MsgBox(this, QStringLiteral("Il listino non contiene programmi da stampare."), QMessageBox::Ok,
                        Dialogs::Icon::Exclamation, windowTitle());
        return;
    }
    if (printHook())
        printHook()(list_);
}

void prodotti::cmdSommario_Click() { WindowRegistry::instance().show(QStringLiteral("sommario")); }

void prodotti::cmdchiudi_Click() { hide(); }

qint32 prodotti::Link(const QString& address) { return ModLexoria::OpenDocument(address); }

void prodotti::Command1_Click() { Link(Maker::CataloguePage); }

void prodotti::Command2_Click() { Link(QStringLiteral("mailto: ") + Maker::Email); }
