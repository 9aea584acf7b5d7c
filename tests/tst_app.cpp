// The program as main() wires it: every window registered, the exit sequence
// derived from the registrations, every print button connected to its export.

#include "app/wiring.h"
#include "export/presentation.h"
#include "export/wordautomation.h"
#include "help/helppages.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"
#include "tests/support/guitest.h"
#include "tests/support/scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

void click(QWidget* window, const char* button)
{
    auto* b = window->findChild<QPushButton*>(QLatin1String(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

// The export typed `text` (or a text that begins with it).
bool typed(const QString& text)
{
    const QString call = QStringLiteral("TypeText ") + WordApplication::recorded(text).chopped(1);
    for (const QString& c : WordApplication::recorder())
        if (c.startsWith(call))
            return true;
    return false;
}

} // namespace

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        // The catalogue reads its price list from the current directory.
        QFile list(folder_.filePath(QStringLiteral("listino.txt")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("\"2011\"\n1\n\"Lexoria\",\"massime sull'edilizia\",180,150\n");
        list.close();
        QVERIFY(QDir::setCurrent(folder_.path()));
    }
    void init()
    {
        settings_.emplace();
        Presentation::setMode(Presentation::Mode::Suppressed);
        WordApplication::setRecording(true);
        ModLexoria::InitSettings();
        Wiring::registerWindows(registry());
        Wiring::connectPrinting(registry());
    }
    void cleanup()
    {
        resetWindows();
        settings_.reset();
    }

    // The exit sequence closes the windows in this order; a window missing from
    // the registrations, or registered out of place, shows here.
    void exitSequenceOrder()
    {
        const QStringList expected = {
            "scelta", "edilizia", "urbanistica", "espropriazioni", "professionisti", "condominio", "enti", "imprese",
            "sommario", "manuale", "guidascelta", "guidaedilizia", "guidaurbanistica", "guidaespropriazioni",
            "guidaprofessionisti", "guidacondominio", "guidaenti", "guidaimprese", "guidastampa", "guidaarchivio",
            "guidafunzionamento", "frmTip", "licenza", "prodotti", "supportoclienti", "informa", "ricerca",
            "guidaricerca",
        };
        QCOMPARE(ModLexoria::ExitSequenceWindows(), expected);
    }

    // Whatever the user opened, Yes leaves the splash window alone as the closing screen.
    void exitLeavesOnlyTheSplash()
    {
        registry().show(QStringLiteral("frmSplash"));
        for (const QString& name : registry().registeredWindows())
            registry().show(name);
        QCOMPARE(registry().loadedWindows().size(), registry().registeredWindows().size());

        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Yes);
        ModLexoria::ConfirmExit();
        flushDeletes();
        QCOMPARE(registry().loadedWindows(), QStringList{QStringLiteral("frmSplash")});
    }

    // Every print button of the guide, the licence, the contents window and the
    // catalogue reaches its export.
    void printButtonsReachTheExport_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("expected"); // a text the export types
        for (const help::HelpPage& page : help::pages()) {
            const QString text = page.licence ? help::pageText(page.name).left(80)
                                              : QStringLiteral("Guida: ") + page.title + QStringLiteral("\r\r");
            QTest::newRow(qPrintable(page.name)) << page.name << "cmdStampa" << text;
        }
        QTest::newRow("sommario") << "sommario" << "cmdStampa" << "Guida: MANUALE D'USO RAPIDO\r\r";
        QTest::newRow("prodotti") << "prodotti" << "cmdstampa" << "";  // a table, checked below
    }
    void printButtonsReachTheExport()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(QString, expected);
        QWidget* w = registry().show(window);
        QVERIFY(w);
        ScriptedDialogs dialogs;
        if (window == QLatin1String("sommario"))
            dialogs.answerNext(QMessageBox::Ok); // where the guide was saved
        WordApplication::recorder().clear();
        click(w, qPrintable(button));
        QVERIFY2(WordApplication::recorder().contains(QStringLiteral("new Application")), qPrintable(window));
        const QString calls = WordApplication::recorder().join(QLatin1Char('\n'));
        if (!expected.isEmpty())
            QVERIFY2(typed(expected), qPrintable(calls.left(2000)));
        else
            QVERIFY2(calls.contains(QLatin1String("Cell(2, 2).Range.Text = \"Lexoria\"")), qPrintable(calls.left(2000)));
        QFile::remove(ModLexoria::GuideFileName());
    }

private:
    QTemporaryDir folder_;
    std::optional<ProcessSettingsGuard> settings_; // from init() to cleanup()
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
