#include "prodotti.h"

#include "controls.h"
#include "dialogs.h"
#include "fonts.h"
#include "infostyle.h"
#include "maker.h"
#include "modlexoria.h"
#include "twips.h"

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
    createGrid();
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

void prodotti::createControls()
{
    const QColor text = palette().color(QPalette::WindowText);

    auto button = [this](const QString& name, const QString& caption, const QString& tip, double left, double top,
                         double width) {
        QPushButton* b = Controls::button(this, name, caption, tip, font());
        scaling::placeTwips(b, left, top, width, 375);
        return b;
    };
    cmdsommario = button(QStringLiteral("cmdsommario"), QStringLiteral("&Sommario"),
                         QStringLiteral("cliccare per visualizzare il sommario della guida"), 120, 120, 1215);
    connect(cmdsommario, &QPushButton::clicked, this, &prodotti::cmdSommario_Click);
    cmdstampa = button(QStringLiteral("cmdstampa"), QStringLiteral("S&tampa"),
                       QStringLiteral("cliccare per stampare il listino"), 1320, 120, 1215);
    connect(cmdstampa, &QPushButton::clicked, this, &prodotti::cmdStampa_Click);
    cmdchiudi = button(QStringLiteral("cmdchiudi"), QStringLiteral("&Chiudi"),
                       QStringLiteral("cliccare per chiudere la finestra sui prodotti"), 2520, 120, 1215);
    connect(cmdchiudi, &QPushButton::clicked, this, &prodotti::cmdchiudi_Click);
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Sito: ") + Maker::WebSite,
                      QStringLiteral("clicca per accedere al sito"), 6480, 480, 2415);
    connect(Command1, &QPushButton::clicked, this, &prodotti::Command1_Click);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("Email: ") + Maker::Email,
                      QStringLiteral("clicca per inviare un'email"), 6480, 840, 2415);
    connect(Command2, &QPushButton::clicked, this, &prodotti::Command2_Click);
    fitLinkButtons();

    avviso = Controls::label(this, QStringLiteral("avviso"), {}, font(), Red);
    // The note's text is its accessible name and the problems in its tooltip
    // its description, both kept current by Qt as they change.
    scaling::placeTwips(avviso, 3840, 60, 5490, 420);

    Label1 = Controls::label(this, QStringLiteral("Label1"), QStringLiteral("VERSIONI PROFESSIONALI PER WINDOWS - LISTINO"),
                             sansSerif(true), Blue, PaleYellow);
    scaling::placeTwips(Label1, 600, 840, 4815, 255);
    Label10 = Controls::label(this, QStringLiteral("Label10"), {}, sansSerif(true), Blue);
    Label10->setWordWrap(false);
    scaling::placeTwips(Label10, 5400, 840, 855, 255);

    struct Heading {
        const char* name;
        const char* caption;
        const char* tip;
        double left, width, height;
    };
    const Heading headings[] = {
        {"Label2", "num.", nullptr, 600, 495, 495},
        {"Label3", "nome programma", nullptr, 1080, 1455, 495},
        {"Label4", "argomento trattato ", nullptr, 2520, 3975, 255},
        {"Label5", "costo netto in euro",
         "al costo netto bisogna aggiungere l'IVA e le eventuali spese di trasporto", 6480, 1215, 495},
        {"Label6", "via internet a euro", "per chi acquista via internet", 7680, 1215, 495},
    };
    for (const Heading& h : headings) {
        QLabel* l = Controls::label(this, QString::fromLatin1(h.name), QString::fromUtf8(h.caption), font(), text,
                                    Yellow, Qt::AlignHCenter | Qt::AlignTop);
        if (h.tip)
            l->setToolTip(QString::fromUtf8(h.tip));
        scaling::placeTwips(l, h.left, 1320, h.width, h.height);
    }

    Label11 = Controls::label(this, QStringLiteral("Label11"),
                              QStringLiteral("(per offerte e opportunità vedi il catalogo sul sito)"), font(), text,
                              Yellow, Qt::AlignHCenter | Qt::AlignTop);
    Label11->setToolTip(QStringLiteral("esistono versioni ridotte dal costo minore"));
    scaling::placeTwips(Label11, 2520, 1560, 3975, 255);

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setAccessibleName(QStringLiteral("Scorrimento del listino"));
    VScroll1->setRange(1, 1);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(GridRows);
    VScroll1->setTracking(false); // the grid follows when the thumb is let go
    scaling::placeTwips(VScroll1, 120, GridTop, 375, 2415);
    connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });

    Label8 = Controls::label(
        this, QStringLiteral("Label8"),
        QStringLiteral("Per ogni licenza d'uso dopo la prima, se richiesta successivamente, 50% di sconto."), font(), Red,
        Yellow);
    Label8->setToolTip(QStringLiteral(
        "lo stesso sconto si applica su ogni software dal costo inferiore in caso di acquisti multipli"));
    scaling::placeTwips(Label8, 600, 4440, 8295, 255);

    Label7 = Controls::label(this, QStringLiteral("Label7"), salesTerms(), font(), DarkBlue, Yellow);
    Label7->setToolTip(QStringLiteral("per ogni informazione puoi contattarci all'indirizzo email:  ") + Maker::Email);
    scaling::placeTwips(Label7, 600, 4800, 8295, 1455);
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
