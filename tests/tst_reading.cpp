// The reading path end to end: the splash window, the archive chooser and the
// exit sequence, with the real browser windows behind them.

#include "browser/browserwindow.h"
#include "corpus/corpusfile.h"
#include "shell/frmsplash.h"
#include "shell/modlexoria.h"
#include "shell/scelta.h"
#include "shell/windowregistry.h"
#include "tests/support/accessibility.h"
#include "tests/support/corpusdata.h"
#include "tests/support/scripteddialogs.h"

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

namespace {

QHash<QString, int> g_created;

WindowRegistry& registry() { return WindowRegistry::instance(); }

void registerWindows()
{
    auto counted = [](const QString& name, auto make) {
        registry().registerWindow(name, [name, make] {
            ++g_created[name];
            return make();
        });
    };
    counted(QStringLiteral("frmSplash"), [] { return new frmSplash; });
    counted(QStringLiteral("scelta"), [] { return new scelta; });
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        const corpus::Archive archive = a.archive;
        counted(a.name, [archive] { return new BrowserWindow(archive); });
    }
    for (const char* name : {"sommario", "prodotti"})
        counted(QString::fromLatin1(name), [] { return new QWidget; });
}

frmSplash* splash() { return qobject_cast<frmSplash*>(registry().find(QStringLiteral("frmSplash"))); }
scelta* chooser() { return qobject_cast<scelta*>(registry().find(QStringLiteral("scelta"))); }
QString labelText(QWidget* w, const QString& name) { return w->findChild<QLabel*>(name)->text(); }

QString totalText() { return QStringLiteral("Numero totale massime:  %1").arg(expectedCount(2051, std::nullopt)); }

void clickOn(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

void moveOver(QWidget* w, QPoint at = QPoint(3, 3))
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

} // namespace

