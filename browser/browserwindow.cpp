#include "browser/browserwindow.h"

#include "assets/assets.h"
#include "browser/trash.h"
#include "export/exports.h"
#include "shell/colours.h"
#include "shell/controls.h"
#include "shell/controltable.h"
#include "shell/dialogs.h"
#include "shell/fonts.h"
#include "shell/modlexoria.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QMenuBar>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>

#include <functional>
#include <utility>

namespace {

using namespace Colours;
using Fonts::sansSerif;
const QColor DesignBackground = Grey;
const QColor UniformGrey = LightGrey;

// The window menu: entry 0 is the chooser, then the archives in window-number order.
QString windowOfEntry(int index)
{
    return index == 0 ? QStringLiteral("scelta") : corpus::archives()[size_t(index - 1)].name;
}

QString entryCaption(int index)
{
    return QStringLiteral("Finestra ") + (index == 0 ? QStringLiteral("Menu") : corpus::archives()[size_t(index - 1)].label);
}

// The toolbar, by position; separators take a position too. The window buttons
// (the chooser, then one per archive) come from the archive table.
struct ToolbarButton {
    QString toolTip;       // empty for a separator
    QString icon;          // the program's own picture, ":/assets/tb-<icon>.png"
    QString themeIcon;     // the desktop's icon of the same meaning, where it has one
    std::function<void(BrowserWindow&)> click;
};

const QList<ToolbarButton>& toolbarLayout()
{
    static const QList<ToolbarButton> layout = [] {
        const auto command = [](const char* toolTip, const char* icon, const char* themeIcon, void (BrowserWindow::*handler)()) {
            return ToolbarButton{QString::fromUtf8(toolTip), QString::fromUtf8(icon), QString::fromUtf8(themeIcon),
                                 [handler](BrowserWindow& w) { (w.*handler)(); }};
        };
        const auto window = [](int entry, const QString& label, const QString& icon) {
            return ToolbarButton{QStringLiteral("visualizza finestra '%1'").arg(label), icon, {},
                                 [entry](BrowserWindow& w) { w.fin_Click(entry); }};
        };
        const ToolbarButton separator;
        QList<ToolbarButton> t = {
            command("elimina file", "elimina", "edit-delete", &BrowserWindow::eliminare_Click),
            command("stampa sentenza visualizzata", "stampa", "document-print", &BrowserWindow::stampa_Click),
            separator,
            window(0, QStringLiteral("Menu"), QStringLiteral("menu")),
        };
        for (const corpus::ArchiveInfo& a : corpus::archives())
            t.append(window(corpus::indexOf(a.archive) + 1, a.label, a.name));
        t += {
            separator,
            command("colore di sfondo", "colore", "preferences-desktop-color", &BrowserWindow::colorare_Click),
            separator,
            command("guida in linea", "guida", "help-contents", &BrowserWindow::guida_Click),
            command("suggerimenti", "suggerimenti", "help-hint", &BrowserWindow::suggerimenti_Click),
            command("supporto prodotto", "supporto", "help-faq", &BrowserWindow::supporto_Click),
            command("informazioni su Lexoria", "informazioni", "help-about", &BrowserWindow::informazioni_Click),
            separator,
            command("uscita da Lexoria", "uscita", "application-exit", &BrowserWindow::usci_Click),
        };
        return t;
    }();
    return layout;
}

// A menu bar that puts the entries after its separator at its right-hand end.
class RightEndAfterSeparator final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_DrawMenuBarSeparator)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The archive buttons have no desktop equivalent; the others follow the desktop's
// theme. One icon per button for all seven windows.
QIcon toolbarIcon(const ToolbarButton& b) { return Assets::toolbarIcon(b.icon, b.themeIcon); }

} // namespace

BrowserWindow::BrowserWindow(corpus::Archive archive, QWidget* parent) : QMainWindow(parent), archive_(archive)
{
    setObjectName(archiveInfo().name);
    setWindowTitle(archiveInfo().caption);
    setFont(sansSerif(8.25));
    createMenus();
    createSurface();
    createControls();
    createToolbar();
    connectSignals();
    connectButtons();
    setTabOrder();
}

void BrowserWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const QString& name, const QString& caption, auto handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto separator = [](QMenu* menu, const QString& name) { menu->addSeparator()->setObjectName(name); };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("file"));
    add(file, QStringLiteral("eliminare"), QStringLiteral("&Elimina..."), &BrowserWindow::eliminare_Click);
    separator(file, QStringLiteral("l4"));
    QMenu* stam = file->addMenu(QStringLiteral("S&tampa"));
    stam->setObjectName(QStringLiteral("stam"));
    add(stam, QStringLiteral("stampa"), QStringLiteral("&Sentenza visualizzata"), &BrowserWindow::stampa_Click);
    add(stam, QStringLiteral("stampatutte"), QStringLiteral("&Tutte le sentenze dell'argomento"),
        &BrowserWindow::stampatutte_Click);
    separator(file, QStringLiteral("l3"));
    add(file, QStringLiteral("usci"), QStringLiteral("Es&ci"), &BrowserWindow::usci_Click);

    QMenu* modif = bar->addMenu(QStringLiteral("&Modifica"));
    modif->setObjectName(QStringLiteral("modif"));
    add(modif, QStringLiteral("colorare"), QStringLiteral("&Colore di sfondo"), &BrowserWindow::colorare_Click);
    separator(modif, QStringLiteral("l5"));
    QAction* controlla = modif->addAction(QStringLiteral("Controllo &dati immessi"));
    controlla->setObjectName(QStringLiteral("controlla"));
    controlla->setEnabled(false);
    separator(modif, QStringLiteral("l7"));
    QAction* cancella = modif->addAction(QStringLiteral("C&ancella dati finestra"));
    cancella->setObjectName(QStringLiteral("cancella"));
    cancella->setEnabled(false);
    separator(modif, QStringLiteral("l10"));
    trova = add(modif, QStringLiteral("trova"), QStringLiteral("&Trova nelle massime..."), &BrowserWindow::trova_Click);
    trova->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    add(modif, QStringLiteral("simili"), QStringLiteral("Massime &simili..."), &BrowserWindow::simili_Click);
    // Copying has no menu entry: only its shortcut, on the whole window.
    copiaMassima = new QAction(QStringLiteral("Copia la massima"), this);
    copiaMassima->setObjectName(QStringLiteral("copiaMassima"));
    copiaMassima->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    addAction(copiaMassima);
    connect(copiaMassima, &QAction::triggered, this, &BrowserWindow::copiaMassima_Click);

    QMenu* visu = bar->addMenu(QStringLiteral("&Visualizza"));
    visu->setObjectName(QStringLiteral("visu"));
    const int own = corpus::indexOf(archive_) + 1;
    for (int i = 0; i < WindowMenuEntries; ++i) {
        QAction* entry = visu->addAction(entryCaption(i));
        entry->setObjectName(QStringLiteral("fin_%1").arg(i));
        entry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_A + i)));
        entry->setCheckable(i == own);
        entry->setChecked(i == own);
        connect(entry, &QAction::triggered, this, [this, i] {
            fin[size_t(i)]->setChecked(i == corpus::indexOf(archive_) + 1); // the mark never moves
            fin_Click(i);
        });
        fin[size_t(i)] = entry;
    }

    QMenu* inter = bar->addMenu(QStringLiteral("&?"));
    inter->setObjectName(QStringLiteral("inter"));
    add(inter, QStringLiteral("guida"), QStringLiteral("&Guida in linea"), &BrowserWindow::guida_Click);
    add(inter, QStringLiteral("suggerimenti"), QStringLiteral("&Suggerimenti..."), &BrowserWindow::suggerimenti_Click);
    separator(inter, QStringLiteral("l8"));
    add(inter, QStringLiteral("supporto"), QStringLiteral("Supporto &prodotto"), &BrowserWindow::supporto_Click);
    separator(inter, QStringLiteral("l9"));
    add(inter, QStringLiteral("informazioni"), QStringLiteral("&Informazioni su Lexoria"),
        &BrowserWindow::informazioni_Click);

    // The window's own help, at the right-hand end of the menu bar. It is an
    // entry of the menu bar itself (not a corner widget), so the arrow keys
    // and screen readers reach it like the menus; it must stay the last entry.
    auto* style = new RightEndAfterSeparator(bar->style()->name());
    style->setParent(this);
    bar->setStyle(style);
    bar->addSeparator()->setObjectName(QStringLiteral("finestraSeparator"));
    QAction* finestra = bar->addAction(
        QStringLiteral("Fi&nestra n.%1 di %2").arg(archiveInfo().windowNumber).arg(WindowMenuEntries));
    finestra->setObjectName(QStringLiteral("finestra"));
    connect(finestra, &QAction::triggered, this, &BrowserWindow::finestra_Click);
}

