#include "ricerca.h"

#include "archives.h"
#include "colours.h"
#include "controls.h"
#include "dialogs.h"
#include "exports.h"
#include "fonts.h"
#include "modlexoria.h"
#include "resultsmodel.h"
#include "twips.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QComboBox>
#include <QFutureWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QTableView>
#include <QtConcurrent/QtConcurrentRun>

namespace {


// The pause after the last key before the search runs follows what a search
// costs on this machine: a few times the last search's time (results shown
// included), within these bounds. Where a search takes a couple of
// milliseconds the results follow the typing closely; on a slow machine the
// pause grows, so that a typist's every key does not start a search.
constexpr int MinTypingPauseMs = 40;
constexpr int MaxTypingPauseMs = 300;
constexpr int PausePerSearchMs = 4;
// Above this many massime the print asks first: each takes a page.
constexpr int PrintQuestionAbove = 50;


QFont sansSerif(double points, bool bold = false) { return Fonts::designFont(Fonts::MsSansSerif, points, bold); }

QString withoutMnemonic(QString caption)
{
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption;
}

// The snippet column: one line of HTML with the matched words marked.
class SnippetDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        o.text.clear();
        const QWidget* view = o.widget;
        QStyle* style = view ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &o, painter, view);

        QTextDocument doc;
        doc.setDefaultFont(o.font);
        doc.setDocumentMargin(0);
        doc.setDefaultStyleSheet(search::Highlighter::styleSheet());
        doc.setHtml(index.data(ResultsModel::HtmlRole).toString());
        const QRect box = style->subElementRect(QStyle::SE_ItemViewItemText, &o, view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = o.palette;
        context.palette.setColor(QPalette::Text, o.state & QStyle::State_Selected
                                                     ? o.palette.color(QPalette::HighlightedText)
                                                     : o.palette.color(QPalette::Text));
        painter->save();
        const int top = box.top() + qMax(0, (box.height() - int(doc.size().height())) / 2);
        painter->translate(box.left() + 2, top);
        painter->setClipRect(QRect(0, 0, box.width() - 2, box.height()));
        doc.documentLayout()->draw(painter, context);
        painter->restore();
    }
};

// The listed massime as the export of massime reads them: one a page, each with
// its own archive heading, topic title and position.
class ResultsPrintSource final : public Exports::MassimeSource {
public:
    ResultsPrintSource(const QList<search::Hit>& hits, QLabel* status) : hits_(hits), status_(status) {}
    QString archiveHeading() const override { return corpus::info(current().ref.archive).exportHeading; }
    QString topicTitle() const override { return current().topicTitle; }
    QString contaCaption() const override { return QString::number(current().ref.position); }
    QString massima(int) const override { return current().text; }
    int topicCount() const override { return int(hits_.size()); }
    bool printAll() const override { return true; }
    int barValue() const override { return index_; }
    void setBarValue(int value) override { index_ = value; }
    void setHint(const QString& text) override { status_->setText(text); }
    // A word processor that fails after it was started: the status line says so, if the window is still there.
    std::function<void(const QString&)> laterHint() override
    {
        return [status = QPointer<QLabel>(status_)](const QString& text) {
            if (status)
                status->setText(text);
        };
    }

private:
    const search::Hit& current() const { return hits_[qBound(0, index_ - 1, int(hits_.size()) - 1)]; }
    const QList<search::Hit>& hits_;
    QLabel* status_;
    int index_ = 1;
};

} // namespace

ricerca::ricerca(search::SearchEngine* engine, QWidget* parent)
    : QWidget(parent), engine_(engine ? engine : &search::SearchEngine::shared())
{
    setObjectName(QStringLiteral("ricerca"));
    setWindowTitle(QStringLiteral("Lexoria: ricerca nelle massime"));
    setFont(sansSerif(8.25));
    createControls();
    setTabOrder();
}

