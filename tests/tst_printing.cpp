// The documents the program prints, through a recording of the word-processor
// calls: the massime of a browser window, a help text, the whole guide and the
// price list.

#include "browser/browserwindow.h"
#include "export/exports.h"
#include "export/wordautomation.h"
#include "help/helppages.h"
#include "help/helpwindow.h"
#include "help/registerhelp.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"
#include "tests/support/corpusdata.h"
#include "tests/support/guitest.h"
#include "tests/support/scripteddialogs.h"

#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <optional>

namespace {

QString typed(const QString& text) { return QStringLiteral("TypeText ") + WordApplication::recorded(text); }

const QStringList Start = {QStringLiteral("new Application"), QStringLiteral("Visible = True"),
                           QStringLiteral("Documents.Add"), QStringLiteral("Font.Name = \"Century Gothic\"")};
const QStringList Finish = {QStringLiteral("Document.Select"), QStringLiteral("ParagraphFormat.Alignment = 3")};

QStringList massimeHeading()
{
    return {QStringLiteral("Font.Size = 18"), typed(QStringLiteral("LEXORIA - massime sull'edilizia\r\r")),
            QStringLiteral("Font.Size = 12")};
}

QStringList guideHeading()
{
    return {QStringLiteral("Font.Size = 20"), typed(QStringLiteral("Lexoria\r")), QStringLiteral("Font.Size = 16"),
            typed(QStringLiteral("massime sull'edilizia\r\r\r"))};
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

    BrowserWindow* condominio = nullptr;
    // The massime of topic 3 ("Abuso"): five in the delivered corpus.
    const int count_ = expectedCount(5, corpus::Archive::condominio, 3);
    std::optional<ProcessSettingsGuard> settings_; // from init() to cleanup()

    QString text(const char* name) { return control<QLabel>(condominio, name)->text(); }
    QScrollBar* bar() { return control<QScrollBar>(condominio, "HScroll1"); }
    QString heading(int n) const
    {
        return typed(QStringLiteral("Massime sul condominio: Abuso    n.%1\r").arg(n));
    }
    QString massima(int n) const { return typed(condominio->tables().Massima(3, n)); }

private slots:
    void initTestCase()
    {
        ModLexoria::InitSettings();
        WindowRegistry::instance().registerWindow(QStringLiteral("condominio"),
                                                  [] { return new BrowserWindow(corpus::Archive::condominio); });
    }
    void init()
    {
        settings_.emplace();
        Presentation::setMode(Presentation::Mode::Suppressed);
        WordApplication::setRecording(true);
        condominio = qobject_cast<BrowserWindow*>(WindowRegistry::instance().show(QStringLiteral("condominio")));
        control<QListWidget>(condominio, "List1")->setCurrentRow(2); // "Abuso"
        QCOMPARE(condominio->topicCount(), count_);
        WordApplication::recorder().clear();
    }
    void cleanup()
    {
        WindowRegistry::instance().unload(QStringLiteral("condominio"));
        settings_.reset();
    }

    void singleMassima()
    {
        bar()->setValue(2);
        condominio->stampa_Click();
        QCOMPARE(WordApplication::recorder(), (Start + massimeHeading() + QStringList{heading(2), massima(2)} + Finish));
        QCOMPARE(text("passo"), QStringLiteral("ho visualizzato il testo su WORD"));
        QCOMPARE(bar()->value(), 2);
        // The document: the heading, an empty paragraph, the heading line, the massima; all justified.
        QTextDocument& doc = WordApplication::latest()->ActiveDocument()->textDocument();
        QCOMPARE(doc.blockCount(), 4);
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    }

    void printAllFromTheSecond()
    {
        bar()->setValue(2);
        auto* sent = condominio->findChild<QPlainTextEdit*>(QStringLiteral("sent"));
        QSignalSpy refills(sent, &QPlainTextEdit::textChanged);
        condominio->stampatutte_Click();
        // The text box is filled once, with the end state, not once per massima printed.
        QCOMPARE(refills.count(), 1);
        QStringList expected = Start + massimeHeading();
        for (int n = 2; n <= count_; ++n) {
            expected << heading(n) << massima(n);
            if (n < count_)
                expected << typed(QStringLiteral("\r\f"));
        }
        QCOMPARE(WordApplication::recorder(), expected + Finish);
        QCOMPARE(bar()->value(), count_ + 1); // left one step past the last
        QCOMPARE(text("conta"), QString::number(count_ + 1));
        QCOMPARE(condominio->findChild<QPlainTextEdit*>(QStringLiteral("sent"))->toPlainText(),
                 BrowserWindow::endOfTopicNotice(condominio->archiveInfo()));
        QCOMPARE(condominio->printAll, 0);
        // One page a massima from the second: a page break before every heading line but the first.
        QTextDocument& doc = WordApplication::latest()->ActiveDocument()->textDocument();
        int breaks = 0;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            breaks += (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) ? 1 : 0;
        QCOMPARE(breaks, count_ - 2);
    }

    void printAllAtTheLast()
    {
        bar()->setValue(count_);
        condominio->stampatutte_Click();
        QCOMPARE(WordApplication::recorder(),
                 (Start + massimeHeading() + QStringList{heading(count_), massima(count_)} + Finish));
        QCOMPARE(bar()->value(), count_ + 1);
    }

    // A topic as full as the bar (P massime, which the corpus check refuses): the
    // bar cannot step past the last massima, and printing all still ends there.
    // Before the loop ended on the bar's maximum this test never returned.
    void printAllWhenTheTopicFillsTheBar()
    {
        bar()->setMaximum(condominio->topicCount());
        bar()->setValue(count_ - 1);
        condominio->stampatutte_Click();
        QCOMPARE(WordApplication::recorder(),
                 (Start + massimeHeading()
                  + QStringList{heading(count_ - 1), massima(count_ - 1), typed(QStringLiteral("\r\f")),
                                heading(count_), massima(count_)}
                  + Finish));
        QCOMPARE(bar()->value(), count_);
        QCOMPARE(condominio->printAll, 0);
    }

    // With the notice shown the heading line carries count + 1 and no massima follows.
    void whileTheNoticeIsShown_data()
    {
        QTest::addColumn<bool>("all");
        QTest::newRow("one") << false;
        QTest::newRow("all") << true;
    }
    void whileTheNoticeIsShown()
    {
        QFETCH(bool, all);
        bar()->setValue(count_ + 1);
        if (all)
            condominio->stampatutte_Click();
        else
            condominio->stampiamo_Click();
        QCOMPARE(WordApplication::recorder(),
                 (Start + massimeHeading() + QStringList{heading(count_ + 1), typed({})} + Finish));
    }

    void nothingToPrint()
    {
        WindowRegistry::instance().unload(QStringLiteral("condominio"));
        condominio = qobject_cast<BrowserWindow*>(WindowRegistry::instance().show(QStringLiteral("condominio")));
        const QString hint = text("passo");
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Ok);
        condominio->Toolbar1_ButtonClick(2);
        QCOMPARE(dialogs.messages.size(), 1);
        const Dialogs::MessageBoxRequest& box = dialogs.messages.first();
        QCOMPARE(box.text, QStringLiteral("Non vi è nulla da stampare: scegliere un argomento da visualizzare."));
        QCOMPARE(box.title, QStringLiteral("Lexoria: controllo dati immessi nella finestra attiva"));
        QCOMPARE(box.icon, Dialogs::Icon::Exclamation);
        QCOMPARE(box.buttons, QMessageBox::Ok);
        QVERIFY(!WordApplication::recorder().contains(QStringLiteral("new Application")));
        QCOMPARE(hint, QStringLiteral("scegliere l'argomento di cui si vuole visualizzare le massime disponibili"));
    }