// The toolbar bar itself exists (and is placed and scaled) from the start; its
// buttons are made when the window is first shown. The chooser creates all seven
// archive windows hidden before it is drawn, and most of them are never shown.
void BrowserWindow::createToolbar()
{
    Toolbar1->setIconSize(QSize(24, 24));
}

void BrowserWindow::fillToolbar()
{
    if (!Toolbar1->actions().isEmpty())
        return;
    for (int position = 1; position <= int(toolbarLayout().size()); ++position) {
        const ToolbarButton& b = toolbarLayout()[position - 1];
        if (b.toolTip.isEmpty()) {
            Toolbar1->addSeparator()->setObjectName(QStringLiteral("Toolbar1_%1").arg(position));
            continue;
        }
        QAction* button = Toolbar1->addAction(toolbarIcon(b), b.toolTip);
        button->setObjectName(QStringLiteral("Toolbar1_%1").arg(position));
        button->setToolTip(b.toolTip);
        connect(button, &QAction::triggered, this, [this, position] { Toolbar1_ButtonClick(position); });
    }
}

void BrowserWindow::showEvent(QShowEvent* event)
{
    fillToolbar();
    QMainWindow::showEvent(event);
}

void BrowserWindow::connectSignals()
{
    // Only a real change of the selection chooses a topic (focus alone does not).
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!List1->selectedItems().isEmpty())
            List1_Click();
    });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
}

void BrowserWindow::connectButtons()
{
    connect(aiuto, &QPushButton::clicked, this, &BrowserWindow::aiuto_Click);
    connect(guidainlinea, &QPushButton::clicked, this, &BrowserWindow::guidainlinea_Click);
    connect(stampiamo, &QPushButton::clicked, this, &BrowserWindow::stampiamo_Click);
    connect(esco, &QPushButton::clicked, this, &BrowserWindow::esco_Click);
    // The window's shortcuts (Ctrl+A..H, Ctrl+Shift+F, Ctrl+Shift+C) win over the text
    // box's own keys, as menu accelerators do.
    sent->installEventFilter(this);
    List1->installEventFilter(this);
}

bool BrowserWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        QList<QAction*> windowShortcuts(fin.cbegin(), fin.cend());
        windowShortcuts << trova << copiaMassima;
        for (QAction* action : windowShortcuts)
            if (action->shortcut() == pressed)
                return true; // not overridden: the window's shortcut runs
    }
    return QMainWindow::eventFilter(watched, event);
}

void BrowserWindow::createSurface()
{
    // The client area below the menu bar is the scaler's design surface (9480 x 6135 twips).
    surface_ = new QWidget(this);
    surface_->setObjectName(QStringLiteral("client"));
    setCentralWidget(surface_);
    Controls::setBackColor(surface_, DesignBackground);
    ScaledForm::setDesignClientSize(this, 9480, 6135);
}

void BrowserWindow::createControls() { ControlTable::build(surface_, controlTable()); }