void ricerca::createControls()
{
    ScaledForm::setDesignClientSize(this, 11520, 7800);
    const QColor text = palette().color(QPalette::WindowText);

    auto caption = [this, &text](const QString& name, const QString& words, QWidget* buddy, double left, double top,
                                 double width) {
        QLabel* label = Controls::label(this, name, words, font(), text, std::nullopt, Qt::AlignLeft | Qt::AlignVCenter);
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(buddy);
        buddy->setAccessibleName(withoutMnemonic(words));
        scaling::placeTwips(label, left, top, width, 315);
        return label;
    };
    auto combo = [this](const QString& name, const QStringList& entries) {
        auto* box = new QComboBox(this);
        box->setObjectName(name);
        box->addItems(entries);
        return box;
    };
    auto line = [this](const QString& name, const QString& placeholder) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setPlaceholderText(placeholder);
        edit->setClearButtonEnabled(true);
        return edit;
    };

    testo = line(QStringLiteral("testo"), QStringLiteral("parole, \"frase esatta\", inizio*, -esclusa"));
    testo->setToolTip(QStringLiteral("Tutte le parole devono comparire; \"tra virgolette\" una frase esatta, "
                                     "condomin* le parole che iniziano così, -parola esclude"));
    lblTesto = caption(QStringLiteral("lblTesto"), QStringLiteral("&Parole da cercare:"), testo, 120, 120, 1620);
    scaling::placeTwips(testo, 1800, 120, 6480, 345);
    simili = new QCheckBox(QStringLiteral("anche parole &simili"), this);
    simili->setObjectName(QStringLiteral("simili"));
    simili->setChecked(true);
    simili->setToolTip(QStringLiteral("trova anche le altre forme della parola: condominio, condomini, condominiale"));
    scaling::placeTwips(simili, 8400, 150, 3000, 285);

    avviso = Controls::label(this, QStringLiteral("avviso"), {}, font(), Colours::DarkRed);
    avviso->setAccessibleName(QStringLiteral("Nessun avviso"));
    scaling::placeTwips(avviso, 1800, 480, 9600, 285);

    QStringList archives{QStringLiteral("Tutti gli archivi")};
    for (const corpus::ArchiveInfo& a : corpus::archives())
        archives << a.chooserCaption;
    archivio = combo(QStringLiteral("archivio"), archives);
    lblArchivio = caption(QStringLiteral("lblArchivio"), QStringLiteral("&Archivio:"), archivio, 120, 840, 780);
    scaling::placeTwips(archivio, 900, 840, 2280, 315);
    corte = combo(QStringLiteral("corte"), {QStringLiteral("Tutte le corti")});
    corte->setToolTip(QStringLiteral("\"Cassazione\" comprende civile e penale, \"T.A.R.\" tutti i T.A.R."));
    lblCorte = caption(QStringLiteral("lblCorte"), QStringLiteral("C&orte:"), corte, 3300, 840, 600);
    scaling::placeTwips(corte, 3900, 840, 2640, 315);
    sezione = combo(QStringLiteral("sezione"), {QStringLiteral("Tutte")});
    lblSezione = caption(QStringLiteral("lblSezione"), QStringLiteral("S&ezione:"), sezione, 6660, 840, 780);
    scaling::placeTwips(sezione, 7440, 840, 1080, 315);
    anno = line(QStringLiteral("anno"), QStringLiteral("1990-2000"));
    anno->setToolTip(QStringLiteral("un anno (1998) o un intervallo di anni (1990-2000)"));
    lblAnno = caption(QStringLiteral("lblAnno"), QStringLiteral("An&no:"), anno, 8640, 840, 540);
    scaling::placeTwips(anno, 9180, 840, 1200, 315);
    numero = line(QStringLiteral("numero"), QStringLiteral("1400"));
    numero->setToolTip(QStringLiteral("il numero della decisione"));
    lblNumero = caption(QStringLiteral("lblNumero"), QStringLiteral("N&umero:"), numero, 120, 1260, 780);
    scaling::placeTwips(numero, 900, 1260, 1200, 315);
    ordine = combo(QStringLiteral("ordine"), {QStringLiteral("pertinenza"), QStringLiteral("archivio e posizione"),
                                              QStringLiteral("data della decisione, le più recenti prima")});
    lblOrdine = caption(QStringLiteral("lblOrdine"), QStringLiteral("Or&dina per:"), ordine, 2280, 1260, 1020);
    scaling::placeTwips(ordine, 3300, 1260, 3240, 315);

    stato = Controls::label(this, QStringLiteral("stato"), QStringLiteral("Scrivere le parole da cercare."), font(),
                            Colours::DarkBlue, std::nullopt, Qt::AlignLeft | Qt::AlignVCenter);
    scaling::placeTwips(stato, 6660, 1260, 4740, 315);
    conteggi = Controls::label(this, QStringLiteral("conteggi"), {}, font(), text, std::nullopt,
                               Qt::AlignLeft | Qt::AlignVCenter);
    conteggi->setAccessibleName(QStringLiteral("Massime trovate per archivio"));
    scaling::placeTwips(conteggi, 120, 1650, 11280, 285);

    // A table, not a tree: Qt's accessible tree makes a new interface for each
    // cell a screen reader asks about and never frees it, while the table keeps
    // one per cell and frees them with the rows.
    model_ = new ResultsModel(this);
    risultati = new QTableView(this);
    risultati->setObjectName(QStringLiteral("risultati"));
    risultati->setAccessibleName(QStringLiteral("Risultati della ricerca"));
    risultati->setModel(model_);
    risultati->verticalHeader()->hide();
    risultati->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    risultati->verticalHeader()->setDefaultSectionSize(risultati->fontMetrics().height() + 4);
    risultati->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    risultati->horizontalHeader()->setHighlightSections(false);
    risultati->horizontalHeader()->setStretchLastSection(true);
    risultati->setShowGrid(false);
    risultati->setWordWrap(false);
    risultati->setTabKeyNavigation(false);
    risultati->setSelectionBehavior(QAbstractItemView::SelectRows);
    risultati->setSelectionMode(QAbstractItemView::SingleSelection);
    risultati->setTextElideMode(Qt::ElideRight);
    risultati->setItemDelegateForColumn(ResultsModel::SnippetColumn, new SnippetDelegate(risultati));
    risultati->installEventFilter(this);
    scaling::placeTwips(risultati, 120, 1980, 11280, 2880);

    massima = new QTextBrowser(this);
    massima->setObjectName(QStringLiteral("massima"));
    massima->setAccessibleName(QStringLiteral("Testo della massima scelta"));
    massima->setOpenLinks(false);
    Controls::styleMassimaText(massima);
    massima->document()->setDefaultStyleSheet(search::Highlighter::styleSheet());
    scaling::placeTwips(massima, 120, 4980, 11280, 2220);

    apri = Controls::button(this, QStringLiteral("apri"), QStringLiteral("Apri ne&ll'archivio"),
                            QStringLiteral("apre la massima scelta nella finestra del suo archivio (anche con Invio o doppio clic)"),
                            font());
    scaling::placeTwips(apri, 120, 7320, 2040, 375);
    copia = Controls::button(this, QStringLiteral("copia"), QStringLiteral("&Copia"),
                             QStringLiteral("copia negli appunti il testo della massima con archivio e argomento"), font());
    scaling::placeTwips(copia, 2280, 7320, 1215, 375);
    stampa = Controls::button(this, QStringLiteral("stampa"), QStringLiteral("Stampa &risultati"),
                              QStringLiteral("stampa le massime elencate, una per pagina"), font());
    scaling::placeTwips(stampa, 3615, 7320, 1815, 375);
    chiudi = Controls::button(this, QStringLiteral("chiudi"), QStringLiteral("C&hiudi"),
                              QStringLiteral("chiude la finestra di ricerca"), font());
    scaling::placeTwips(chiudi, 10185, 7320, 1215, 375);

    auto* copyShortcut = new QAction(this);
    copyShortcut->setObjectName(QStringLiteral("copiaScorciatoia"));
    copyShortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyShortcut->setShortcutContext(Qt::WindowShortcut);
    addAction(copyShortcut);
    connect(copyShortcut, &QAction::triggered, this, &ricerca::copia_Click);

    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(MinTypingPauseMs);
    connect(typing_, &QTimer::timeout, this, &ricerca::cerca);
    for (QLineEdit* edit : {testo, anno, numero}) {
        connect(edit, &QLineEdit::textChanged, typing_, qOverload<>(&QTimer::start));
        connect(edit, &QLineEdit::returnPressed, this, [this] {
            typing_->stop();
            cerca();
        });
    }
    for (QComboBox* box : {archivio, corte, sezione, ordine}) {
        connect(box, &QComboBox::currentIndexChanged, this, &ricerca::cerca);
        box->installEventFilter(this);
    }
    connect(simili, &QCheckBox::toggled, this, &ricerca::cerca);
    connect(risultati->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ricerca::showSelected);
    connect(risultati, &QAbstractItemView::doubleClicked, this, &ricerca::apri_Click);
    connect(apri, &QPushButton::clicked, this, &ricerca::apri_Click);
    connect(copia, &QPushButton::clicked, this, &ricerca::copia_Click);
    connect(stampa, &QPushButton::clicked, this, &ricerca::stampa_Click);
    connect(chiudi, &QPushButton::clicked, this, &ricerca::chiudi_Click);
}

