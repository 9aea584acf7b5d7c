#include "search/ricerca.h"

#include "corpus/archives.h"
#include "export/exports.h"
#include "scaling/twips.h"
#include "search/resultsmodel.h"
#include "search/shortcitation.h"
#include "shell/colours.h"
#include "shell/controls.h"
#include "shell/controltable.h"
#include "shell/dialogs.h"
#include "shell/fonts.h"
#include "shell/modlexoria.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
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
#include <QRegularExpression>
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
    setAccessibleDescription(QStringLiteral("Ricerca nelle massime di tutti gli archivi. F1 apre la guida della "
                                            "finestra, Esc la chiude."));
    setFont(sansSerif(8.25));
    createControls();
    connectSignals();
    setTabOrder();
}

void ricerca::createControls()
{
    ScaledForm::setDesignClientSize(this, 11520, 8700);
    model_ = new ResultsModel(this);
    ControlTable::build(this, controlTable());
    massima->document()->setDefaultStyleSheet(search::Highlighter::styleSheet());
    risultati->installEventFilter(this);
    testo->installEventFilter(this);
    // Their words are the corpus's own (never a file's), written as links.
    for (QLabel* links : {forse, corti, periodi}) {
        links->setTextFormat(Qt::RichText);
        links->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    }
    forse->setAutoFillBackground(true);
    forse->hide();
}

