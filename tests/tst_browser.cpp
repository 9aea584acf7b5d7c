// The browser window: loading, topic choice, navigation with the scroll bar,
// and the commands of its menus, toolbar and buttons.

#include "accessibility.h"
#include "browserwindow.h"
#include "modlexoria.h"
#include "scripteddialogs.h"
#include "windowregistry.h"

#include <QAction>
#include <QApplication>
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

template <typename T> T* control(BrowserWindow* w, const char* name)
{
    T* found = w->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("control %s missing", name);
    return found;
}

QString text(BrowserWindow* w, const char* name) { return control<QLabel>(w, name)->text(); }
QString shown(BrowserWindow* w) { return control<QPlainTextEdit>(w, "sent")->toPlainText(); }
QScrollBar* bar(BrowserWindow* w) { return control<QScrollBar>(w, "HScroll1"); }
void chooseTopic(BrowserWindow* w, int topic) { control<QListWidget>(w, "List1")->setCurrentRow(topic - 1); }
QAction* action(BrowserWindow* w, const QString& name) { return w->findChild<QAction*>(name); }

} // namespace

class TestBrowser : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ModLexoria::InitSettings(); }

    void init()
    {
        WindowRegistry& r = WindowRegistry::instance();
        for (const corpus::ArchiveInfo& a : corpus::archives()) {
            const Archive archive = a.archive;
            r.registerWindow(a.name, [archive] { return new BrowserWindow(archive); });
        }
        for (const QString& name : OtherWindows)
            r.registerWindow(name, [] { return new QWidget; });
        ModLexoria::Settings().lastBackgroundColour = 0;
    }
    void cleanup()
    {
        WindowRegistry::instance().reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void stateAfterLoad()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Lexoria: condominio"));
        QCOMPARE(text(w, "Label1"), QStringLiteral(" 532 massime totali"));
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
        QCOMPARE(ModLexoria::ArchiveTotal(Archive::condominio), std::optional<int>(532));
        QCOMPARE(bar(browser(QStringLiteral("edilizia")))->maximum(), 150);
    }

    void topicChoice()
    {
        BrowserWindow* w = browser(QStringLiteral("condominio"));
        chooseTopic(w, 9);
        QCOMPARE(w->currentTopic(), 9);
        QCOMPARE(w->currentPosition(), 1);
        QCOMPARE(w->topicCount(), 18);
        QCOMPARE(text(w, "conta"), QStringLiteral("1"));
        QCOMPARE(shown(w), w->tables().Massima(9, 1));
        QCOMPARE(text(w, "Label2"), QStringLiteral("Ascensore"));
        QCOMPARE(control<QListWidget>(w, "List1")->toolTip(), QStringLiteral("argomento scelto: Ascensore"));
        QCOMPARE(text(w, "passo"), QStringLiteral("visualizzazione delle  18 sentenze relative all'argomento scelto"));
    }

    // Moving the bar to `value` in a topic shows a massima, or the end-of-topic
    // notice with the bar snapped back to count + 1.
    void navigation_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("topic"); // 0: no topic chosen yet
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("conta");
        QTest::addColumn<bool>("notice");
        QTest::addColumn<int>("barAfter");
        QTest::newRow("condominio 10 at 62") << "condominio" << 10 << 62 << "62" << false << 62;
        QTest::newRow("condominio 10 at 63") << "condominio" << 10 << 63 << "63" << true << 63;
        QTest::newRow("condominio 10 at 100") << "condominio" << 10 << 100 << "63" << true << 63;
        QTest::newRow("edilizia 29 at 148") << "edilizia" << 29 << 148 << "148" << false << 148;
        QTest::newRow("edilizia 29 at 149") << "edilizia" << 29 << 149 << "149" << true << 149;
        QTest::newRow("edilizia 29 at 150") << "edilizia" << 29 << 150 << "149" << true << 149;
        QTest::newRow("placeholder topic") << "urbanistica" << 4 << 2 << "1" << true << 1;
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
        chooseTopic(w, 24); // six massime
        for (int p = 2; p <= 7; ++p) {
            bar(w)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            QCOMPARE(text(w, "conta"), QString::number(p));
        }
        QCOMPARE(shown(w), QStringLiteral("     ----- non esistono altre sentenze da visualizzare sull'argomento -----"));
        bar(w)->triggerAction(QAbstractSlider::SliderSingleStepAdd); // stays on the notice
        QCOMPARE(bar(w)->value(), 7);
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
        QTest::newRow("espropriazioni") << "espropriazioni"
                                        << "visualizzazione delle  0 sentenze relative all'argomento scelto"
                                        << "     ----- non esistono altre sentenze da visualizzare sull'argomento -----"
                                        << "numero della massima dell'argomento scelto";
        QTest::newRow("condominio") << "condominio" << "visualizzazione delle  11 sentenze relative all'argomento scelto"
                                    << "     ----- non esistono altre massime da visualizzare sull'argomento -----"
                                    << "numero della massima dell'argomento scelto";
        QTest::newRow("urbanistica") << "urbanistica" << "visualizzazione delle  49 massime relative all'argomento scelto"
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
        bar(w)->setValue(19); // the end-of-topic notice
        QCOMPARE(Accessibility::name(conta), QStringLiteral("19"));
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

    // The chosen file goes to the trash; every other case leaves everything alone.
    void deleteCommand_data()
    {
        QTest::addColumn<QString>("pick"); // "file", "readonly", "folder", "vanished", "cancel"
        QTest::addColumn<bool>("gone");
        QTest::newRow("a file") << "file" << true;
        QTest::newRow("a read-only file") << "readonly" << false;
        QTest::newRow("a folder") << "folder" << false;
        QTest::newRow("a vanished file") << "vanished" << false;
        QTest::newRow("cancelled") << "cancel" << false;
    }
    void deleteCommand()
    {
        QFETCH(QString, pick);
        QFETCH(bool, gone);
        QTemporaryDir home;
        // The trash lives in this folder, on the same file system as the file.
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        QDir(home.path()).mkpath(QStringLiteral("docs/cartella"));
        const QString path = home.filePath(QStringLiteral("docs/appunti.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("da cancellare");
        file.close();
        if (pick == QLatin1String("readonly"))
            QFile::setPermissions(path, QFileDevice::ReadOwner);

        BrowserWindow* w = browser(QStringLiteral("edilizia"));
        ScriptedDialogs dialogs;
        if (pick == QLatin1String("folder"))
            dialogs.chooseFileNext(home.filePath(QStringLiteral("docs/cartella")));
        else if (pick == QLatin1String("vanished"))
            dialogs.chooseFileNext(home.filePath(QStringLiteral("docs/sparito.txt")));
        else if (pick == QLatin1String("cancel"))
            dialogs.chooseFileNext({});
        else
            dialogs.chooseFileNext(path);
        action(w, QStringLiteral("eliminare"))->trigger();

        QCOMPARE(QFileInfo::exists(path), !gone);
        QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("docs/cartella"))));
        if (gone)
            QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("data/Trash/files/appunti.txt"))));
        QVERIFY(dialogs.messages.isEmpty());
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        qunsetenv("XDG_DATA_HOME");
        qputenv("HOME", oldHome);
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
        QCOMPARE(text(again, "Label1"), QStringLiteral(" 532 massime totali"));
        QCOMPARE(control<QListWidget>(again, "List1")->count(), 36);
    }
};

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