class TestReading : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        g_created.clear();
        registerWindows();
        for (auto& total : ModLexoria::Settings().archiveTotal)
            total.reset();
        registry().show(QStringLiteral("frmSplash"));
    }
    void cleanup()
    {
        registry().reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void splashAtStart()
    {
        frmSplash* s = splash();
        QCOMPARE(s->label(3)->text(), QStringLiteral("Lexoria"));
        QCOMPARE(s->label(4)->text(), QStringLiteral("massime sull'edilizia"));
        QCOMPARE(s->label(5)->text(), QStringLiteral("EDIZIONE PROFESSIONALE - VERSIONE 2.05.05"));
        QCOMPARE(s->label(2)->text(), QStringLiteral("                        presenta"));
        QCOMPARE(s->label(1)->text(), QStringLiteral("software VELARIA"));
        QCOMPARE(s->label(8)->text(), QStringLiteral("(cliccare sulla finestra per iniziare; premere un tasto per uscire)"));
        QCOMPARE(s->MMControl1().fileName(), QStringLiteral("Internet.mid"));
        QCOMPARE(s->MMControl1().command(), QStringLiteral("play"));
        QCOMPARE(ModLexoria::Settings().helpMessageTitle, QStringLiteral("Lexoria: aiuto in linea"));
        // Labels that fit their text keep their designed centre.
        const QRect nameBox = s->label(3)->geometry();
        QVERIFY(nameBox.width() > s->label(3)->fontMetrics().horizontalAdvance(QStringLiteral("Lexoria")));
        QVERIFY(qAbs((nameBox.left() + nameBox.right() + 1) / 2.0 - 5647.5 / 15) <= 1.0); // 96 DPI here
    }

    // A click anywhere opens one chooser and pauses the music.
    void splashClicks_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("background") << "";
        QTest::newRow("warning line") << "label_7";
        QTest::newRow("frame bar") << "label_0";
        QTest::newRow("picture") << "Image1";
        QTest::newRow("program name") << "label_3";
    }
    void splashClicks()
    {
        QFETCH(QString, target);
        frmSplash* s = splash();
        QWidget* on = target.isEmpty() ? static_cast<QWidget*>(s) : s->findChild<QWidget*>(target);
        QVERIFY(on);
        clickOn(on);
        clickOn(on);
        clickOn(s);
        QCOMPARE(g_created.value(QStringLiteral("scelta")), 1);
        QVERIFY(chooser()->isVisible());
        QVERIFY(s->isVisible()); // the splash stays underneath
        QCOMPARE(s->MMControl1().command(), QStringLiteral("pause"));
    }

    void splashKeys()
    {
        frmSplash* s = splash();
        clickOn(s);
        registry().load(QStringLiteral("prodotti"));
        QTest::keyClick(s, Qt::Key_Left);
        QTest::keyClick(s, Qt::Key_F5);
        QVERIFY(registry().isLoaded(QStringLiteral("frmSplash")));
        QTest::keyClick(s, 'x');
        QVERIFY(!registry().isLoaded(QStringLiteral("frmSplash")));
        QVERIFY(!registry().isLoaded(QStringLiteral("prodotti")));
        // The chooser and the archives keep working.
        QVERIFY(chooser());
        chooser()->Option1_Click(5);
        auto* condominio = qobject_cast<BrowserWindow*>(registry().find(QStringLiteral("condominio")));
        condominio->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(9);
        QCOMPARE(condominio->topicCount(), expectedCount(62, corpus::Archive::condominio, 10));
    }

    void chooserTexts()
    {
        clickOn(splash());
        scelta* c = chooser();
        QCOMPARE(c->windowTitle(), QStringLiteral("Lexoria: menu degli archivi di massime disponibili"));
        QCOMPARE(labelText(c, QStringLiteral("num")), totalText());
        QCOMPARE(labelText(c, QStringLiteral("Label1")),
                 QStringLiteral("... %1 massime riguardanti l'edilizia suddivise in 33 argomenti")
                     .arg(expectedCount(857, corpus::Archive::edilizia)));
        QCOMPARE(labelText(c, QStringLiteral("Label3")),
                 QStringLiteral("... %1 massime sull'espropriazione per pubblica utilità")
                     .arg(expectedCount(16, corpus::Archive::espropriazioni)));
        QCOMPARE(labelText(c, QStringLiteral("Label7")),
                 QStringLiteral("... %1 massime riguardanti le imprese, gli appalti, il lavoro")
                     .arg(expectedCount(264, corpus::Archive::imprese)));
        QCOMPARE(c->statusText(), QStringLiteral("Menu di scelta."));
        // The seven archives were built hidden, in window-number order, after the chooser.
        const QStringList loaded = registry().loadedWindows();
        QCOMPARE(loaded.mid(2), (QStringList{"edilizia", "urbanistica", "espropriazioni", "professionisti",
                                             "condominio", "enti", "imprese"}));
        for (const QString& name : loaded.mid(2))
            QVERIFY(!registry().find(name)->isVisible());
    }

    void pickingAnArchive()
    {
        clickOn(splash());
        scelta* c = chooser();
        auto* option = c->findChild<QRadioButton*>(QStringLiteral("Option1_5"));
        QCOMPARE(option->text(), QStringLiteral("Condominio"));
        clickOn(option);
        auto* condominio = qobject_cast<BrowserWindow*>(registry().find(QStringLiteral("condominio")));
        QVERIFY(condominio->isVisible());
        QVERIFY(!option->isChecked());
        QVERIFY(c->isVisible());
        condominio->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(8);
        clickOn(option); // the same archive again: the same window, as it was
        QCOMPARE(registry().find(QStringLiteral("condominio")), condominio);
        QCOMPARE(condominio->currentTopic(), 9);
        QCOMPARE(g_created.value(QStringLiteral("condominio")), 1);
    }

    void statusTexts()
    {
        clickOn(splash());
        scelta* c = chooser();
        moveOver(c->findChild<QRadioButton*>(QStringLiteral("Option1_3")));
        QCOMPARE(c->statusText(), QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti le "
                                                 "espropriazioni per pubblica utilità."));
        moveOver(c, QPoint(2, 2));
        QCOMPARE(c->statusText(), QStringLiteral("Elenca le tematiche trattate nelle massime visualizzabili "
                                                 "(suddivise per argomenti)."));
        moveOver(c->findChild<QRadioButton*>(QStringLiteral("Option1_7")));
        moveOver(c->findChild<QLabel*>(QStringLiteral("Label71")));
        QCOMPARE(c->statusText(), QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti le "
                                                 "imprese appaltatrici e il lavoro."));
    }

    // However the chooser is sized, its status bar runs along the bottom edge at
    // full width and covers no option, so every option takes its clicks.
    void chooserFollowsTheWindow_data()
    {
        QTest::addColumn<double>("widthFactor");
        QTest::addColumn<double>("heightFactor");
        QTest::newRow("twice as tall") << 1.0 << 2.0;
        QTest::newRow("narrowed") << 0.6 << 1.0;
        QTest::newRow("half size") << 0.5 << 0.5;
        QTest::newRow("larger") << 1.5 << 1.5;
    }
    void chooserFollowsTheWindow()
    {
        QFETCH(double, widthFactor);
        QFETCH(double, heightFactor);
        clickOn(splash());
        scelta* c = chooser();
        QVERIFY(QTest::qWaitForWindowExposed(c));
        c->resize(qRound(c->width() * widthFactor), qRound(c->height() * heightFactor));
        const auto* status = c->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
        QVERIFY(qAbs(status->geometry().bottom() + 1 - c->height()) <= 1);
        QVERIFY(qAbs(status->width() - c->width()) <= 1);
        QCOMPARE(status->x(), 0);
        for (int i = 1; i <= 7; ++i) {
            auto* option = c->findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(i));
            QVERIFY(!status->geometry().intersects(option->geometry()));
            QCOMPARE(c->childAt(option->geometry().center()), option);
        }
    }

    // One option row per archive of the table: seven rows keep the designed
    // window; with an eighth every row stays clear of the total box, the buttons,
    // the status bar and the other rows, and the window grows to hold it.
    void chooserRowsFollowTheTable()
    {
        const scelta::Layout designed = scelta::layoutFor(7);
        QCOMPARE(designed.option(6), QRectF(480, 4800, 3615, 300));
        QCOMPARE(designed.total(), QRectF(480, 5400, 3735, 375));
        QCOMPARE(designed.search(), QRectF(8040, 5190, 1215, 300));
        QCOMPARE(designed.statusBar(), QRectF(0, 6045, 9480, 375));
        QCOMPARE(designed.clientHeight(), 6420.0);
        QCOMPARE(designed.outerHeight(), 6825.0);

        double widest = 0;
        for (const corpus::ArchiveInfo& a : corpus::archives())
            widest = qMax(widest, double(a.chooserCountWidth));
        for (int rows : {7, 8}) {
            const scelta::Layout layout = scelta::layoutFor(rows);
            QList<QRectF> below = {layout.total(), layout.search(), layout.statusBar()};
            for (int b = 0; b < 4; ++b)
                below << layout.button(b);
            for (int i = 0; i < rows; ++i) {
                const QRectF row = layout.option(i).united(layout.count(i, widest));
                for (const QRectF& other : below)
                    QVERIFY2(!row.intersects(other),
                             qPrintable(QStringLiteral("%1 rows: row %2").arg(rows).arg(i + 1)));
                if (i > 0)
                    QVERIFY(!row.intersects(layout.option(i - 1).united(layout.count(i - 1, widest))));
            }
            QVERIFY(layout.statusBar().bottom() <= layout.clientHeight());
            QCOMPARE(layout.outerHeight() - layout.clientHeight(), designed.outerHeight() - designed.clientHeight());
        }
        QCOMPARE(scelta::layoutFor(8).clientHeight(), designed.clientHeight() + scelta::RowPitch);
    }

    // An archive option opens its archive on any activation and never stays
    // marked; assistive technology meets it as a push button with a press action.
    void archiveOptionActivation_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("Space key") << "space";
        QTest::newRow("accessibility press action") << "press";
    }
    void archiveOptionActivation()
    {
        QFETCH(QString, how);
        clickOn(splash());
        scelta* c = chooser();
        auto* option = c->findChild<QRadioButton*>(QStringLiteral("Option1_3"));
        QCOMPARE(Accessibility::role(option), QAccessible::Button);
        QCOMPARE(Accessibility::name(option), QStringLiteral("Espropriazioni"));
        QCOMPARE(Accessibility::actionNames(option).value(0), QAccessibleActionInterface::pressAction());
        QVERIFY(!Accessibility::actionNames(option).contains(QAccessibleActionInterface::toggleAction()));
        QWidget* archive = registry().find(QStringLiteral("espropriazioni"));
        QVERIFY(archive && !archive->isVisible());

        for (int round = 1; round <= 2; ++round) { // the same option works again at once
            archive->hide();
            if (how == QLatin1String("mouse"))
                clickOn(option);
            else if (how == QLatin1String("space"))
                QTest::keyClick(option, Qt::Key_Space);
            else
                QAccessible::queryAccessibleInterface(option)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
            QTRY_VERIFY(archive->isVisible());
            QVERIFY(!option->isChecked());
            QVERIFY(!QAccessible::queryAccessibleInterface(option)->state().checked);
        }
        QCOMPARE(g_created.value(QStringLiteral("espropriazioni")), 1);
    }

    void chooserLabelsSpeakTheirText()
    {
        clickOn(splash());
        scelta* c = chooser();
        moveOver(c->findChild<QRadioButton*>(QStringLiteral("Option1_3")));
        QCOMPARE(Accessibility::labelsNotSpeakingTheirText(c), QStringList());
        QCOMPARE(Accessibility::labelsNotSpeakingTheirText(splash()), QStringList());
        QCOMPARE(Accessibility::name(c->findChild<QLabel*>(QStringLiteral("StatusBar1_text"))), c->statusText());
    }

    void chooserButtons()
    {
        clickOn(splash());
        scelta* c = chooser();
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Ok);
        QList<QUrl> opened;
        ModLexoria::setOpenUrlHandler([&](const QUrl& url) {
            opened << url;
            return true;
        });
        c->aiuto_Click();
        c->forum_Click();
        c->guida_Click();
        ModLexoria::setOpenUrlHandler(nullptr);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages.first().text.split(QLatin1Char('\r')).size(), 2);
        QCOMPARE(dialogs.messages.first().title, QStringLiteral("Lexoria: aiuto in linea"));
        QCOMPARE(dialogs.messages.first().icon, Dialogs::Icon::Information);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().scheme(), QStringLiteral("https"));
        QVERIFY(opened.first().host().endsWith(QLatin1String(".example")));
        QVERIFY(registry().isLoaded(QStringLiteral("sommario")));
    }

    void closeBoxAsksToLeave()
    {
        clickOn(splash());
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::No);
        QVERIFY(!chooser()->close());
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages.first().text, QStringLiteral("Vuoi uscire da Lexoria?"));
        QVERIFY(chooser() && chooser()->isVisible());
    }

    // Yes closes every window, brings back the splash as the closing screen, and a
    // click there starts over with freshly built archives.
    void exitAndStartOver_data()
    {
        QTest::addColumn<bool>("splashClosedFirst");
        QTest::newRow("splash loaded") << false;
        QTest::newRow("splash closed by a key") << true;
    }
    void exitAndStartOver()
    {
        QFETCH(bool, splashClosedFirst);
        clickOn(splash());
        if (splashClosedFirst)
            QTest::keyClick(splash(), 'q');
        chooser()->Option1_Click(1);
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Yes);
        QTest::mouseClick(chooser()->findChild<QWidget*>(QStringLiteral("cmdesci")), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QCOMPARE(registry().loadedWindows(), QStringList{QStringLiteral("frmSplash")});
        frmSplash* s = splash();
        QVERIFY(s->isVisible());
        QCOMPARE(s->label(2)->text(), QStringLiteral("          elaborazione eseguita con"));
        QCOMPARE(s->MMControl1().command(), QStringLiteral("play"));
        QCOMPARE(g_created.value(QStringLiteral("frmSplash")), splashClosedFirst ? 2 : 1);

        ModLexoria::ArchiveTotal(corpus::Archive::enti).reset();
        clickOn(s);
        QCOMPARE(g_created.value(QStringLiteral("scelta")), 2);
        QCOMPARE(g_created.value(QStringLiteral("enti")), 2);
        QCOMPARE(ModLexoria::ArchiveTotal(corpus::Archive::enti),
                 std::optional<int>(expectedCount(125, corpus::Archive::enti)));
        QCOMPARE(labelText(chooser(), QStringLiteral("num")), totalText());
        QCOMPARE(s->label(2)->text(), QStringLiteral("          elaborazione eseguita con"));
    }
};

QTEST_MAIN(TestReading)
#include "tst_reading.moc"