std::vector<ControlTable::Control> BrowserWindow::controlTable()
{
    using ControlTable::Kind;
    const corpus::ArchiveInfo& info = archiveInfo();
    return {
        {.kind = Kind::ToolBar, .name = QStringLiteral("Toolbar1"), .into = Toolbar1, .rect = {0, 0, 9480, 420}},
        {.kind = Kind::Label, .name = QStringLiteral("Label1"), .into = Label1, .rect = {120, 600, 2535, 375},
         .font = sansSerif(12), .colour = DarkBlue, .background = Yellow, .alignment = Qt::AlignCenter,
         .toolTip = QStringLiteral("totale delle sentenze disponibili nella corrente versione del programma")},
        {.kind = Kind::Label, .name = QStringLiteral("Label2"), .into = Label2, .rect = {2760, 600, 6615, 495},
         .font = sansSerif(13.5), .colour = DarkBlue, .background = Yellow, .alignment = Qt::AlignCenter,
         .toolTip = QStringLiteral("argomento relativo alle massime visualizzate")},
        // Long titles are cut at the edge, as in a classic list box; the chosen
        // title is shown in full above the text.
        {.kind = Kind::List, .name = QStringLiteral("List1"), .into = List1, .rect = {120, 1080, 2535, 4350},
         .accessibleName = QStringLiteral("Elenco degli argomenti")},
        // Reachable with Tab, stepped with the arrow keys.
        {.kind = Kind::HScrollBar, .name = QStringLiteral("HScroll1"), .into = HScroll1,
         .rect = {2760, 1200, 5415, 375}, .accessibleName = QStringLiteral("Scorrimento delle massime"),
         .range = {.minimum = 1, .maximum = info.positions, .singleStep = 1, .pageStep = 5},
         .focus = Qt::StrongFocus},
        // Its accessible name is its text, kept current by QLabel; the tooltip
        // says what the number is and serves as the accessible description.
        {.kind = Kind::Label, .name = QStringLiteral("conta"), .into = conta, .rect = {8280, 1200, 1095, 375},
         .text = QStringLiteral(" "), .font = sansSerif(13.5), .colour = DarkBlue, .background = Yellow,
         .alignment = Qt::AlignCenter, .toolTip = info.contaTooltip},
        {.kind = Kind::TextView, .name = QStringLiteral("sent"), .into = sent, .rect = {2760, 1680, 6615, 3720},
         .accessibleName = QStringLiteral("Testo della massima"), .massimaStyle = true},
        {.kind = Kind::Button, .name = QStringLiteral("aiuto"), .into = aiuto, .rect = {120, 5760, 1095, 375},
         .text = QStringLiteral("&AIUTO"), .toolTip = QStringLiteral("cliccare per visualizzare l'aiuto in linea")},
        {.kind = Kind::Button, .name = QStringLiteral("guidainlinea"), .into = guidainlinea,
         .rect = {1200, 5760, 1095, 375}, .text = QStringLiteral("&Guida in linea"),
         .toolTip = QStringLiteral("cliccare per visualizzare gli Argomenti della guida")},
        {.kind = Kind::Label, .name = QStringLiteral("passo"), .into = passo, .rect = {2400, 5640, 4695, 450},
         .colour = DarkBlue, .background = Yellow, .alignment = Qt::AlignCenter,
         .toolTip = QStringLiteral("indicazioni sulla procedura e sul numero di massime disponibili")},
        {.kind = Kind::Button, .name = QStringLiteral("stampiamo"), .into = stampiamo, .rect = {7200, 5760, 1095, 375},
         .text = QStringLiteral("&Stampa"),
         .toolTip = QStringLiteral("cliccare per stampare la sentenza visualizzata")},
        {.kind = Kind::Button, .name = QStringLiteral("esco"), .into = esco, .rect = {8280, 5760, 1095, 375},
         .text = QStringLiteral("&USCITA"), .toolTip = QStringLiteral("cliccare per uscire da Lexoria")},
    };
}

void BrowserWindow::setTabOrder()
{
    const QList<QWidget*> order = {aiuto, guidainlinea, stampiamo, esco, List1, sent, HScroll1};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The window opens with the focus where the tab order begins.
    order.first()->setFocus();
}

QColor BrowserWindow::backColor() const { return Controls::backColor(surface_); }

void BrowserWindow::setBackColor(const QColor& colour) { Controls::setBackColor(surface_, colour); }

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

void BrowserWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event); // the controls have followed the window by now
    Controls::fitText(Label2, 13.5, 9);
}

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
    Controls::fitText(Label2, 13.5, 9);
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
        showText(endOfTopicNotice(archiveInfo()));
        conta->setText(QString::number(topicCount_ + 1));
        HScroll1->setValue(topicCount_ + 1); // runs this handler once more when it moves the bar
    } else {
        conta->setText(QString::number(currentPosition_));
        showText(tables_.Massima(currentTopic_, currentPosition_));
    }
}

void BrowserWindow::showText(const QString& text)
{
    // While the whole topic is exported the bar steps through every massima;
    // laying each one out in the text box would only slow the export down, so
    // the box takes the last one when the export is over (flushText).
    if (printAll == 1) {
        pendingText_ = text;
        return;
    }
    pendingText_.reset();
    sent->setPlainText(text);
}