std::vector<ControlTable::Control> ricerca::controlTable()
{
    using ControlTable::Kind;
    const Qt::Alignment middle = Qt::AlignLeft | Qt::AlignVCenter;
    const auto caption = [&middle](const char* name, const char* text, const char* buddy, double left, double top,
                                   double width, QLabel*& into) {
        return ControlTable::Control{.kind = Kind::Label, .name = QString::fromLatin1(name), .into = into,
                                     .rect = {left, top, width, 315}, .text = QString::fromUtf8(text),
                                     .alignment = middle, .buddy = QString::fromLatin1(buddy)};
    };
    QStringList archives{QStringLiteral("Tutti gli archivi")};
    for (const corpus::ArchiveInfo& a : corpus::archives())
        archives << a.chooserCaption;
    return {
        {.kind = Kind::LineEdit, .name = QStringLiteral("testo"), .into = testo, .rect = {1800, 120, 6480, 345},
         .toolTip = QStringLiteral("Tutte le parole devono comparire; \"tra virgolette\" una frase esatta, "
                                   "condomin* le parole che iniziano così, -parola esclude"),
         .placeholder = QStringLiteral("parole, \"frase esatta\", inizio*, -esclusa"), .clearButton = true},
        caption("lblTesto", "&Parole da cercare:", "testo", 120, 120, 1620, lblTesto),
        {.kind = Kind::CheckBox, .name = QStringLiteral("simili"), .into = simili, .rect = {8400, 150, 3000, 285},
         .text = QStringLiteral("anche parole &simili"),
         .toolTip = QStringLiteral("trova anche le altre forme della parola: condominio, condomini, condominiale"),
         .checked = true},
        {.kind = Kind::Label, .name = QStringLiteral("avviso"), .into = avviso, .rect = {1800, 480, 9600, 285},
         .colour = Colours::DarkRed, .accessibleName = QStringLiteral("Nessun avviso")},
        // A word no massima has: the nearest word of the corpus, a link that searches
        // it. Shown only then, over the end of the hint line, which has the whole
        // width otherwise.
        {.kind = Kind::Label, .name = QStringLiteral("forse"), .into = forse, .rect = {8520, 480, 2880, 285},
         .colour = Colours::DarkBlue, .focus = Qt::TabFocus},
        {.kind = Kind::ComboBox, .name = QStringLiteral("archivio"), .into = archivio, .rect = {900, 840, 2400, 315},
         .items = archives},
        caption("lblArchivio", "&Archivio:", "archivio", 120, 840, 780, lblArchivio),
        {.kind = Kind::ComboBox, .name = QStringLiteral("corte"), .into = corte, .rect = {4000, 840, 2400, 315},
         .toolTip = QStringLiteral("\"Cassazione\" comprende civile e penale, \"T.A.R.\" tutti i T.A.R."),
         .items = {QStringLiteral("Tutte le corti")}},
        caption("lblCorte", "C&orte:", "corte", 3400, 840, 600, lblCorte),
        {.kind = Kind::ComboBox, .name = QStringLiteral("sezione"), .into = sezione, .rect = {7240, 840, 1540, 315},
         .items = {QStringLiteral("Tutte")}},
        caption("lblSezione", "S&ezione:", "sezione", 6460, 840, 780, lblSezione),
        {.kind = Kind::LineEdit, .name = QStringLiteral("anno"), .into = anno, .rect = {9360, 840, 2040, 315},
         .toolTip = QStringLiteral("un anno (1998) o un intervallo di anni (1990-2000)"),
         .placeholder = QStringLiteral("1990-2000"), .clearButton = true},
        caption("lblAnno", "An&no:", "anno", 8840, 840, 520, lblAnno),
        {.kind = Kind::LineEdit, .name = QStringLiteral("numero"), .into = numero, .rect = {900, 1260, 1200, 315},
         .toolTip = QStringLiteral("il numero della decisione"), .placeholder = QStringLiteral("1400"),
         .clearButton = true},
        caption("lblNumero", "N&umero:", "numero", 120, 1260, 780, lblNumero),
        {.kind = Kind::LineEdit, .name = QStringLiteral("norma"), .into = norma, .rect = {2940, 1260, 2280, 315},
         .toolTip = QStringLiteral("un articolo di un codice o di una legge, o una legge: art. 1117 c.c., "
                                   "art. 905, 1° comma, c.c., art. 18 L. 300/1970, L. 47/1985"),
         .placeholder = QStringLiteral("art. 1117 c.c."), .clearButton = true},
        caption("lblNorma", "Nor&ma:", "norma", 2220, 1260, 720, lblNorma),
        {.kind = Kind::ComboBox, .name = QStringLiteral("ordine"), .into = ordine, .rect = {6360, 1260, 5040, 315},
         .items = {QStringLiteral("pertinenza"), QStringLiteral("archivio e posizione"),
                   QStringLiteral("data della decisione, le più recenti prima"),
                   QStringLiteral("data della decisione, le meno recenti prima")}},
        caption("lblOrdine", "Or&dina per:", "ordine", 5340, 1260, 1020, lblOrdine),
        {.kind = Kind::Label, .name = QStringLiteral("stato"), .into = stato, .rect = {120, 1650, 11280, 285},
         .text = QStringLiteral("Scrivere le parole da cercare."), .colour = Colours::DarkBlue, .alignment = middle},
        {.kind = Kind::Label, .name = QStringLiteral("conteggi"), .into = conteggi, .rect = {120, 1980, 11280, 285},
         .alignment = middle},
        // The matches by court and by period: each a link that narrows the results to it.
        {.kind = Kind::Label, .name = QStringLiteral("corti"), .into = corti, .rect = {120, 2265, 11280, 285},
         .colour = Colours::DarkBlue, .alignment = middle, .focus = Qt::TabFocus},
        {.kind = Kind::Label, .name = QStringLiteral("periodi"), .into = periodi, .rect = {120, 2550, 11280, 285},
         .colour = Colours::DarkBlue, .alignment = middle, .focus = Qt::TabFocus},
        {.kind = Kind::Custom, .name = QStringLiteral("risultati"), .into = risultati,
         .rect = {120, 2880, 11280, 2880}, .accessibleName = QStringLiteral("Risultati della ricerca"),
         .make = [this](QWidget* parent) { return resultsList(parent); }},
        {.kind = Kind::RichTextView, .name = QStringLiteral("massima"), .into = massima,
         .rect = {120, 5880, 11280, 2220}, .accessibleName = QStringLiteral("Testo della massima scelta"),
         .massimaStyle = true},
        {.kind = Kind::Button, .name = QStringLiteral("apri"), .into = apri, .rect = {120, 8220, 1900, 375},
         .text = QStringLiteral("Apri ne&ll'archivio"),
         .toolTip = QStringLiteral("apre la massima scelta nella finestra del suo archivio (anche con Invio o doppio clic)")},
        {.kind = Kind::Button, .name = QStringLiteral("massimeSimili"), .into = massimeSimili,
         .rect = {2110, 8220, 1560, 375}, .text = QStringLiteral("Massime s&imili"),
         .toolTip = QStringLiteral("elenca le massime più vicine per contenuto a quella scelta")},
        {.kind = Kind::Button, .name = QStringLiteral("copia"), .into = copia, .rect = {3760, 8220, 960, 375},
         .text = QStringLiteral("&Copia"),
         .toolTip = QStringLiteral("copia negli appunti il testo della massima, la sua citazione, l'archivio e l'argomento")},
        {.kind = Kind::Button, .name = QStringLiteral("copiaCitazione"), .into = copiaCitazione,
         .rect = {4810, 8220, 1560, 375}, .text = QStringLiteral("Copia cita&zione"),
         .toolTip = QStringLiteral("copia negli appunti la sola citazione, come si scrive in un atto")},
        {.kind = Kind::Button, .name = QStringLiteral("stampa"), .into = stampa, .rect = {6460, 8220, 1740, 375},
         .text = QStringLiteral("Stampa &risultati"), .toolTip = QStringLiteral("stampa le massime elencate, una per pagina")},
        {.kind = Kind::Button, .name = QStringLiteral("stampaElenco"), .into = stampaElenco,
         .rect = {8290, 8220, 1500, 375}, .text = QStringLiteral("S&tampa elenco"),
         .toolTip = QStringLiteral("stampa l'elenco delle massime elencate: citazione, archivio e argomento, una per riga")},
        {.kind = Kind::Button, .name = QStringLiteral("guida"), .into = guida, .rect = {9880, 8220, 420, 375},
         .text = QStringLiteral("?"), .toolTip = QStringLiteral("apre la guida della finestra di ricerca (anche con F1)"),
         .accessibleName = QStringLiteral("Guida della ricerca")},
        {.kind = Kind::Button, .name = QStringLiteral("chiudi"), .into = chiudi, .rect = {10440, 8220, 960, 375},
         .text = QStringLiteral("C&hiudi"), .toolTip = QStringLiteral("chiude la finestra di ricerca (anche con Esc)")},
    };
}