void ricerca::setTabOrder()
{
    const QList<QWidget*> order = {testo, simili,   archivio, corte, sezione, anno,  numero,
                                   ordine, risultati, massima, apri,  copia,   stampa, chiudi};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void ricerca::Form_Load() { form_.load(this, 8205, 11640); }

void ricerca::Form_Unload() { form_.release(); }

void ricerca::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fitColumns();
    testo->setFocus();
    testo->selectAll();
}

void ricerca::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event); // the controls have followed the window by now
    fitColumns();
}

void ricerca::fitColumns()
{
    // The tree's own width: its viewport is laid out only once the tree is shown.
    const int width = risultati->width() - risultati->verticalScrollBar()->sizeHint().width() - 2 * risultati->frameWidth();
    const std::array<double, 4> shares = {0.10, 0.16, 0.04, 0.20}; // the snippet takes the rest
    for (int c = 0; c < int(shares.size()); ++c)
        risultati->setColumnWidth(c, int(width * shares[size_t(c)]));
}

bool ricerca::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == risultati && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            apri_Click();
            return true;
        }
    }
    // The court and section lists come from the index: it is built when they are first used.
    if ((watched == corte || watched == sezione)
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress))
        fillCitationLists();
    return QWidget::eventFilter(watched, event);
}