void BrowserWindow::flushText()
{
    if (const std::optional<QString> text = std::exchange(pendingText_, std::nullopt))
        sent->setPlainText(*text);
}

void BrowserWindow::fin_Click(int index)
{
    if (index < 0 || index >= WindowMenuEntries)
        return;
    if (index == corpus::indexOf(archive_) + 1) {
        const auto answer = Dialogs::MsgBox(this, archiveInfo().ownQuestion, QMessageBox::Yes | QMessageBox::No,
                                            Dialogs::Icon::Question, ModLexoria::Settings().helpMessageTitle);
        if (answer != QMessageBox::No)
            WindowRegistry::instance().show(archiveInfo().ownHelpWindow);
        return;
    }
    WindowRegistry::instance().show(windowOfEntry(index));
}

void BrowserWindow::finestra_Click() { WindowRegistry::instance().show(archiveInfo().ownHelpWindow); }

void BrowserWindow::colorare_Click()
{
    ModLexoria::GlobalSettings& settings = ModLexoria::Settings();
    if (backColor() != UniformGrey) {
        const auto answer =
            Dialogs::MsgBox(this, QStringLiteral("Colori uguali e riposanti (grigio) per tutte le finestre?"),
                            QMessageBox::Yes | QMessageBox::No, Dialogs::Icon::None,
                            settings.programName + QStringLiteral(": colore di sfondo"));
        if (answer != QMessageBox::No) {
            for (const corpus::ArchiveInfo& a : corpus::archives())
                if (auto* window = qobject_cast<BrowserWindow*>(WindowRegistry::instance().load(a.name)))
                    window->setBackColor(UniformGrey);
            return;
        }
    }
    // The dialog opens on the colour it last held; a cancelled dialog changes nothing.
    const quint32 last = settings.lastBackgroundColour; // 0x00BBGGRR
    const QColor preset(int(last & 0xFF), int((last >> 8) & 0xFF), int((last >> 16) & 0xFF));
    const std::optional<QColor> chosen = Dialogs::ColorDialog(this, preset);
    if (!chosen || !chosen->isValid())
        return;
    settings.lastBackgroundColour = quint32(chosen->red()) | quint32(chosen->green()) << 8 | quint32(chosen->blue()) << 16;
    setBackColor(*chosen);
}

void BrowserWindow::eliminare_Click()
{
    // The chosen file goes to the desktop's trash, so a wrong pick can be undone.
    // Where no trash can take it, the user is asked first (No by default) and
    // it is deleted outright only on Yes. A cancelled dialog, a folder, a
    // read-only or vanished file end the command silently.
    const QString path = Dialogs::OpenFileDialog(this, ModLexoria::Settings().deleteDialogTitle);
    if (path.isEmpty())
        return;
    const QFileInfo file(path);
    // A read-only file is left alone, as the desktop's delete would refuse it
    // (the owner's write bit: access checks say yes to root whatever the mode).
    if (!file.isFile() || !file.permission(QFileDevice::WriteOwner))
        return;
    if (Trash::moveToTrash(path) || !QFileInfo::exists(path))
        return;
    const ModLexoria::GlobalSettings& settings = ModLexoria::Settings();
    const auto answer = Dialogs::MsgBox(
        this, QStringLiteral("Il file non può essere spostato nel cestino: eliminarlo definitivamente?"),
        QMessageBox::Yes | QMessageBox::No, Dialogs::Icon::Question, settings.programName + QStringLiteral(": elimina"),
        QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!QFile::remove(path) && QFileInfo::exists(path))
        Dialogs::MsgBox(this, QStringLiteral("Il file non è stato eliminato."),
                        QMessageBox::Ok, Dialogs::Icon::Exclamation, settings.checkMessageTitle);
}

void BrowserWindow::aiuto_Click()
{
    Dialogs::MsgBox(this,
                    QStringLiteral("- Scegliere uno degli argomenti elencati sulla sinistra della finestra;\r"
                                   "- visualizzare le sentenze disponibili usando la barra di scorrimento orizzontale;\r"
                                   "- stampare la singola sentenza cliccando sul tasto Stampa;\r"
                                   "- stampare tutte le sentenze dell'argomento scelto cliccando su File nella barra del menu;\r"
                                   "- visualizzare il numero di sentenze disponibili nella casella gialla."),
                    QMessageBox::Ok, Dialogs::Icon::Information, ModLexoria::Settings().helpMessageTitle);
}

