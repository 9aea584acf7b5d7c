// Global settings, the shell's open action, the window registry's life cycle and
// the exit sequence.

#include "export/presentation.h"
#include "export/wordautomation.h"
#include "scaling/twips.h"
#include "shell/dialogs.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"
#include "tests/support/faultenv.h"
#include "tests/support/guitest.h"
#include "tests/support/scripteddialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <unistd.h>

namespace {

// Records load and unload steps of every test window, in order.
QStringList g_events;
QHash<QString, int> g_created;

class TestForm : public QWidget, public FormHooks {
public:
    explicit TestForm(const QString& name) : name_(name) { ++g_created[name]; }
    void Form_Load() override { g_events << QStringLiteral("load ") + name_; }
    void Form_Unload() override { g_events << QStringLiteral("unload ") + name_; }
    bool Form_QueryUnload() override { return allowClose; }
    bool allowClose = true;

protected:
    QString name_;
};

class FakeSplash : public TestForm, public ClosingScreen {
public:
    FakeSplash() : TestForm(QStringLiteral("frmSplash")) {}
    void mediaCommand(const QString& command) override { g_events << QStringLiteral("media ") + command; }
    void setSecondLine(const QString& caption) override { secondLine = caption; }
    QString secondLine = QStringLiteral("                        presenta");
};

// Stand-ins registered in this order; the exit sequence must follow it.
const QStringList TestWindows = {
    QStringLiteral("scelta"),  QStringLiteral("edilizia"), QStringLiteral("imprese"),  QStringLiteral("informa"),
    QStringLiteral("sommario"), QStringLiteral("licenza"), QStringLiteral("prodotti"), QStringLiteral("extra"),
};

void registerTestWindows()
{
    for (const QString& name : TestWindows)
        WindowRegistry::instance().registerWindow(name, [name] { return new TestForm(name); });
    // Registered last: the closing screen is never on the list, wherever it stands.
    WindowRegistry::instance().registerWindow(QStringLiteral("frmSplash"), [] { return new FakeSplash; });
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
    std::optional<ProcessSettingsGuard> settings_; // from init() to cleanup()

private slots:
    void init()
    {
        settings_.emplace();
        g_events.clear();
        g_created.clear();
        ModLexoria::Settings() = {}; // every test starts from the settings of a new process
        registerTestWindows();
    }
    void cleanup()
    {
        resetWindows();
        settings_.reset();
    }

    void settingsBeforeAndAfterInit()
    {
        const ModLexoria::GlobalSettings& s = ModLexoria::Settings();
        QVERIFY(s.programName.isEmpty());
        for (const auto& total : s.archiveTotal)
            QVERIFY(!total.has_value());
        QCOMPARE(s.lastBackgroundColour, 0u);

        ModLexoria::InitSettings();
        ModLexoria::InitSettings(); // a second run assigns the same values
        QCOMPARE(s.programName, QStringLiteral("Lexoria"));
        QCOMPARE(s.subtitle, QStringLiteral("massime sull'edilizia"));
        QCOMPARE(s.versionText, QStringLiteral("2.05.05"));
        QCOMPARE(s.releaseDate, QStringLiteral("19/03/2001"));
        QCOMPARE(s.closingYearText, QStringLiteral("281211"));
        QCOMPARE(s.checkMessageTitle, QStringLiteral("Lexoria: controllo dati immessi nella finestra attiva"));
        QCOMPARE(s.helpMessageTitle, QStringLiteral("Lexoria: aiuto in linea"));
        QCOMPARE(s.deleteDialogTitle,
                 QStringLiteral("Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo"));
        QVERIFY(s.priceListHeading.isEmpty());
    }

    void openDocument_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("desktopAnswer");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("succeeded");
        QTest::newRow("mailto with blank") << "mailto: info@velaria.example" << true << "mailto:info@velaria.example"
                                           << true;
        QTest::newRow("web page") << "https://forum.velaria.example/lexoria" << true
                                  << "https://forum.velaria.example/lexoria" << true;
        QTest::newRow("bare host") << "www.velaria.example" << true << "http://www.velaria.example" << true;
        QTest::newRow("local document") << QStringLiteral(LEXORIA_SOURCE_DIR "/README.md") << true
                                       << QUrl::fromLocalFile(QStringLiteral(LEXORIA_SOURCE_DIR "/README.md")).toString() << true;
        QTest::newRow("desktop refuses") << "https://velaria.example" << false << "https://velaria.example" << false;
    }
    void openDocument()
    {
        QFETCH(QString, target);
        QFETCH(bool, desktopAnswer);
        QFETCH(QString, url);
        QFETCH(bool, succeeded);
        QList<QUrl> opened;
        ModLexoria::setOpenUrlHandler([&](const QUrl& u) {
            opened << u;
            return desktopAnswer;
        });
        const qint32 result = ModLexoria::OpenDocument(target);
        QCOMPARE(opened, QList<QUrl>{QUrl(url)});
        QCOMPARE(result > 32, succeeded);
    }