void ricerca::fillCitationLists()
{
    if (listsFilled_)
        return;
    if (!engine_->isBuilt()) {
        buildIndexThenSearch();
        return;
    }
    listsFilled_ = true;
    const QSignalBlocker courtBlocker(corte);
    const QSignalBlocker sectionBlocker(sezione);
    corte->addItems(engine_->courts());
    sezione->addItems(engine_->sections());
}

search::Query ricerca::currentQuery() const
{
    search::Query query;
    query.words = testo->text();
    query.similarWords = simili->isChecked();
    if (archivio->currentIndex() > 0)
        query.archive = corpus::archives()[size_t(archivio->currentIndex() - 1)].archive;
    if (corte->currentIndex() > 0)
        query.court = corte->currentText();
    if (sezione->currentIndex() > 0)
        query.section = sezione->currentText();
    query.years = anno->text();
    query.number = numero->text();
    query.sort = search::SortOrder(ordine->currentIndex());
    query.buildIndex = false;
    return query;
}

void ricerca::cerca()
{
    typing_->stop();
    QElapsedTimer timer;
    timer.start();
    const search::Results results = engine_->search(currentQuery());
    if (results.status == search::Results::Status::NeedsIndex) {
        buildIndexThenSearch();
        return;
    }
    showResults(results);
    typing_->setInterval(
        std::clamp(int(MinTypingPauseMs + PausePerSearchMs * timer.elapsed()), MinTypingPauseMs, MaxTypingPauseMs));
}

void ricerca::buildIndexThenSearch()
{
    if (building_)
        return;
    building_ = true;
    stato->setText(QStringLiteral("Preparazione dell'indice delle massime..."));
    auto* watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcher<void>::finished, this, [this, watcher] {
        watcher->deleteLater();
        building_ = false;
        fillCitationLists();
        search::Query query = currentQuery();
        query.buildIndex = true; // a build that failed says so instead of starting again
        showResults(engine_->search(query));
    });
    search::SearchEngine* engine = engine_;
    watcher->setFuture(QtConcurrent::run([engine] { engine->build(); }));
}

