// The browser window: loading, topic choice, navigation with the scroll bar,
// and the commands of its menus, toolbar and buttons.

#include "browser/browserwindow.h"
#include "browser/registerbrowser.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"
#include "tests/support/accessibility.h"
#include "tests/support/corpusdata.h"
#include "tests/support/faultenv.h"
#include "tests/support/guitest.h"
#include "tests/support/scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <cstdlib>
#include <optional>
#include <unistd.h>

using corpus::Archive;

namespace {

// Windows of other folders stand in as plain widgets here.
const QStringList OtherWindows = {
    QStringLiteral("scelta"),          QStringLiteral("sommario"),         QStringLiteral("frmTip"),
    QStringLiteral("supportoclienti"), QStringLiteral("informa"),          QStringLiteral("guidacondominio"),
    QStringLiteral("guidaedilizia"),   QStringLiteral("guidaespropriazioni"),
};

BrowserWindow* browser(const QString& name)
{
    return qobject_cast<BrowserWindow*>(WindowRegistry::instance().show(name));
}

QString text(BrowserWindow* w, const char* name) { return control<QLabel>(w, name)->text(); }
QString shown(BrowserWindow* w) { return control<QPlainTextEdit>(w, "sent")->toPlainText(); }
QScrollBar* bar(BrowserWindow* w) { return control<QScrollBar>(w, "HScroll1"); }
void chooseTopic(BrowserWindow* w, int topic) { control<QListWidget>(w, "List1")->setCurrentRow(topic - 1); }
QAction* action(BrowserWindow* w, const QString& name) { return w->findChild<QAction*>(name); }

// The archive's label above the topics: " 532 massime totali" for the delivered
// condominio, else its total in the data folder compiled.
QString totalLabel(Archive archive, int delivered)
{
    return QStringLiteral(" %1 massime totali").arg(expectedCount(delivered, archive));
}

// The hint after a topic choice, naming the topic's count with the archive's word.
QString countHint(const QString& word, int count)
{
    return QStringLiteral("visualizzazione delle  %1 %2 relative all'argomento scelto").arg(count).arg(word);
}

} // namespace

class TestBrowser : public QObject {
    Q_OBJECT
    std::optional<ProcessSettingsGuard> settings_; // from init() to cleanup()

private slots:
    void initTestCase() { ModLexoria::InitSettings(); }

    void init()
    {
        settings_.emplace();
        registerBrowserWindows(registry());
        for (const QString& name : OtherWindows)
            registry().registerWindow(name, [] { return new QWidget; });
        ModLexoria::Settings().lastBackgroundColour = 0;
    }
    void cleanup()
    {
        resetWindows();
        settings_.reset();
    }