    void helpText()
    {
        Exports::printHelpText({QStringLiteral("Lexoria"), QStringLiteral("massime sull'edilizia")},
                               QStringLiteral("FINESTRA ESPROPRIAZIONI"),
                               QStringLiteral("Questa finestra è in fase di aggiornamento."));
        const QStringList page = {typed(QStringLiteral("Guida: FINESTRA ESPROPRIAZIONI\r\r")),
                                  QStringLiteral("Font.Size = 12"),
                                  typed(QStringLiteral("Questa finestra è in fase di aggiornamento.\r"))};
        QCOMPARE(WordApplication::recorder(), Start + guideHeading() + page + Finish);
    }

    void wholeGuide()
    {
        registerHelpWindows(WindowRegistry::instance());
        const QList<Exports::GuidePage> pages = HelpWindow::readGuide();
        QTemporaryDir folder;
        QString savedAs;
        Exports::printWholeGuide({QStringLiteral("Lexoria"), QStringLiteral("massime sull'edilizia")}, pages,
                                 folder.filePath(QStringLiteral("Lexoria-guida.doc")), &savedAs);
        const QStringList calls = WordApplication::recorder();
        QStringList titles;
        for (const QString& call : calls)
            if (call.startsWith(QLatin1String("TypeText \"Guida: ")))
                titles << call;
        QCOMPARE(titles.size(), 12); // links 1 to 12; the tip, the licence and the catalogue are not in it
        QCOMPARE(titles.first(), typed(QStringLiteral("Guida: MANUALE D'USO RAPIDO\r\r")));
        QCOMPARE(titles.last(), typed(QStringLiteral("Guida: FINESTRA IMPRESE\r\r")));
        QCOMPARE(calls.mid(0, 8), Start + guideHeading());
        QCOMPARE(calls.at(8), titles.first()); // the first title still at 16 points
        QCOMPARE(calls.at(9), QStringLiteral("Font.Size = 12"));
        QCOMPARE(calls.count(QStringLiteral("Font.Size = 12")), 1);
        QCOMPARE(calls.filter(QStringLiteral("\\f")).size(), 11);
        const QStringList save = {QStringLiteral("SaveAs ")
                                  + WordApplication::recorded(folder.filePath(QStringLiteral("Lexoria-guida.doc")))};
        QCOMPARE(calls.mid(calls.size() - 3), Finish + save);
        QCOMPARE(savedAs, folder.filePath(QStringLiteral("Lexoria-guida.odt")));
        QVERIFY(QFileInfo(savedAs).size() > 0);
        WindowRegistry::instance().reset();
        WindowRegistry::instance().registerWindow(QStringLiteral("condominio"),
                                                  [] { return new BrowserWindow(corpus::Archive::condominio); });
    }