// A table, not a tree: Qt's accessible tree makes a new interface for each cell
// a screen reader asks about and never frees it, while the table keeps one per
// cell and frees them with the rows.
QTableView* ricerca::resultsList(QWidget* parent)
{
    auto* list = new QTableView(parent);
    list->setModel(model_);
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setStretchLastSection(true);
    list->setShowGrid(false);
    list->setWordWrap(false);
    list->setTabKeyNavigation(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setTextElideMode(Qt::ElideRight);
    list->setItemDelegateForColumn(ResultsModel::SnippetColumn, new SnippetDelegate(list));
    return list;
}

void ricerca::connectSignals()
{
    // Keys of the whole window, whichever control has the focus.
    const auto shortcut = [this](const char* name, const QKeySequence& keys, void (ricerca::*handler)()) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
    };
    shortcut("copiaScorciatoia", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &ricerca::copia_Click);
    shortcut("guidaScorciatoia", QKeySequence(Qt::Key_F1), &ricerca::guida_Click);
    shortcut("chiudiScorciatoia", QKeySequence(Qt::Key_Escape), &ricerca::chiudi_Click);

    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(MinTypingPauseMs);
    connect(typing_, &QTimer::timeout, this, &ricerca::cerca);
    for (QLineEdit* edit : {testo, anno, numero, norma}) {
        connect(edit, &QLineEdit::textChanged, typing_, qOverload<>(&QTimer::start));
        connect(edit, &QLineEdit::returnPressed, this, [this] {
            typing_->stop();
            // Enter: a citation read among the words moves to its fields; while
            // the user types, it is only searched (and named in the hint).
            entered_ = true;
            cerca();
            entered_ = false;
        });
    }
    for (QComboBox* box : {archivio, corte, sezione, ordine}) {
        connect(box, &QComboBox::currentIndexChanged, this, &ricerca::cerca);
        box->installEventFilter(this);
    }
    connect(simili, &QCheckBox::toggled, this, &ricerca::cerca);
    connect(forse, &QLabel::linkActivated, this, &ricerca::useSuggestion);
    connect(corti, &QLabel::linkActivated, this, &ricerca::narrowTo);
    connect(periodi, &QLabel::linkActivated, this, &ricerca::narrowTo);
    connect(risultati->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ricerca::showSelected);
    connect(risultati, &QAbstractItemView::doubleClicked, this, &ricerca::apri_Click);
    connect(apri, &QPushButton::clicked, this, &ricerca::apri_Click);
    connect(copia, &QPushButton::clicked, this, &ricerca::copia_Click);
    connect(stampa, &QPushButton::clicked, this, &ricerca::stampa_Click);
    connect(massimeSimili, &QPushButton::clicked, this, &ricerca::massimeSimili_Click);
    connect(copiaCitazione, &QPushButton::clicked, this, &ricerca::copiaCitazione_Click);
    connect(stampaElenco, &QPushButton::clicked, this, &ricerca::stampaElenco_Click);
    connect(chiudi, &QPushButton::clicked, this, &ricerca::chiudi_Click);
    connect(guida, &QPushButton::clicked, this, &ricerca::guida_Click);
}