void ricerca::showResults(const search::Results& results)
{
    avviso->setText(results.hint);
    avviso->setAccessibleName(results.hint.isEmpty() ? QStringLiteral("Nessun avviso") : results.hint);

    const QSignalBlocker blocker(risultati->selectionModel());
    massima->clear();
    model_->setResults(results.status == search::Results::Status::Ok ? results.hits : QList<search::Hit>{},
                       results.highlighter);

    switch (results.status) {
    case search::Results::Status::Empty:
        stato->setText(QStringLiteral("Nessuna ricerca: scrivere le parole da cercare o indicare un dato della citazione."));
        conteggi->clear();
        return;
    case search::Results::Status::Invalid:
        stato->setText(QStringLiteral("Ricerca non eseguita: correggere quanto indicato sotto le parole."));
        conteggi->clear();
        return;
    case search::Results::Status::NeedsIndex:
    case search::Results::Status::Ok:
        break;
    }

    if (results.total == 0)
        stato->setText(QStringLiteral("Nessuna massima trovata."));
    else if (results.total == 1)
        stato->setText(QStringLiteral("1 massima trovata."));
    else if (model_->hits().size() < results.total)
        stato->setText(QStringLiteral("%1 massime trovate, elencate le prime %2.").arg(results.total).arg(model_->hits().size()));
    else
        stato->setText(QStringLiteral("%1 massime trovate.").arg(results.total));

    QStringList counts;
    for (const corpus::ArchiveInfo& a : corpus::archives())
        counts << QStringLiteral("%1 %2").arg(a.label).arg(results.perArchive[size_t(corpus::indexOf(a.archive))]);
    conteggi->setText(QStringLiteral("Per archivio: ") + counts.join(QStringLiteral(" · ")));

    if (model_->rowCount() > 0) {
        risultati->setCurrentIndex(model_->index(0, 0));
        showSelected();
    }
}

int ricerca::currentHit() const
{
    const int row = risultati->currentIndex().row();
    return row >= 0 && row < model_->hits().size() ? row : -1;
}

void ricerca::showSelected()
{
    const int index = currentHit();
    if (index < 0) {
        massima->clear();
        return;
    }
    const search::Hit& hit = model_->hits()[index];
    massima->setHtml(QStringLiteral("<p>") + model_->highlighter().html(hit.text) + QStringLiteral("</p>"));
}

bool ricerca::openInArchiveWindow(const search::MassimaRef& ref)
{
    QWidget* window = WindowRegistry::instance().show(corpus::info(ref.archive).name);
    if (!window)
        return false;
    auto* topics = window->findChild<QListWidget*>(QStringLiteral("List1"));
    auto* bar = window->findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    if (!topics || !bar || ref.topic < 1 || ref.topic > topics->count())
        return false;
    topics->setCurrentRow(ref.topic - 1); // the topic choice, as a click on the list makes it
    bar->setValue(ref.position);          // the bar change, as the scroll bar's arrows make it
    window->activateWindow();
    return true;
}

void ricerca::apri_Click()
{
    const int index = currentHit();
    if (index < 0) {
        stato->setText(QStringLiteral("Scegliere una massima dall'elenco."));
        return;
    }
    if (!openInArchiveWindow(model_->hits()[index].ref))
        stato->setText(QStringLiteral("La finestra dell'archivio non è disponibile."));
}

void ricerca::copia_Click()
{
    const int index = currentHit();
    if (index < 0) {
        stato->setText(QStringLiteral("Scegliere una massima dall'elenco."));
        return;
    }
    const search::Hit& hit = model_->hits()[index];
    ModLexoria::CopyMassima(hit.ref.archive, hit.topicTitle, hit.text);
    stato->setText(QStringLiteral("Massima copiata negli appunti."));
}

void ricerca::stampa_Click()
{
    const QString title = ModLexoria::Settings().programName + QStringLiteral(": stampa");
    if (model_->hits().isEmpty()) {
        Dialogs::MsgBox(this, QStringLiteral("Non vi è nulla da stampare: cercare prima le massime."), QMessageBox::Ok,
                        Dialogs::Icon::Exclamation, title);
        return;
    }
    if (model_->hits().size() > PrintQuestionAbove
        && Dialogs::MsgBox(this, QStringLiteral("Stampare le %1 massime elencate, una per pagina?").arg(model_->hits().size()),
                           QMessageBox::Yes | QMessageBox::No, Dialogs::Icon::Question, title, QMessageBox::No)
               != QMessageBox::Yes)
        return;
    ResultsPrintSource source(model_->hits(), stato);
    ModLexoria::ReportPrintProblem(Exports::printMassime(source), this);
}

void ricerca::chiudi_Click() { WindowRegistry::instance().unload(this); }

const QList<search::Hit>& ricerca::hits() const { return model_->hits(); }

QString ricerca::statusText() const { return stato->text(); }
QString ricerca::hintText() const { return avviso->text(); }
QString ricerca::countsText() const { return conteggi->text(); }