    // What a test changes for the whole process is back at the program's default
    // once the guard goes: the settings that can be read back are checked here.
    void settingsGuardRestoresDefaults()
    {
        const int timeout = Presentation::handoverTimeout();
        const QString folder = Presentation::documentFolder();
        const QSizeF screen = scaling::screenSizeTwips();
        ScriptedDialogs dialogs;
        {
            ProcessSettingsGuard guard;
            Presentation::setMode(Presentation::Mode::Suppressed);
            Presentation::setHandoverTimeout(timeout + 1);
            Presentation::setDocumentFolder(QStringLiteral("/altrove"));
            WordApplication::setRecording(true);
            WordApplication::recorder() << QStringLiteral("new Application");
            scaling::setScreenSizeTwipsOverride(screen + QSizeF(15, 15));
            QCOMPARE(&Dialogs::provider(), &dialogs);
        }
        QCOMPARE(Presentation::mode(), Presentation::Mode::Open);
        QCOMPARE(Presentation::handoverTimeout(), timeout);
        QCOMPARE(Presentation::documentFolder(), folder);
        QVERIFY(!WordApplication::isRecording());
        QVERIFY(WordApplication::recorder().isEmpty());
        QCOMPARE(scaling::screenSizeTwips(), screen);
        QVERIFY(&Dialogs::provider() != &dialogs);
    }

    void registryLifeCycle()
    {
        WindowRegistry& r = WindowRegistry::instance();
        QSignalSpy ended(&r, &WindowRegistry::lastWindowUnloaded);

        QVERIFY(!r.isLoaded(QStringLiteral("sommario")));
        QVERIFY(!r.show(QStringLiteral("nessuna"))); // unknown names are ignored
        QWidget* first = r.show(QStringLiteral("sommario"));
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->objectName(), QStringLiteral("sommario"));
        QCOMPARE(r.show(QStringLiteral("sommario")), first); // raised, not loaded again
        QCOMPARE(r.load(QStringLiteral("sommario")), first);
        QCOMPARE(g_events, QStringList{QStringLiteral("load sommario")});

        r.load(QStringLiteral("informa")); // loaded hidden
        r.hide(QStringLiteral("sommario"));
        QVERIFY(r.isLoaded(QStringLiteral("sommario")));
        QCOMPARE(r.loadedWindows(), (QStringList{QStringLiteral("sommario"), QStringLiteral("informa")}));

        QPointer<QWidget> gone = first;
        r.unload(QStringLiteral("sommario"));
        QVERIFY(!r.isLoaded(QStringLiteral("sommario")));
        QVERIFY(!first->isVisible());
        flushDeletes();
        QVERIFY(gone.isNull());
        QCOMPARE(ended.count(), 0); // the hidden `informa` keeps the process alive

        QWidget* second = r.show(QStringLiteral("sommario")); // created anew, load runs again
        QVERIFY(second);
        QCOMPARE(g_created.value(QStringLiteral("sommario")), 2);
        QCOMPARE(g_events.count(QStringLiteral("load sommario")), 2);