void ricerca::setTabOrder()
{
    const QList<QWidget*> order = {testo,     simili,  forse, archivio,      corte,          sezione,
                                   anno,      numero,  norma, ordine,        corti,          periodi,
                                   risultati, massima, apri,  massimeSimili, copia,          copiaCitazione,
                                   stampa,    stampaElenco, guida, chiudi};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void ricerca::Form_Load() { form_.load(this, 9105, 11640); }

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

// The archive, position and citation columns are as wide as what they hold (the
// citation up to half the list); the topic gets a fixed share, the excerpt the rest.
void ricerca::fitColumns()
{
    // The list's own width: its viewport is laid out only once the list is shown.
    const int width = risultati->width() - risultati->verticalScrollBar()->sizeHint().width() - 2 * risultati->frameWidth();
    const QFontMetrics metrics(risultati->font());
    const QFontMetrics headerMetrics(risultati->horizontalHeader()->font());
    const int padding = 2 * risultati->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, risultati) + 12;
    const auto widest = [&](int column, const QStringList& texts) {
        int w = headerMetrics.horizontalAdvance(model_->headerData(column, Qt::Horizontal).toString());
        for (const QString& text : texts)
            w = std::max(w, metrics.horizontalAdvance(text));
        return w + padding;
    };
    QStringList archives;
    for (const corpus::ArchiveInfo& a : corpus::archives())
        archives << a.label;
    QStringList citations;
    int lastPosition = 0;
    for (int row = 0; row < model_->rowCount(); ++row) {
        citations << model_->data(model_->index(row, ResultsModel::CitationColumn)).toString();
        lastPosition = std::max(lastPosition, model_->hits()[row].ref.position);
    }
    risultati->setColumnWidth(ResultsModel::ArchiveColumn, widest(ResultsModel::ArchiveColumn, archives));
    risultati->setColumnWidth(ResultsModel::TopicColumn, int(width * 0.16));
    risultati->setColumnWidth(ResultsModel::PositionColumn,
                              widest(ResultsModel::PositionColumn, {QString::number(std::max(lastPosition, 999))}));
    risultati->setColumnWidth(ResultsModel::CitationColumn,
                              std::min(widest(ResultsModel::CitationColumn, citations), width / 2));
}

bool ricerca::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((watched == testo && keyFromWords(key)) || (watched == risultati && keyFromList(key)))
            return true;
    }
    // The court and section lists come from the index: it is built when they are first used.
    if ((watched == corte || watched == sezione)
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress))
        fillCitationLists();
    return QWidget::eventFilter(watched, event);
}