    void stateAfterLoad()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Lexoria: condominio"));
        QCOMPARE(text(w, "Label1"), totalLabel(Archive::condominio, 532));
        QCOMPARE(text(w, "passo"), QStringLiteral("scegliere l'argomento di cui si vuole visualizzare le massime disponibili"));
        QCOMPARE(text(w, "conta"), QStringLiteral(" "));
        QVERIFY(text(w, "Label2").isEmpty());
        QVERIFY(shown(w).isEmpty());
        QCOMPARE(bar(w)->value(), 1);
        QCOMPARE(bar(w)->maximum(), 100);
        QVERIFY(control<QListWidget>(w, "List1")->selectedItems().isEmpty());
        QCOMPARE(control<QListWidget>(w, "List1")->count(), 36);
        QVERIFY(control<QListWidget>(w, "List1")->toolTip().isEmpty());
        QCOMPARE(w->currentTopic(), 0);
        QCOMPARE(w->topicCount(), 0);
        QCOMPARE(ModLexoria::ArchiveTotal(Archive::condominio),
                 std::optional<int>(expectedCount(532, Archive::condominio)));
        QCOMPARE(bar(browser(QStringLiteral("edilizia")))->maximum(), 150);
    }

    void topicChoice()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        const int count = expectedCount(18, Archive::condominio, 9);
        chooseTopic(w, 9);
        QCOMPARE(w->currentTopic(), 9);
        QCOMPARE(w->currentPosition(), 1);
        QCOMPARE(w->topicCount(), count);
        QCOMPARE(text(w, "conta"), QStringLiteral("1"));
        QCOMPARE(shown(w), w->tables().Massima(9, 1));
        QCOMPARE(text(w, "Label2"), QStringLiteral("Ascensore"));
        QCOMPARE(control<QListWidget>(w, "List1")->toolTip(), QStringLiteral("argomento scelto: Ascensore"));
        QCOMPARE(text(w, "passo"), countHint(QStringLiteral("sentenze"), count));
    }

    // Moving the bar to `value` in a topic shows a massima, or the end-of-topic
    // notice with the bar snapped back to count + 1. The rows stand at the last
    // massima of the topic, one past it and at the bar's end (100 or 150).
    void navigation_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("topic"); // 0: no topic chosen yet
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("conta");
        QTest::addColumn<bool>("notice");
        QTest::addColumn<int>("barAfter");
        const auto rowsOf = [](const char* archive, Archive id, int topic, int delivered, int barEnd) {
            const int count = expectedCount(delivered, id, topic);
            const QString past = QString::number(count + 1);
            QTest::addRow("%s %d last massima", archive, topic)
                << archive << topic << count << QString::number(count) << false << count;
            QTest::addRow("%s %d one past the last", archive, topic)
                << archive << topic << count + 1 << past << true << count + 1;
            QTest::addRow("%s %d bar's end", archive, topic) << archive << topic << barEnd << past << true << count + 1;
        };
        rowsOf("condominio", Archive::condominio, 10, 62, 100);
        rowsOf("edilizia", Archive::edilizia, 29, 148, 150);
        // A placeholder topic (no massime in the delivered corpus), two past its count.
        const int placeholder = expectedCount(0, Archive::urbanistica, 4);
        QTest::newRow("placeholder topic")
            << "urbanistica" << 4 << placeholder + 2 << QString::number(placeholder + 1) << true << placeholder + 1;
        QTest::newRow("before any topic") << "enti" << 0 << 7 << "1" << true << 1;
    }
    void navigation()
    {
        QFETCH(QString, archive);
        QFETCH(int, topic);
        QFETCH(int, value);
        QFETCH(QString, conta);
        QFETCH(bool, notice);
        QFETCH(int, barAfter);
        BrowserWindow* w = browser(archive);
        if (topic)
            chooseTopic(w, topic);
        bar(w)->setValue(value);
        QCOMPARE(text(w, "conta"), conta);
        QCOMPARE(bar(w)->value(), barAfter);
        QCOMPARE(shown(w), notice ? BrowserWindow::endOfTopicNotice(w->archiveInfo())
                                  : w->tables().Massima(topic, value));
    }

    void stepsThroughATopicWithTheArrow()
    {
        BrowserWindow* w = browser(QStringLiteral("espropriazioni"));
        const int count = expectedCount(6, Archive::espropriazioni, 24);
        chooseTopic(w, 24);
        for (int p = 2; p <= count + 1; ++p) {
            bar(w)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            QCOMPARE(text(w, "conta"), QString::number(p));
        }
        QCOMPARE(shown(w), QStringLiteral("     ----- non esistono altre sentenze da visualizzare sull'argomento -----"));
        bar(w)->triggerAction(QAbstractSlider::SliderSingleStepAdd); // stays on the notice
        QCOMPARE(bar(w)->value(), count + 1);
    }

    void newTopicStartsAtOne()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        chooseTopic(w, 10);
        bar(w)->setValue(40);
        QCOMPARE(shown(w), w->tables().Massima(10, 40));
        chooseTopic(w, 9);
        QCOMPARE(bar(w)->value(), 1);
        QCOMPARE(text(w, "conta"), QStringLiteral("1"));
        QCOMPARE(shown(w), w->tables().Massima(9, 1));
    }

    void archiveWords_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("contaTip");
        // Topic 1 of each; the bar then moves to 100, past the last massima of any
        // topic of these archives (99 at most).
        QTest::newRow("espropriazioni") << "espropriazioni"
                                        << countHint(QStringLiteral("sentenze"),
                                                     expectedCount(0, Archive::espropriazioni, 1))
                                        << "     ----- non esistono altre sentenze da visualizzare sull'argomento -----"
                                        << "numero della massima dell'argomento scelto";
        QTest::newRow("condominio") << "condominio"
                                    << countHint(QStringLiteral("sentenze"), expectedCount(11, Archive::condominio, 1))
                                    << "     ----- non esistono altre massime da visualizzare sull'argomento -----"
                                    << "numero della massima dell'argomento scelto";
        QTest::newRow("urbanistica") << "urbanistica"
                                     << countHint(QStringLiteral("massime"), expectedCount(49, Archive::urbanistica, 1))
                                     << "     ----- non esistono altre massime da visualizzare sull'argomento -----"
                                     << "numero della sentenza dell'argomento scelto";
    }
    void archiveWords()
    {
        QFETCH(QString, archive);
        QFETCH(QString, hint);
        QFETCH(QString, notice);
        QFETCH(QString, contaTip);
        BrowserWindow* w = browser(archive);
        chooseTopic(w, 1);
        QCOMPARE(text(w, "passo"), hint);
        bar(w)->setValue(100);
        QCOMPARE(shown(w), notice);
        QCOMPARE(control<QLabel>(w, "conta")->toolTip(), contaTip);
    }

    void tabOrder()
    {
        BrowserWindow* w = browser(QStringLiteral("enti"));
        QStringList order;
        QWidget* at = control<QPushButton>(w, "aiuto");
        for (int i = 0; i < 7; ++i, at = at->nextInFocusChain()) {
            while (!(at->focusPolicy() & Qt::TabFocus))
                at = at->nextInFocusChain();
            order << at->objectName();
        }
        QCOMPARE(order, (QStringList{"aiuto", "guidainlinea", "stampiamo", "esco", "List1", "sent", "HScroll1"}));
    }

    // The window opens with the focus where the tab order begins.
    void firstFocusWhereTheTabOrderBegins()
    {
        BrowserWindow* w = browser(QStringLiteral("enti"));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), control<QPushButton>(w, "aiuto"));
    }

    // A narrowed window keeps the toolbar along its top edge at full width, and
    // every command on it stays reachable: on the bar, or behind its extension button.
    void toolbarFollowsTheWindow_data()
    {
        QTest::addColumn<double>("widthFactor");
        QTest::addColumn<double>("heightFactor");
        QTest::newRow("narrowed") << 0.6 << 1.0;
        QTest::newRow("half as wide, twice as tall") << 0.5 << 2.0;
        QTest::newRow("wider") << 1.5 << 1.0;
    }
    void toolbarFollowsTheWindow()
    {
        QFETCH(double, widthFactor);
        QFETCH(double, heightFactor);
        BrowserWindow* w = browser(QStringLiteral("enti"));
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->resize(qRound(w->width() * widthFactor), qRound(w->height() * heightFactor));
        const QWidget* surface = w->centralWidget();
        auto* toolbar = control<QToolBar>(w, "Toolbar1");
        QVERIFY(qAbs(toolbar->width() - surface->width()) <= 1);
        QCOMPARE(toolbar->y(), 0);
        bool everyButtonOnTheBar = true;
        for (QAction* a : toolbar->actions()) {
            if (a->isSeparator())
                continue;
            QWidget* button = toolbar->widgetForAction(a);
            QVERIFY(button);
            if (!button->isVisible())
                everyButtonOnTheBar = false;
            else
                QVERIFY2(toolbar->rect().contains(button->geometry()), qPrintable(a->toolTip()));
        }
        const auto* extension = toolbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(everyButtonOnTheBar || (extension && extension->isVisible()));
    }

    // What a screen reader reads: labels speak their current text, text-less
    // controls have Italian names.
    void labelsSpeakTheirText()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        auto* conta = control<QLabel>(w, "conta");
        chooseTopic(w, 9);
        bar(w)->setValue(5);
        QCOMPARE(Accessibility::name(conta), QStringLiteral("5"));
        const int past = expectedCount(18, Archive::condominio, 9) + 1;
        bar(w)->setValue(past); // the end-of-topic notice
        QCOMPARE(Accessibility::name(conta), QString::number(past));
        QCOMPARE(Accessibility::description(conta), w->archiveInfo().contaTooltip);
        QCOMPARE(Accessibility::labelsNotSpeakingTheirText(w), QStringList());
        QCOMPARE(Accessibility::name(control<QListWidget>(w, "List1")), QStringLiteral("Elenco degli argomenti"));
        QCOMPARE(Accessibility::name(control<QPlainTextEdit>(w, "sent")), QStringLiteral("Testo della massima"));
        QCOMPARE(Accessibility::name(bar(w)), QStringLiteral("Scorrimento delle massime"));
        auto* toolbar = control<QToolBar>(w, "Toolbar1");
        for (QAction* a : toolbar->actions())
            if (!a->isSeparator())
                QCOMPARE(Accessibility::name(toolbar->widgetForAction(a)), a->toolTip());
    }

    // The window's own help entry at the right-hand end of the menu bar is in
    // the accessibility tree, named, and its press action opens the help.
    void ownHelpEntryIsReachable_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("help");
        QTest::newRow("condominio") << "condominio" << "Finestra n.6 di 8" << "guidacondominio";
        QTest::newRow("edilizia") << "edilizia" << "Finestra n.2 di 8" << "guidaedilizia";
    }
    void ownHelpEntryIsReachable()
    {
        QFETCH(QString, archive);
        QFETCH(QString, name);
        QFETCH(QString, help);
        BrowserWindow* w = browser(archive);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QAccessibleInterface* entry = Accessibility::find(w, QAccessible::MenuItem, name);
        QVERIFY(entry);
        QAccessibleActionInterface* actions = entry->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        ScriptedDialogs dialogs;
        actions->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(WindowRegistry::instance().isLoaded(help));
        QVERIFY(dialogs.messages.isEmpty());
        // Still drawn at the right-hand end, after the last menu.
        QMenuBar* menus = w->menuBar();
        const QRect at = menus->actionGeometry(action(w, QStringLiteral("finestra")));
        QVERIFY(at.left() > menus->actionGeometry(w->findChild<QMenu*>(QStringLiteral("inter"))->menuAction()).right());
        QVERIFY(at.right() >= menus->width() - at.width() / 2);
    }

    // The window menu from its entries, its shortcuts and the toolbar.
    void windowMenu_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("source"); // "menu", "shortcut" or "toolbar"
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("opens");
        QTest::addColumn<bool>("asks");
        QTest::newRow("own entry by menu") << "condominio" << "menu" << 5 << "guidacondominio" << true;
        QTest::newRow("own entry by Ctrl+F") << "condominio" << "shortcut" << 5 << "guidacondominio" << true;
        QTest::newRow("own entry by toolbar 9") << "condominio" << "toolbar" << 5 << "guidacondominio" << true;
        QTest::newRow("condominio from edilizia") << "edilizia" << "shortcut" << 5 << "condominio" << false;
        QTest::newRow("Menu by Ctrl+A") << "edilizia" << "shortcut" << 0 << "scelta" << false;
        QTest::newRow("Menu by toolbar 4") << "enti" << "toolbar" << 0 << "scelta" << false;
        QTest::newRow("imprese by Ctrl+H") << "enti" << "shortcut" << 7 << "imprese" << false;
    }
    void windowMenu()
    {
        QFETCH(QString, archive);
        QFETCH(QString, source);
        QFETCH(int, entry);
        QFETCH(QString, opens);
        QFETCH(bool, asks);
        BrowserWindow* w = browser(archive);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Yes);
        if (source == QLatin1String("menu"))
            action(w, QStringLiteral("fin_%1").arg(entry))->trigger();
        else if (source == QLatin1String("toolbar"))
            w->Toolbar1_ButtonClick(entry + 4);
        else
            QTest::keyClick(w->findChild<QPlainTextEdit*>(QStringLiteral("sent")), char('a' + entry),
                            Qt::ControlModifier);
        QVERIFY(WindowRegistry::instance().isLoaded(opens));
        QVERIFY(w->isVisible()); // the asking window stays
        QCOMPARE(dialogs.messages.size(), asks ? 1 : 0);
        if (asks) {
            const Dialogs::MessageBoxRequest& box = dialogs.messages.first();
            QCOMPARE(box.text, QStringLiteral("E' questa la finestra 'Condominio': si vuole la guida della finestra?"));
            QCOMPARE(box.title, QStringLiteral("Lexoria: aiuto in linea"));
            QCOMPARE(box.icon, Dialogs::Icon::Question);
            QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        }
    }

    void ownEntryAnsweredNo()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::No);
        w->fin_Click(5);
        QVERIFY(!WindowRegistry::instance().isLoaded(QStringLiteral("guidacondominio")));
        QVERIFY(action(w, QStringLiteral("fin_5"))->isChecked());
        QVERIFY(!action(w, QStringLiteral("fin_1"))->isChecked());
    }

    void menuBarEndsWithTheOwnHelp()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        QAction* finestra = action(w, QStringLiteral("finestra"));
        QCOMPARE(finestra->text(), QStringLiteral("Fi&nestra n.6 di 8"));
        ScriptedDialogs dialogs;
        finestra->trigger();
        QVERIFY(WindowRegistry::instance().isLoaded(QStringLiteral("guidacondominio")));
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(action(browser(QStringLiteral("imprese")), QStringLiteral("finestra"))->text(),
                 QStringLiteral("Fi&nestra n.8 di 8"));
    }

    void disabledEntries()
    {
        BrowserWindow* w = browser(QStringLiteral("enti"));
        for (const char* name : {"controlla", "cancella"}) {
            QAction* entry = action(w, QLatin1String(name));
            QVERIFY(!entry->isEnabled());
            bool fired = false;
            connect(entry, &QAction::triggered, this, [&] { fired = true; });
            entry->trigger();
            QVERIFY(!fired);
        }
    }

    // Each toolbar position reaches its command; separators do nothing.
    void toolbarPositions_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("opens");   // window shown, or empty
        QTest::addColumn<QString>("boxText"); // message asked, or empty
        QTest::addColumn<int>("fileDialogs");
        QTest::newRow("1 delete") << 1 << "" << "" << 1;
        QTest::newRow("3 separator") << 3 << "" << "" << 0;
        QTest::newRow("13 colour") << 13 << "" << "Colori uguali e riposanti (grigio) per tutte le finestre?" << 0;
        QTest::newRow("15 guide") << 15 << "sommario" << "" << 0;
        QTest::newRow("16 tips") << 16 << "frmTip" << "" << 0;
        QTest::newRow("17 support") << 17 << "supportoclienti" << "" << 0;
        QTest::newRow("18 information") << 18 << "informa" << "" << 0;
        QTest::newRow("20 exit") << 20 << "" << "Vuoi uscire da Lexoria?" << 0;
    }
    void toolbarPositions()
    {
        QFETCH(int, position);
        QFETCH(QString, opens);
        QFETCH(QString, boxText);
        QFETCH(int, fileDialogs);
        BrowserWindow* w = browser(QStringLiteral("enti"));
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::No);
        if (position == 13)
            dialogs.chooseColorNext(std::nullopt); // the dialog that follows the No, cancelled
        if (fileDialogs)
            dialogs.chooseFileNext({}); // cancelled
        w->findChild<QAction*>(QStringLiteral("Toolbar1_%1").arg(position))->trigger();
        if (!opens.isEmpty())
            QVERIFY(WindowRegistry::instance().isLoaded(opens));
        QCOMPARE(dialogs.messages.isEmpty() ? QString() : dialogs.messages.first().text, boxText);
        QCOMPARE(dialogs.fileRequests.size(), fileDialogs);
        if (fileDialogs)
            QCOMPARE(dialogs.fileRequests.first().title,
                     QStringLiteral("Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo"));
        QCOMPARE(w->findChild<QAction*>(QStringLiteral("Toolbar1_%1").arg(position))->isSeparator(),
                 opens.isEmpty() && boxText.isEmpty() && !fileDialogs);
    }

    void colourFirstUseGreysEveryWindow()
    {
        BrowserWindow* enti = browser(QStringLiteral("enti"));
        QCOMPARE(enti->backColor(), QColor(128, 128, 128));
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Yes);
        enti->colorare_Click();
        const Dialogs::MessageBoxRequest& box = dialogs.messages.first();
        QCOMPARE(box.title, QStringLiteral("Lexoria: colore di sfondo"));
        QCOMPARE(box.icon, Dialogs::Icon::None);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        for (const corpus::ArchiveInfo& a : corpus::archives()) {
            auto* w = qobject_cast<BrowserWindow*>(WindowRegistry::instance().find(a.name));
            QVERIFY2(w, qPrintable(a.name)); // the others were created for it, hidden
            QCOMPARE(w->backColor(), QColor(192, 192, 192));
            QCOMPARE(w->isVisible(), a.archive == Archive::enti);
        }
        // Grey already: straight to the dialog, which applies to this window alone.
        dialogs.chooseColorNext(QColor(10, 20, 30));
        enti->colorare_Click();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(enti->backColor(), QColor(10, 20, 30));
        QCOMPARE(browser(QStringLiteral("imprese"))->backColor(), QColor(192, 192, 192));
        // The dialog opens on the colour it last held, in any window; cancel changes nothing.
        BrowserWindow* imprese = browser(QStringLiteral("imprese"));
        dialogs.chooseColorNext(std::nullopt);
        imprese->colorare_Click();
        QCOMPARE(dialogs.colorRequests.last().initial, QColor(10, 20, 30));
        QCOMPARE(imprese->backColor(), QColor(192, 192, 192));
    }

    void colourAnsweredNo()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::No);
        dialogs.chooseColorNext(QColor(200, 100, 50));
        w->colorare_Click();
        QCOMPARE(dialogs.colorRequests.size(), 1);
        QCOMPARE(w->backColor(), QColor(200, 100, 50));
        QVERIFY(!WindowRegistry::instance().isLoaded(QStringLiteral("edilizia")));
    }

    // The chosen file goes to the user's trash. Where no trash can take it the
    // user is asked first (No by default), and only Yes deletes it; nothing is
    // ever moved anywhere but a real trash (Qt would use a "files" folder in the
    // current directory). Every other case leaves everything alone.
    void deleteCommand_data()
    {
        QTest::addColumn<QString>("pick"); // "file", "readonly", "folder", "vanished", "cancel"
        QTest::addColumn<QString>("home"); // "usual", "unset", "data is a file", "trash is a file", "read-only folder"
        QTest::addColumn<int>("answer");   // to the question, if asked
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("gone");
        QTest::addColumn<bool>("inTrash");
        const int none = QMessageBox::NoButton;
        const int yes = QMessageBox::Yes;
        const int no = QMessageBox::No;
        QTest::newRow("a file") << "file" << "usual" << none << false << true << true;
        QTest::newRow("a read-only file") << "readonly" << "usual" << none << false << false << false;
        QTest::newRow("a folder") << "folder" << "usual" << none << false << false << false;
        QTest::newRow("a vanished file") << "vanished" << "usual" << none << false << false << false;
        QTest::newRow("cancelled") << "cancel" << "usual" << none << false << false << false;
        QTest::newRow("no HOME, No") << "file" << "unset" << no << true << false << false;
        QTest::newRow("no HOME, Yes") << "file" << "unset" << yes << true << true << false;
        QTest::newRow("data folder is a file, No") << "file" << "data is a file" << no << true << false << false;
        QTest::newRow("data folder is a file, Yes") << "file" << "data is a file" << yes << true << true << false;
        QTest::newRow("trash is a file, No") << "file" << "trash is a file" << no << true << false << false;
        QTest::newRow("trash is a file, Yes") << "file" << "trash is a file" << yes << true << true << false;
        QTest::newRow("read-only HOME, No") << "file" << "read-only home" << no << true << false << false;
    }
    void deleteCommand()
    {
        QFETCH(QString, pick);
        QFETCH(QString, home);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, gone);
        QFETCH(bool, inTrash);
        QTemporaryDir root;
        const QString homePath = root.filePath(QStringLiteral("home"));
        const QString data = homePath + QStringLiteral("/data");
        QVERIFY(QDir().mkpath(homePath + QStringLiteral("/docs/cartella")));
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("cwd"))));
        const QString path = homePath + QStringLiteral("/docs/appunti.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("da cancellare");
        file.close();
        if (pick == QLatin1String("readonly"))
            QFile::setPermissions(path, QFileDevice::ReadOwner);

        // The trash lives in the fresh HOME, on the same file system as the file.
        const QByteArray oldHome = qgetenv("HOME");
        const QString oldCurrent = QDir::currentPath();
        qputenv("HOME", homePath.toUtf8());
        qputenv("XDG_DATA_HOME", data.toUtf8());
        auto plantFile = [](const QString& at) {
            QFile planted(at);
            return planted.open(QIODevice::WriteOnly);
        };
        if (home == QLatin1String("unset")) {
            qunsetenv("HOME");
            qunsetenv("XDG_DATA_HOME");
        } else if (home == QLatin1String("data is a file")) {
            QVERIFY(plantFile(data));
        } else if (home == QLatin1String("trash is a file")) {
            QVERIFY(QDir().mkpath(data));
            QVERIFY(plantFile(data + QStringLiteral("/Trash")));
        } else if (home == QLatin1String("read-only home")) {
            QFile::setPermissions(homePath, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        QVERIFY(QDir::setCurrent(root.filePath(QStringLiteral("cwd"))));

        BrowserWindow* w = browser(QStringLiteral("edilizia"));
        const ObeyFilePermissions asAnOrdinaryUser; // root too meets the read-only HOME
        ScriptedDialogs dialogs;
        if (answer != QMessageBox::NoButton)
            dialogs.answerNext(QMessageBox::StandardButton(answer));
        if (pick == QLatin1String("folder"))
            dialogs.chooseFileNext(homePath + QStringLiteral("/docs/cartella"));
        else if (pick == QLatin1String("vanished"))
            dialogs.chooseFileNext(homePath + QStringLiteral("/docs/sparito.txt"));
        else if (pick == QLatin1String("cancel"))
            dialogs.chooseFileNext({});
        else
            dialogs.chooseFileNext(path);
        action(w, QStringLiteral("eliminare"))->trigger();

        QDir::setCurrent(oldCurrent);
        QFile::setPermissions(homePath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qunsetenv("XDG_DATA_HOME");
        qputenv("HOME", oldHome);

        QCOMPARE(QFileInfo::exists(path), !gone);
        QVERIFY(QFileInfo::exists(homePath + QStringLiteral("/docs/cartella")));
        QCOMPARE(QFileInfo::exists(data + QStringLiteral("/Trash/files/appunti.txt")), inTrash);
        // Nothing went to the current directory.
        QCOMPARE(QDir(root.filePath(QStringLiteral("cwd"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
        QCOMPARE(dialogs.messages.size(), asked ? 1 : 0);
        if (asked) {
            const Dialogs::MessageBoxRequest& box = dialogs.messages.first();
            QCOMPARE(box.text, QStringLiteral("Il file non può essere spostato nel cestino: eliminarlo definitivamente?"));
            QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box.defaultButton, QMessageBox::No);
            QCOMPARE(box.icon, Dialogs::Icon::Question);
            QCOMPARE(box.title, QStringLiteral("Lexoria: elimina"));
        }
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // A file the trash cannot take and that cannot be deleted either: after Yes
    // the user is told it is still there.
    void deleteRefusedIsReported()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("chiusa"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/appunti.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", root.path().toUtf8());
        qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toUtf8());

        BrowserWindow* w = browser(QStringLiteral("edilizia"));
        ScriptedDialogs dialogs;
        dialogs.chooseFileNext(path);
        dialogs.answerNext(QMessageBox::Yes);
        dialogs.answerNext(QMessageBox::Ok);
        {
            const ObeyFilePermissions asAnOrdinaryUser; // root too meets the read-only folder
            w->eliminare_Click();
        }
        qunsetenv("XDG_DATA_HOME");
        qputenv("HOME", oldHome);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.messages.last().text, QStringLiteral("Il file non è stato eliminato."));
        QCOMPARE(dialogs.messages.last().icon, Dialogs::Icon::Exclamation);
    }

    // Qt's own dialogs, really shown, leave no file behind in a fresh HOME: the
    // program keeps no state between runs. Each run is a child process, so that
    // Qt picks up the fresh HOME from its start.
    void dialogsLeaveNothingBehind_data()
    {
        QTest::addColumn<QString>("run");
        QTest::newRow("delete dialog, file chosen") << "file-chosen";
        QTest::newRow("delete dialog, cancelled") << "file-cancelled";
        QTest::newRow("colour dialog with a custom colour") << "colour";
    }
    void dialogsLeaveNothingBehind()
    {
        QFETCH(QString, run);
        QTemporaryDir root;
        const QString home = root.filePath(QStringLiteral("home"));
        const QString cwd = root.filePath(QStringLiteral("cwd"));
        QVERIFY(QDir().mkpath(home + QStringLiteral("/docs")) && QDir().mkpath(cwd));
        const QString chosen = home + QStringLiteral("/docs/appunti.txt");
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(cwd);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--dialog-run"), run, chosen});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);

        // Only the documents folder, and the trash with the deleted file, remain.
        QStringList left;
        QDirIterator it(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString entry = QDir(root.path()).relativeFilePath(it.next());
            if (!entry.startsWith(QLatin1String("home/.local/share/Trash")))
                left << entry;
        }
        left.sort();
        QStringList expected{QStringLiteral("cwd"), QStringLiteral("home"), QStringLiteral("home/docs")};
        if (run != QLatin1String("file-chosen"))
            expected << QStringLiteral("home/docs/appunti.txt");
        else
            left.removeAll(QStringLiteral("home/.local")), left.removeAll(QStringLiteral("home/.local/share"));
        expected.sort();
        QCOMPARE(left, expected);
        if (run == QLatin1String("file-chosen"))
            QVERIFY(QFileInfo::exists(home + QStringLiteral("/.local/share/Trash/files/appunti.txt")));
    }

    void shortHelp()
    {
        BrowserWindow* w = browser(QStringLiteral("enti"));
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Ok);
        QTest::mouseClick(control<QPushButton>(w, "aiuto"), Qt::LeftButton);
        QCOMPARE(dialogs.messages.size(), 1);
        const Dialogs::MessageBoxRequest& box = dialogs.messages.first();
        QCOMPARE(box.text.split(QLatin1Char('\r')).size(), 5);
        QVERIFY(box.text.startsWith(QLatin1String("- Scegliere uno degli argomenti elencati sulla sinistra della finestra;\r")));
        QVERIFY(box.text.endsWith(QLatin1String("\r- visualizzare il numero di sentenze disponibili nella casella gialla.")));
        QCOMPARE(box.icon, Dialogs::Icon::Information);
        QCOMPARE(box.buttons, QMessageBox::Ok);
        QCOMPARE(box.title, QStringLiteral("Lexoria: aiuto in linea"));
    }

    void exitCommandsAsk()
    {
        BrowserWindow* w = browser(QStringLiteral("enti"));
        ScriptedDialogs dialogs;
        for (int i = 0; i < 3; ++i)
            dialogs.answerNext(QMessageBox::No);
        QTest::mouseClick(control<QPushButton>(w, "esco"), Qt::LeftButton);
        action(w, QStringLiteral("usci"))->trigger();
        w->Toolbar1_ButtonClick(20);
        QCOMPARE(dialogs.messages.size(), 3);
        for (const Dialogs::MessageBoxRequest& box : dialogs.messages)
            QCOMPARE(box.text, QStringLiteral("Vuoi uscire da Lexoria?"));
        QVERIFY(w->isVisible());
    }

    void closedWindowIsBuiltAgain()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        chooseTopic(w, 10);
        w->close();
        QVERIFY(!WindowRegistry::instance().isLoaded(QStringLiteral("condominio")));
        BrowserWindow* again = browser(QStringLiteral("condominio"));
        QCOMPARE(again->currentTopic(), 0);
        QCOMPARE(text(again, "Label1"), totalLabel(Archive::condominio, 532));
        QCOMPARE(control<QListWidget>(again, "List1")->count(), 36);
    }
};

namespace {

// One run of the program's delete or colour command with Qt's real dialogs,
// answered from a timer as a user would: "--dialog-run <file-chosen |
// file-cancelled | colour> <file to choose>". Ends with 0 when the run went as
// planned.
int dialogRun(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString run = QString::fromLocal8Bit(argv[2]);
    const QString chosen = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    ModLexoria::InitSettings();
    WindowRegistry::instance().registerWindow(QStringLiteral("edilizia"),
                                              [] { return new BrowserWindow(Archive::edilizia); });
    auto* w = qobject_cast<BrowserWindow*>(WindowRegistry::instance().show(QStringLiteral("edilizia")));
    bool sawDialog = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->button(QMessageBox::No)->click(); // the colour question: straight to the dialog
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            sawDialog = true;
            if (run == QLatin1String("file-chosen")) {
                files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(chosen);
                QMetaObject::invokeMethod(files, "accept");
            } else {
                files->reject();
            }
        } else if (auto* colours = qobject_cast<QColorDialog*>(modal)) {
            sawDialog = true;
            QColorDialog::setCustomColor(0, QColor(10, 20, 30)); // as "add to custom colours" does
            colours->setCurrentColor(QColor(10, 20, 30));
            QMetaObject::invokeMethod(colours, "accept");
        }
    });
    answer.start(50);
    QTimer::singleShot(30000, [] { std::exit(3); }); // a dialog nobody could answer
    if (run == QLatin1String("colour"))
        w->colorare_Click();
    else
        w->eliminare_Click();
    answer.stop();
    resetWindows();
    if (!sawDialog)
        return 2;
    if (run == QLatin1String("file-chosen") && QFileInfo::exists(chosen))
        return 4;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--dialog-run") == 0)
        return dialogRun(argc, argv);
    QApplication app(argc, argv);
    TestBrowser test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_browser.moc"