void BrowserWindow::usci_Click() { ModLexoria::ConfirmExit(); }
void BrowserWindow::esco_Click() { ModLexoria::ConfirmExit(); }
void BrowserWindow::guida_Click() { WindowRegistry::instance().show(QStringLiteral("sommario")); }
void BrowserWindow::guidainlinea_Click() { WindowRegistry::instance().show(QStringLiteral("sommario")); }
void BrowserWindow::suggerimenti_Click() { WindowRegistry::instance().show(QStringLiteral("frmTip")); }
void BrowserWindow::supporto_Click() { WindowRegistry::instance().show(QStringLiteral("supportoclienti")); }
void BrowserWindow::informazioni_Click() { WindowRegistry::instance().show(QStringLiteral("informa")); }
void BrowserWindow::stampiamo_Click() { stampa_Click(); }
void BrowserWindow::trova_Click() { WindowRegistry::instance().show(QStringLiteral("ricerca")); }

// The search window lists the massime closest to the one shown; it is reached by
// its registered name, as every window reaches another.
void BrowserWindow::simili_Click()
{
    if (currentTopic_ < 1 || currentPosition_ < 1 || currentPosition_ > topicCount_)
        return;
    QWidget* search = WindowRegistry::instance().show(QStringLiteral("ricerca"));
    if (search)
        QMetaObject::invokeMethod(search, "showSimilarTo", Q_ARG(QString, archiveInfo().name), Q_ARG(int, currentTopic_),
                                  Q_ARG(int, currentPosition_));
}

void BrowserWindow::copiaMassima_Click()
{
    // Only a massima: nothing before a topic is chosen, nor the end-of-topic notice.
    if (currentTopic_ < 1 || currentPosition_ < 1 || currentPosition_ > topicCount_)
        return;
    ModLexoria::CopyMassima(archive_, tables_.Title(currentTopic_), tables_.Massima(currentTopic_, currentPosition_));
}

void BrowserWindow::stampatutte_Click()
{
    printAll = 1;
    stampa_Click();
    printAll = 0;
}

namespace {

// The browser window as the export of massime reads it.
class PrintSource final : public Exports::MassimeSource {
public:
    PrintSource(BrowserWindow& window, QScrollBar* bar, QLabel* conta, QLabel* hint)
        : window_(window), bar_(bar), conta_(conta), hint_(hint) {}
    QString archiveHeading() const override { return window_.archiveInfo().exportHeading; }
    QString topicTitle() const override { return window_.tables().Title(window_.currentTopic()); }
    QString contaCaption() const override { return conta_->text(); }
    QString massima(int position) const override { return window_.tables().Massima(window_.currentTopic(), position); }
    int topicCount() const override { return window_.topicCount(); }
    bool printAll() const override { return window_.printAll == 1; }
    int barValue() const override { return bar_->value(); }
    void setBarValue(int value) override { bar_->setValue(value); }
    void setHint(const QString& text) override { hint_->setText(text); }
    std::function<void(const QString&)> laterHint() override
    {
        return [hint = QPointer<QLabel>(hint_)](const QString& text) {
            if (hint)
                hint->setText(text);
        };
    }

private:
    BrowserWindow& window_;
    QScrollBar* bar_;
    QLabel* conta_;
    QLabel* hint_;
};

} // namespace

void BrowserWindow::stampa_Click()
{
    if (topicCount_ == 0) {
        Dialogs::MsgBox(this, QStringLiteral("Non vi è nulla da stampare: scegliere un argomento da visualizzare."),
                        QMessageBox::Ok, Dialogs::Icon::Exclamation, ModLexoria::Settings().checkMessageTitle);
        return;
    }
    PrintSource source(*this, HScroll1, conta, passo);
    const Presentation::Result result = Exports::printMassime(source);
    flushText();
    ModLexoria::ReportPrintProblem(result, this);
}

void BrowserWindow::Toolbar1_ButtonClick(int position)
{
    if (position < 1 || position > int(toolbarLayout().size()))
        return;
    if (const ToolbarButton& b = toolbarLayout()[position - 1]; b.click) // separators do nothing
        b.click(*this);
}