// Down from the words goes into the list, at its first row when none is chosen.
bool ricerca::keyFromWords(QKeyEvent* key)
{
    if (key->key() != Qt::Key_Down || key->modifiers() != Qt::NoModifier || model_->rowCount() == 0)
        return false;
    if (!risultati->currentIndex().isValid())
        risultati->setCurrentIndex(model_->index(0, 0));
    risultati->setFocus(Qt::TabFocusReason);
    return true;
}

// Enter opens the chosen massima; Up from the first row goes back to the words.
bool ricerca::keyFromList(QKeyEvent* key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        apri_Click();
        return true;
    }
    if (key->key() == Qt::Key_Up && key->modifiers() == Qt::NoModifier && risultati->currentIndex().row() <= 0) {
        testo->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    return false;
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
    for (const QString& court : engine_->courts())
        corte->addItem(court, court);
    for (const QString& code : engine_->sections())
        sezione->addItem(search::sectionName(code), code);
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
        query.section = sezione->currentData().toString();
    query.years = anno->text();
    query.number = numero->text();
    query.provision = norma->text();
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
    Controls::setPlainToolTip(avviso, results.hint); // a hint longer than its line is read whole here
    showSuggestions(results.spelling);
    if (results.typedCitation && entered_)
        showTypedCitation(*results.typedCitation);

    const QSignalBlocker blocker(risultati->selectionModel());
    massima->clear();
    model_->setResults(results.status == search::Results::Status::Ok ? results.hits : QList<search::Hit>{},
                       results.highlighter);

    switch (results.status) {
    case search::Results::Status::Empty:
        stato->setText(QStringLiteral("Nessuna ricerca: scrivere le parole da cercare o indicare un dato della citazione."));
        clearCounts();
        return;
    case search::Results::Status::Invalid:
        stato->setText(QStringLiteral("Ricerca non eseguita: correggere quanto indicato sotto le parole."));
        clearCounts();
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

    showFieldCounts(results);

    fitColumns();
    if (model_->rowCount() > 0) {
        risultati->setCurrentIndex(model_->index(0, 0));
        showSelected();
    }
}

namespace {

// A line of counts: its text, and the accessible name a screen reader reads, the same words.
void setCountLine(QLabel* line, const QString& shown, const QString& plain)
{
    line->setText(shown);
    line->setAccessibleName(plain);
}

// "Per corte: " and one link a count, as many as the line holds; the rest are named by their number.
void showLinks(QLabel* line, const QString& heading, const QString& scheme, const QList<search::FieldCount>& counts)
{
    if (counts.isEmpty()) {
        setCountLine(line, QString(), QString());
        return;
    }
    const QFontMetrics metrics(line->font());
    const QString separator = QStringLiteral(" · ");
    QStringList links;
    QStringList plain;
    int used = metrics.horizontalAdvance(heading);
    qsizetype shown = 0;
    for (; shown < counts.size(); ++shown) {
        const search::FieldCount& c = counts[shown];
        const QString text = QStringLiteral("%1 %2").arg(c.label).arg(c.count);
        const QString rest = QStringLiteral(" · altre %1").arg(counts.size() - shown - 1);
        used += metrics.horizontalAdvance(separator + text);
        if (shown > 0 && used + metrics.horizontalAdvance(rest) > line->width())
            break;
        links << QStringLiteral("<a href=\"%1:%2\">%3</a>").arg(scheme).arg(shown).arg(text.toHtmlEscaped());
        plain << text;
    }
    QString more;
    if (shown < counts.size())
        more = QStringLiteral(" · altre %1").arg(counts.size() - shown);
    setCountLine(line, heading.toHtmlEscaped() + links.join(separator) + more, heading + plain.join(separator) + more);
}

} // namespace

void ricerca::showFieldCounts(const search::Results& results)
{
    QStringList counts;
    for (const corpus::ArchiveInfo& a : corpus::archives())
        counts << QStringLiteral("%1 %2").arg(a.label).arg(results.perArchive[size_t(corpus::indexOf(a.archive))]);
    const QString perArchive = QStringLiteral("Per archivio: ") + counts.join(QStringLiteral(" · "));
    setCountLine(conteggi, perArchive, perArchive);
    courtCounts_ = results.perCourt;
    periodCounts_ = results.perPeriod;
    showLinks(corti, QStringLiteral("Per corte: "), QStringLiteral("corte"), courtCounts_);
    showLinks(periodi, QStringLiteral("Per periodo: "), QStringLiteral("periodo"), periodCounts_);
}

void ricerca::clearCounts()
{
    courtCounts_.clear();
    periodCounts_.clear();
    for (QLabel* line : {conteggi, corti, periodi})
        setCountLine(line, QString(), QString());
}

// A count chosen: its court or its period goes to the field it narrows, and the search runs.
void ricerca::narrowTo(const QString& link)
{
    const QString scheme = link.section(QLatin1Char(':'), 0, 0);
    bool ok = false;
    const int i = link.section(QLatin1Char(':'), 1).toInt(&ok);
    if (scheme == QLatin1String("corte") && ok && i >= 0 && i < courtCounts_.size()) {
        fillCitationLists();
        const QString court = courtCounts_[i].value;
        if (corte->findData(court) < 0)
            corte->addItem(court, court);
        const QSignalBlocker blocker(corte);
        corte->setCurrentIndex(corte->findData(court));
    } else if (scheme == QLatin1String("periodo") && ok && i >= 0 && i < periodCounts_.size()) {
        const QSignalBlocker blocker(anno);
        anno->setText(periodCounts_[i].value);
    } else {
        return;
    }
    cerca();
}

void ricerca::showSuggestions(const QList<QPair<QString, QString>>& spelling)
{
    suggestions_ = spelling;
    QStringList links;
    QStringList words;
    for (qsizetype i = 0; i < spelling.size(); ++i) {
        links << QStringLiteral("<a href=\"%1\">%2</a>").arg(i).arg(spelling[i].second.toHtmlEscaped());
        words << spelling[i].second;
    }
    forse->setText(links.isEmpty() ? QString() : QStringLiteral("Forse cercavi: ") + links.join(QStringLiteral(", ")));
    forse->setVisible(!links.isEmpty());
    forse->setAccessibleName(words.isEmpty() ? QStringLiteral("Nessun suggerimento")
                                             : QStringLiteral("Forse cercavi: ") + words.join(QStringLiteral(", ")));
}

void ricerca::useSuggestion(const QString& link)
{
    const int i = link.toInt();
    if (i < 0 || i >= suggestions_.size())
        return;
    const auto& [typed, suggested] = suggestions_[i];
    QString words = testo->text();
    const QRegularExpression word(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(typed)),
                                  QRegularExpression::CaseInsensitiveOption);
    words.replace(word, suggested);
    testo->setText(words);
    cerca();
}