    void priceList()
    {
        const QList<Exports::PriceRow> rows = {{QStringLiteral("Condomini"), QStringLiteral("amministrazione"), 1234.5, 99},
                                               {QStringLiteral("Parcelle"), QStringLiteral("tariffe"), 0.5, 12000}};
        Exports::printPriceList(rows, QStringLiteral("https://www.velaria.example/acquista"),
                                QLocale(QLocale::Italian, QLocale::Italy));
        const QStringList calls = WordApplication::recorder();
        QVERIFY(calls.contains(QStringLiteral("Tables.Add(Bookmarks(\"\\\\endofdoc\").Range, 3, 5)"))
                || calls.filter(QStringLiteral("Tables.Add(")).first().endsWith(QLatin1String(", 3, 5)")));
        const auto cell = [&](int r, int c, const QString& value) {
            return calls.contains(QStringLiteral("Tables(1).Cell(%1, %2).Range.Text = ").arg(r).arg(c)
                                  + WordApplication::recorded(value));
        };
        QVERIFY(cell(1, 3, QStringLiteral("argomento trattato                    ")));
        QVERIFY(cell(2, 1, QStringLiteral(" 1")));
        QVERIFY(cell(3, 1, QStringLiteral(" 2")));
        QVERIFY(cell(2, 4, QStringLiteral("1.234,50")));
        QVERIFY(cell(2, 5, QStringLiteral("99,00")));
        QVERIFY(cell(3, 4, QStringLiteral("0,50")));
        QVERIFY(cell(3, 5, QStringLiteral("12.000,00")));
        QVERIFY(calls.contains(QStringLiteral("Tables(1).AutoFormat 9")));
        QCOMPARE(calls.filter(QStringLiteral("ParagraphFormat.Alignment = 2")).size(), 2);
        QVERIFY(!calls.contains(QStringLiteral("Document.Select")));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