        r.unload(QStringLiteral("informa"));
        QCOMPARE(ended.count(), 0);
        r.unload(QStringLiteral("sommario"));
        QCOMPARE(ended.count(), 1);
    }

    void closingThroughTheFrameUnloads()
    {
        WindowRegistry& r = WindowRegistry::instance();
        auto* form = static_cast<TestForm*>(r.show(QStringLiteral("licenza")));
        form->allowClose = false;
        QVERIFY(!form->close());
        QVERIFY(r.isLoaded(QStringLiteral("licenza")));
        form->allowClose = true;
        QVERIFY(form->close());
        QVERIFY(!r.isLoaded(QStringLiteral("licenza")));
        QCOMPARE(g_events.last(), QStringLiteral("unload licenza"));
    }

    void unloadFromOwnHandler()
    {
        WindowRegistry& r = WindowRegistry::instance();
        QWidget* form = r.show(QStringLiteral("prodotti"));
        auto* button = new QPushButton(form);
        bool stillUsable = false;
        QObject::connect(button, &QPushButton::clicked, form, [&, form, button] {
            WindowRegistry::instance().unload(form);
            stillUsable = button->parentWidget() == form && form->objectName() == QLatin1String("prodotti");
        });
        QPointer<QWidget> watch = form;
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(stillUsable);
        QVERIFY(!r.isLoaded(QStringLiteral("prodotti")));
        flushDeletes();
        QVERIFY(watch.isNull());
    }

    void processHolderKeepsTheProcessAlive()
    {
        WindowRegistry& r = WindowRegistry::instance();
        QSignalSpy ended(&r, &WindowRegistry::lastWindowUnloaded);
        r.load(QStringLiteral("informa"));
        auto* holder = new QObject;
        r.holdProcess(holder);
        r.unload(QStringLiteral("informa"));
        QCOMPARE(ended.count(), 0);
        delete holder;
        QCOMPARE(ended.count(), 1);
    }

    void exitQuestionAnsweredNo()
    {
        ModLexoria::InitSettings();
        WindowRegistry& r = WindowRegistry::instance();
        r.show(QStringLiteral("scelta"));
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::No);
        ModLexoria::ConfirmExit();

        QCOMPARE(dialogs.messages.size(), 1);
        const Dialogs::MessageBoxRequest& box = dialogs.messages.first();
        QCOMPARE(box.text, QStringLiteral("Vuoi uscire da Lexoria?"));
        QCOMPARE(box.title, QStringLiteral("Lexoria: massime sull'edilizia"));
        QCOMPARE(box.icon, Dialogs::Icon::Question);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.defaultButton, QMessageBox::No);
        QCOMPARE(r.loadedWindows(), QStringList{QStringLiteral("scelta")});
        QCOMPARE(g_events, QStringList{QStringLiteral("load scelta")});
    }

    // Yes closes every loaded window in registration order, never creates the
    // others, and turns the splash window into the closing screen.
    void exitSequence_data()
    {
        QTest::addColumn<bool>("splashLoaded");
        QTest::newRow("splash still there") << true;
        QTest::newRow("splash closed earlier") << false;
    }
    void exitSequence()
    {
        QFETCH(bool, splashLoaded);
        ModLexoria::InitSettings();
        WindowRegistry& r = WindowRegistry::instance();
        QSignalSpy ended(&r, &WindowRegistry::lastWindowUnloaded);
        if (splashLoaded)
            r.show(QStringLiteral("frmSplash"));
        QCOMPARE(ModLexoria::ExitSequenceWindows(), TestWindows);
        for (const char* name : {"imprese", "informa", "scelta", "edilizia", "extra"})
            r.load(QString::fromLatin1(name));
        r.hide(QStringLiteral("edilizia"));
        g_events.clear();

        // Asked from a handler of the chooser, which the sequence closes.
        QWidget* chooser = r.find(QStringLiteral("scelta"));
        auto* exitButton = new QPushButton(chooser);
        QObject::connect(exitButton, &QPushButton::clicked, chooser, [] { ModLexoria::ConfirmExit(); });
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Yes);
        QTest::mouseClick(exitButton, Qt::LeftButton);

        // Registration order, not the order the windows were opened in.
        QStringList expected = {QStringLiteral("unload scelta"), QStringLiteral("unload edilizia"),
                                QStringLiteral("unload imprese"), QStringLiteral("unload informa"),
                                QStringLiteral("unload extra")};
        if (!splashLoaded)
            expected << QStringLiteral("load frmSplash");
        expected << QStringLiteral("media play");
        QCOMPARE(g_events, expected);
        QCOMPARE(g_created.value(QStringLiteral("sommario")), 0);
        QCOMPARE(g_created.value(QStringLiteral("frmSplash")), 1);
        QCOMPARE(r.loadedWindows(), QStringList{QStringLiteral("frmSplash")});
        auto* splash = dynamic_cast<FakeSplash*>(r.find(QStringLiteral("frmSplash")));
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->secondLine, QStringLiteral("          elaborazione eseguita con"));
        QCOMPARE(ended.count(), 0);
        flushDeletes();
    }

    // The whole guide goes into the program's folder only when this user can write
    // there; an installed copy's folder is read-only, so it goes to the documents.
    void guideFileFolder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("inProgramFolder");
        QTest::newRow("writable program folder") << "programma" << true;
        QTest::newRow("program folder missing") << "manca" << false;
    }
    void guideFileFolder()
    {
        QFETCH(QString, program);
        QFETCH(bool, inProgramFolder);
        ModLexoria::InitSettings();
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("programma")));
        const QString programFolder = dir.filePath(program);
        const QString documents = dir.filePath(QStringLiteral("Documenti/nuova"));
        const QString chosen = ModLexoria::GuideFileName(programFolder, documents);
        QCOMPARE(chosen, (inProgramFolder ? programFolder : documents) + QStringLiteral("/Lexoria-guida.odt"));
        QVERIFY(!QFileInfo::exists(documents)); // only a save makes the folder
    }
    void guideFileReadOnlyProgramFolder()
    {
        ModLexoria::InitSettings();
        const ObeyFilePermissions asAnOrdinaryUser; // root too meets the read-only folder
        QTemporaryDir dir;
        const QString programFolder = dir.filePath(QStringLiteral("lexoria"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("lexoria")));
        QVERIFY(QFile::setPermissions(programFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                         QFileDevice::ReadOther | QFileDevice::ExeOther));
        const QString documents = dir.filePath(QStringLiteral("Documenti"));
        QCOMPARE(ModLexoria::GuideFileName(programFolder, documents), documents + QStringLiteral("/Lexoria-guida.odt"));
        QFile::setPermissions(programFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void standardButtonsSpeakItalian()
    {
        QVERIFY(Dialogs::installItalianTranslations());
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("x"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Sì"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("No"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Annulla"));
    }

    void carriageReturnsSeparateLines()
    {
        QCOMPARE(Dialogs::displayText(QStringLiteral("- uno;\r- due.")), QStringLiteral("- uno;\n- due."));
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