// A citation typed among the words: its parts go to their fields, where the user
// sees what was read and can correct it; the words keep only the rest.
void ricerca::showTypedCitation(const search::TypedCitation& c)
{
    const QSignalBlocker blockWords(testo), blockYear(anno), blockNumber(numero), blockCourt(corte),
        blockSection(sezione);
    testo->setText(c.words);
    const auto choose = [](QComboBox* box, const QString& entry, const QString& shown) {
        if (entry.isEmpty() || box->currentIndex() > 0)
            return;
        if (box->findData(entry) < 0)
            box->addItem(shown, entry);
        box->setCurrentIndex(box->findData(entry));
    };
    fillCitationLists();
    choose(corte, c.court, c.court);
    choose(sezione, c.section, search::sectionName(c.section));
    if (c.year && anno->text().trimmed().isEmpty())
        anno->setText(QString::number(c.year));
    if (c.number && numero->text().trimmed().isEmpty())
        numero->setText(QString::number(c.number));
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

const search::Hit* ricerca::chosenHit()
{
    const int index = currentHit();
    if (index < 0) {
        stato->setText(QStringLiteral("Scegliere una massima dall'elenco."));
        return nullptr;
    }
    return &model_->hits()[index];
}

// The massima, its citation as a brief writes it, then its archive and topic.
void ricerca::copia_Click()
{
    const search::Hit* hit = chosenHit();
    if (!hit)
        return;
    ModLexoria::CopyMassima(hit->ref.archive, hit->topicTitle,
                            hit->text + QLatin1Char('\n') + search::shortCitation(hit->citation));
    stato->setText(QStringLiteral("Massima copiata negli appunti, con la citazione."));
}

void ricerca::copiaCitazione_Click()
{
    const search::Hit* hit = chosenHit();
    if (!hit)
        return;
    const QString citation = search::shortCitation(hit->citation);
    QApplication::clipboard()->setText(citation);
    stato->setText(QStringLiteral("Citazione copiata negli appunti: ") + citation);
}

void ricerca::massimeSimili_Click()
{
    const search::Hit* hit = chosenHit();
    if (!hit)
        return;
    const search::Hit chosen = *hit; // the list it lives in is replaced
    showSimilar(chosen, engine_->similar(chosen.ref));
}

bool ricerca::showSimilarTo(const QString& archiveName, int topic, int position)
{
    const std::optional<corpus::Archive> archive = corpus::archiveByName(archiveName);
    if (!archive)
        return false;
    const search::MassimaRef ref{*archive, topic, position};
    const std::optional<search::SourceMassima> m = search::SearchEngine::corpusMassima(ref);
    if (!m)
        return false;
    showSimilar(search::Hit{ref, m->topicTitle, m->text, search::parseCitation(m->text)}, engine_->similar(ref));
    return true;
}

// The similar massime take the list's place; the status line says whose they are.
void ricerca::showSimilar(const search::Hit& to, const search::Results& results)
{
    if (results.status != search::Results::Status::Ok) {
        stato->setText(results.hint);
        return;
    }
    showResults(results);
    clearCounts();
    // The chosen massima by its citation and its place: archive, topic/position.
    const QString whose = QStringLiteral("%1 (%2 %3/%4)")
                              .arg(search::shortCitation(to.citation), corpus::info(to.ref.archive).label)
                              .arg(to.ref.topic)
                              .arg(to.ref.position);
    stato->setText(results.hits.isEmpty()
                       ? QStringLiteral("Nessuna massima simile a ") + whose + QLatin1Char('.')
                       : QStringLiteral("Massime simili a %1: %2, le più vicine prima.")
                             .arg(whose, results.hits.size() == 1 ? QStringLiteral("1 elencata")
                                                                  : QStringLiteral("%1 elencate").arg(results.hits.size())));
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

void ricerca::stampaElenco_Click()
{
    if (model_->hits().isEmpty()) {
        Dialogs::MsgBox(this, QStringLiteral("Non vi è nulla da stampare: cercare prima le massime."), QMessageBox::Ok,
                        Dialogs::Icon::Exclamation, ModLexoria::Settings().programName + QStringLiteral(": stampa"));
        return;
    }
    QStringList lines;
    for (const search::Hit& hit : model_->hits())
        lines << search::shortCitation(hit.citation) + QStringLiteral(" – ") + corpus::info(hit.ref.archive).exportHeading
                     + hit.topicTitle;
    const Presentation::Result shown = ModLexoria::printList(
        QStringLiteral("Elenco delle massime trovate (%1)").arg(lines.size()), lines);
    stato->setText(shown.route == Presentation::Route::DocumentWindow ? Exports::ShownInWindowHint : Exports::ShownHint);
    ModLexoria::ReportPrintProblem(shown, this);
}

void ricerca::guida_Click() { WindowRegistry::instance().show(ModLexoria::SearchHelpWindow); }

void ricerca::chiudi_Click() { WindowRegistry::instance().unload(this); }

const QList<search::Hit>& ricerca::hits() const { return model_->hits(); }

QString ricerca::statusText() const { return stato->text(); }
QString ricerca::hintText() const { return avviso->text(); }
QString ricerca::countsText() const { return conteggi->text(); }
QString ricerca::courtCountsText() const { return corti->accessibleName(); }
QString ricerca::periodCountsText() const { return periodi->accessibleName(); }
