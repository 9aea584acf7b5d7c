// The on-line guide: the help windows and their texts, the licence terms, the
// contents window with its links, and the tip of the day with its file.

#include "help/frmtip.h"
#include "help/helppages.h"
#include "help/helpwindow.h"
#include "help/registerhelp.h"
#include "help/sommario.h"
#include "help/tipfile.h"
#include "shell/fonts.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"
#include "tests/support/accessibility.h"
#include "tests/support/faultenv.h"
#include "tests/support/guitest.h"
#include "tests/support/richtextprobe.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QScrollArea>
#include <QScrollBar>

#include <optional>

namespace {

int windowsNamed(const QString& name)
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += w->objectName() == name;
    return count;
}

QPushButton* button(QWidget* w, const QString& name) { return control<QPushButton>(w, name); }
QLabel* lbl(QWidget* w, int i) { return control<QLabel>(w, QStringLiteral("lbl_%1").arg(i)); }
QPushButton* puls(QWidget* w, int i) { return button(w, QStringLiteral("puls_%1").arg(i)); }
QString lf(QString text) { return text.replace(QLatin1Char('\r'), QLatin1Char('\n')); }

// The bytes of a string literal, embedded NUL bytes included, its terminating NUL left out.
template <std::size_t N> QByteArray bytes(const char (&literal)[N]) { return QByteArray(literal, N - 1); }

QList<int> boldLabels(QWidget* s)
{
    QList<int> bold;
    for (int i = 1; i <= sommario::linkCount(); ++i)
        if (lbl(s, i)->font().bold())
            bold.append(i);
    return bold;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int files_ = 0;
    std::optional<ProcessSettingsGuard> settings_; // from init() to cleanup()

    sommario* openSommario()
    {
        auto* s = qobject_cast<sommario*>(registry().show(QStringLiteral("sommario")));
        if (s && !QTest::qWaitForWindowExposed(s))
            qFatal("sommario not exposed");
        return s;
    }

    QString writeTipFile(const QByteArray& content)
    {
        const QString path = dir_.filePath(QStringLiteral("tips%1.txt").arg(++files_));
        if (!plant(path, Planted::File, content))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    frmTip* openTips(const QString& path)
    {
        registry().registerWindow(QStringLiteral("frmTip"), [path] { return new frmTip(path); });
        return qobject_cast<frmTip*>(registry().show(QStringLiteral("frmTip")));
    }

private slots:
    void initTestCase()
    {
        ModLexoria::InitSettings();
        Fonts::installSubstitutions();
        QVERIFY(dir_.isValid());
    }

    void init()
    {
        settings_.emplace();
        registerHelpWindows(registry());
        registerPageWindowsOutsideTheGuide(registry());
        // The catalogue belongs to another folder: a stand-in.
        registry().registerWindow(QStringLiteral("prodotti"), [] { return new QWidget; });
    }

    void cleanup()
    {
        resetWindows();
        settings_.reset();
    }

    // --- help windows ---

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("beginning");
        QTest::addColumn<int>("length");
        auto row = [](const char* name, const char* title, const char* beginning, int length) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(title) << QString::fromUtf8(beginning)
                                << length;
        };
        row("manuale", "MANUALE D'USO RAPIDO",
            "L'uso del programma LEXORIA, come per tutti gli altri di nostra produzione", 2181);
        row("guidafunzionamento", "FUNZIONAMENTO DEL PROGRAMMA",
            "LEXORIA è un programma che presenta qualche migliaio di massime", 1200);
        row("guidaarchivio", "ARCHIVIO DATI", "Il programma LEXORIA è un software di sola lettura", 1204);
        row("guidastampa", "COME STAMPARE", "E' possibile stampare ogni finestra della guida del programma", 1207);
        row("guidascelta", "FINESTRA MENU",
            "La finestra Menu è la prima che si visualizza lanciando il programma LEXORIA.", 1251);
        row("guidaedilizia", "FINESTRA EDILIZIA",
            "Le massime riportate nella finestra riguardante i temi dell'edilizia", 1265);
        row("guidaurbanistica", "FINESTRA URBANISTICA",
            "Gli argomenti trattati in questa finestra sono spesso similari a quelli del tema 'edilizia'.", 1265);
        row("guidaespropriazioni", "FINESTRA ESPROPRIAZIONI", "Questa finestra è in fase di aggiornamento.", 43);
        row("guidaprofessionisti", "FINESTRA PROFESSIONISTI",
            "La finestra dedicata ai professionisti è una delle più interessanti dell'intero pacchetto.", 1253);
        row("guidacondominio", "FINESTRA CONDOMINIO", "La sesta finestra del programma è di estrema utilità", 1198);
        row("guidaenti", "FINESTRA ENTI",
            "In questa finestra vengono visualizzate le massime riguardanti in modo specifico gli Enti", 1203);
        row("guidaimprese", "FINESTRA IMPRESE",
            "La finestra dedicata alle imprese, ma anche agli appalti ed al lavoro in genere", 1250);
        row("licenza", "", "Il programma installato viene concesso in licenza d'uso personale", 3238);
        row("guidaricerca", "FINESTRA RICERCA",
            "La finestra di ricerca trova le massime di tutti gli archivi mentre si scrive", 4986);
    }

    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, beginning);
        QFETCH(int, length);
        auto* w = qobject_cast<HelpWindow*>(registry().load(name));
        QVERIFY(w);
        const QString text = w->isLicence() ? w->licenceText() : w->helpText();
        QVERIFY2(text.startsWith(beginning), qPrintable(text.left(100)));
        QVERIFY2(qAbs(text.size() - length) <= length / 10, qPrintable(QString::number(text.size())));
        if (name == QLatin1String("guidaespropriazioni"))
            QCOMPARE(text, beginning);
        QCOMPARE(w->helpTitle(), title);

        // The whole text is in the window, nothing left out.
        const QString box = w->isLicence() ? QStringLiteral("Text1") : QStringLiteral("Label2");
        QCOMPARE(control<QTextEdit>(w, box)->toPlainText(), lf(text));
        if (!w->isLicence())
            QCOMPARE(control<QLabel>(w, QStringLiteral("Label1"))->text(), title);
        else
            QCOMPARE(control<QLabel>(w, QStringLiteral("Label2"))->text(), QStringLiteral("Lexoria"));
    }

    void helpChiudiUnloads()
    {
        QPointer<QWidget> w = registry().show(QStringLiteral("manuale"));
        QVERIFY(w);
        button(w, QStringLiteral("cmdchiudi"))->click();
        flushDeletes();
        QVERIFY(!registry().isLoaded(QStringLiteral("manuale")));
        QVERIFY(w.isNull());
    }

    void licenceChiudiHides()
    {
        sommario* s = openSommario();
        puls(s, 14)->click();
        QWidget* licence = registry().find(QStringLiteral("licenza"));
        QVERIFY(licence && licence->isVisible());
        button(licence, QStringLiteral("cmdchiudi"))->click();
        flushDeletes();
        QCOMPARE(registry().find(QStringLiteral("licenza")), licence);
        QVERIFY(!licence->isVisible());

        puls(s, 14)->click();
        QCOMPARE(registry().find(QStringLiteral("licenza")), licence);
        QVERIFY(licence->isVisible());
    }

    void sommarioTwiceLeavesOne()
    {
        QWidget* help = registry().show(QStringLiteral("guidaedilizia"));
        button(help, QStringLiteral("cmdSommario"))->click();
        QWidget* first = registry().find(QStringLiteral("sommario"));
        button(first, QStringLiteral("cmdchiudi"))->click(); // hides, stays loaded
        QVERIFY(!first->isVisible());
        button(help, QStringLiteral("cmdSommario"))->click();
        QCOMPARE(registry().find(QStringLiteral("sommario")), first);
        QCOMPARE(windowsNamed(QStringLiteral("sommario")), 1);
        QVERIFY(first->isVisible() && help->isVisible());
    }

    void printHooks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("help window") << QStringLiteral("guidaespropriazioni")
                                     << QStringList{QStringLiteral("FINESTRA ESPROPRIAZIONI"),
                                                    QStringLiteral("Questa finestra è in fase di aggiornamento.")};
        QTest::newRow("licence") << QStringLiteral("licenza") << QStringList{help::pageText(QStringLiteral("licenza"))};
    }

    void printHooks()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, printed);
        QList<QStringList> calls;
        HelpWindow::setTextPrinter([&](const QString& title, const QString& text) { calls.append({title, text}); });
        HelpWindow::setLicencePrinter([&](const QString& text) { calls.append({text}); });
        button(registry().show(name), QStringLiteral("cmdStampa"))->click();
        QCOMPARE(calls, QList<QStringList>{printed});
    }

    void wholeGuide()
    {
        int exports = 0;
        QList<HelpWindow::GuidePage> guide;
        sommario::setGuidePrinter([&] {
            ++exports;
            guide = HelpWindow::readGuide();
        });
        button(openSommario(), QStringLiteral("cmdStampa"))->click();
        QCOMPARE(exports, 1);
        QCOMPARE(guide.size(), 12);
        const QStringList names = help::guideWindows();
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(guide[i].title, help::page(names[i])->title);
            QCOMPARE(guide[i].text, help::pageText(names[i]));
            QWidget* w = registry().find(names[i]);
            QVERIFY(w && !w->isVisible()); // loaded to be read, never shown
        }
        QVERIFY(!registry().isLoaded(QStringLiteral("licenza")));
    }

    // The search window's page is a help window like the others, reached from
    // that window alone: no line of the contents window, no page of the whole guide.
    void searchPageOutsideTheGuide()
    {
        QVERIFY(!help::guideWindows().contains(ModLexoria::SearchHelpWindow));
        sommario* s = openSommario();
        for (QLabel* label : s->findChildren<QLabel*>())
            QVERIFY2(!label->text().contains(QStringLiteral("icerca")), qPrintable(label->text()));
        auto* page = qobject_cast<HelpWindow*>(registry().show(ModLexoria::SearchHelpWindow));
        QVERIFY(page && page->isVisible());
        QCOMPARE(page->windowTitle(), QStringLiteral("Guida in linea"));
    }

    // --- the contents window ---

    void links_data()
    {
        QTest::addColumn<int>("i");
        QTest::addColumn<QString>("window");
        const QStringList windows = help::guideWindows()
                                  + QStringList{QStringLiteral("frmTip"), QStringLiteral("licenza"),
                                                QStringLiteral("prodotti")};
        for (int i = 1; i <= 15; ++i)
            QTest::addRow("%d %s", i, qPrintable(windows[i - 1])) << i << windows[i - 1];
    }

    void links()
    {
        QFETCH(int, i);
        QFETCH(QString, window);
        sommario* s = openSommario();
        puls(s, i)->click();
        QWidget* opened = registry().find(window);
        QVERIFY(opened && opened->isVisible());
        // The label is a link to the same window, with any mouse button; still one window.
        QTest::mouseClick(lbl(s, i), Qt::RightButton);
        QCOMPARE(registry().find(window), opened);
        QCOMPARE(windowsNamed(window), 1);
        QVERIFY(s->isVisible());
    }

    void hoverMakesOneLabelBold()
    {
        sommario* s = openSommario();
        for (int i : {3, 14, 1, 15, 2}) {
            QLabel* label = lbl(s, i);
            QTest::mouseMove(label);
            QCOMPARE(boldLabels(s), QList<int>{i});
            // Bold, the caption still fits its box.
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        }
        QTest::mouseMove(s, QPoint(s->width() / 2, lbl(s, 4)->geometry().bottom() + 10)); // between the groups
        QCOMPARE(boldLabels(s), QList<int>{});
    }

    void pressedLabelLosesBorder()
    {
        sommario* s = openSommario();
        QLabel* label = lbl(s, 2);
        QTest::mousePress(label, Qt::LeftButton);
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
        QVERIFY(registry().isLoaded(QStringLiteral("guidafunzionamento")));
        QTest::mouseRelease(label, Qt::LeftButton);
        QCOMPARE(label->frameShape(), QFrame::Box);
    }

    void exitButtonAsksToLeave()
    {
        sommario* s = openSommario();
        QCOMPARE(button(s, QStringLiteral("cmduscita"))->toolTip(), QStringLiteral("cliccare pere uscire da Lexoria"));
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::No);
        button(s, QStringLiteral("cmduscita"))->click();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("Vuoi uscire da Lexoria?"));
        QVERIFY(s->isVisible());
    }

    // --- the tip of the day ---

    void tipCycle()
    {
        frmTip* t = openTips(writeTipFile("uno\r\ndue\r\ntre\r\n"));
        QCOMPARE(t->tipText(), QStringLiteral("uno"));
        QStringList seen;
        for (int k = 0; k < 3; ++k) {
            button(t, QStringLiteral("cmdNextTip"))->click();
            seen << t->tipText();
        }
        QCOMPARE(seen, (QStringList{QStringLiteral("due"), QStringLiteral("tre"), QStringLiteral("uno")}));
        button(t, QStringLiteral("cmdprecedente"))->click();
        QCOMPARE(t->tipText(), QStringLiteral("uno")); // no wrap backwards
        button(t, QStringLiteral("cmdNextTip"))->click();
        button(t, QStringLiteral("cmdNextTip"))->click();
        button(t, QStringLiteral("cmdprecedente"))->click();
        QCOMPARE(t->tipText(), QStringLiteral("due"));
    }

    // The tip is read out as it changes; its description says what it is.
    void tipSpeaksItsText()
    {
        frmTip* t = openTips(writeTipFile("uno\r\ndue\r\n"));
        auto* tip = control<QLabel>(t, QStringLiteral("lblTipText"));
        QCOMPARE(Accessibility::name(tip), QStringLiteral("uno"));
        button(t, QStringLiteral("cmdNextTip"))->click();
        QCOMPARE(Accessibility::name(tip), QStringLiteral("due"));
        QCOMPARE(Accessibility::description(tip), QStringLiteral("Suggerimento"));
        QCOMPARE(Accessibility::labelsNotSpeakingTheirText(t), QStringList());
        // The message of a missing file is read out too.
        resetWindows();
        t = openTips(dir_.filePath(QStringLiteral("nessuno.txt")));
        QCOMPARE(Accessibility::name(control<QLabel>(t, QStringLiteral("lblTipText"))), t->tipText());
    }

    // Every label of the help windows and the contents window reads its text.
    void labelsSpeakTheirText_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"sommario", "manuale", "licenza", "guidacondominio"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void labelsSpeakTheirText()
    {
        QFETCH(QString, name);
        QWidget* w = registry().show(name);
        QVERIFY(w);
        QCOMPARE(Accessibility::labelsNotSpeakingTheirText(w), QStringList());
    }

    void tipFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("tips");
        QTest::addColumn<QString>("shown"); // in place of a tip when there is none
        const QStringList accented{QStringLiteral("perché è così"), QStringLiteral("“citato” – 10 €")};
        QTest::newRow("LF, UTF-8") << QByteArray("perch\xc3\xa9 \xc3\xa8 cos\xc3\xac\n\xe2\x80\x9c"
                                                 "citato\xe2\x80\x9d \xe2\x80\x93 10 \xe2\x82\xac\n")
                                   << accented << QString();
        QTest::newRow("CRLF, UTF-8 with mark")
            << QByteArray("\xef\xbb\xbfperch\xc3\xa9 \xc3\xa8 cos\xc3\xac\r\n\xe2\x80\x9c"
                          "citato\xe2\x80\x9d \xe2\x80\x93 10 \xe2\x82\xac\r\n")
            << accented << QString();
        QTest::newRow("CRLF, Windows-1252") << QByteArray("perch\xe9 \xe8 cos\xec\r\n\x93"
                                                          "citato\x94 \x96 10 \x80\r\n")
                                            << accented << QString();
        QTest::newRow("LF, Windows-1252, no last line end") << QByteArray("perch\xe9 \xe8 cos\xec\n\x93"
                                                                          "citato\x94 \x96 10 \x80")
                                                            << accented << QString();
        QTest::newRow("UTF-16 with mark") << bytes("\xff\xfe" "a\0\r\0\n\0b\0")
                                          << QStringList{QStringLiteral("a"), QStringLiteral("b")} << QString();
        QTest::newRow("empty line") << QByteArray("a\r\n\r\nb\r\n")
                                    << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")} << QString();
        QTest::newRow("tab and control characters") << QByteArray("a\tb\x01\x7f\r\n")
                                                    << QStringList{QStringLiteral("a b")} << QString();
        QTest::newRow("empty file") << QByteArray() << QStringList{} << frmTip::noTipsMessage();
        QTest::newRow("binary") << bytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xd8\x93") << QStringList{}
                                << frmTip::notTextMessage();
        QByteArray noNul;
        for (int k = 0; k < 256; ++k)
            noNul.append(char(k % 255 + 1));
        QTest::newRow("binary without NUL bytes") << noNul << QStringList{} << frmTip::notTextMessage();
        QTest::newRow("UTF-16 binary") << bytes("\xff\xfe" "a\0\0\0b\0") << QStringList{} << frmTip::notTextMessage();
    }

    void tipFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, tips);
        QFETCH(QString, shown);
        frmTip* t = openTips(writeTipFile(content));
        QCOMPARE(t->tips(), tips);
        QCOMPARE(t->tipText(), tips.isEmpty() ? shown : tips.value(0));
        button(t, QStringLiteral("cmdNextTip"))->click();
        QCOMPARE(t->tipText(), tips.isEmpty() ? shown : tips.value(1 % int(tips.size())));
    }

    void missingTipFile()
    {
        frmTip* t = openTips(dir_.filePath(QStringLiteral("missing%1").arg(++files_)));
        const QString message = QStringLiteral(
            "Impossibile trovare il file SuggerimentiLexoria.TXT\r\n\r\nCreare un file di testo denominato "
            "SuggerimentiLexoria.TXT utilizzando il Blocco note e inserendo un suggerimento per ogni riga. "
            "Inserire il file nella stessa directory dell'applicazione. ");
        QCOMPARE(t->tipText(), message);
        button(t, QStringLiteral("cmdNextTip"))->click();
        button(t, QStringLiteral("cmdprecedente"))->click();
        QCOMPARE(t->tipText(), message);
    }

    // Something that cannot be read stands where the tip file should be: the
    // window says so (not that the file is missing) and never waits on it.
    void unreadableTipFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder of that name") << "folder" << "al suo posto c'è una cartella";
        QTest::newRow("a FIFO") << "fifo" << "non è un file ordinario";
        QTest::newRow("a symbolic link to itself") << "loop" << "collegamento simbolico circolare";
        QTest::newRow("no read permission") << "private" << "permesso di lettura negato";
    }
    void unreadableTipFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString path = dir_.filePath(QStringLiteral("unreadable%1").arg(++files_));
        if (kind == QLatin1String("folder")) {
            QVERIFY(plant(path, Planted::Folder));
        } else if (kind == QLatin1String("fifo")) {
            QVERIFY(plant(path, Planted::Fifo));
        } else if (kind == QLatin1String("loop")) {
            QVERIFY(QFile::link(path, path));
        } else {
            writeTipFile("uno\n");
            QVERIFY(QFile::rename(dir_.filePath(QStringLiteral("tips%1.txt").arg(files_)), path));
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        }
        const ObeyFilePermissions asAnOrdinaryUser; // root too meets the unreadable file
        frmTip* t = openTips(path);
        QVERIFY(t && t->isVisible());
        QCOMPARE(t->tipText(), frmTip::cannotReadMessage(reason));
        QVERIFY(t->tipText().startsWith(QStringLiteral("Impossibile leggere il file SuggerimentiLexoria.TXT (")));
        QVERIFY(t->tips().isEmpty());
    }

    // A tip is shown as written, never as rich text: an image from an endless
    // device or from a FIFO nobody writes would load for ever. With the FIFO the
    // window is really painted while a watch stands by it; nothing may open it.
    void tipStaysPlain_data()
    {
        QTest::addColumn<QString>("source"); // the image's file; "FIFO": a FIFO made here
        QTest::newRow("endless device") << "/dev/zero";
        QTest::newRow("FIFO") << "FIFO";
    }
    void tipStaysPlain()
    {
        QFETCH(QString, source);
        const QString fifo = dir_.filePath(QStringLiteral("immagine%1").arg(++files_));
        FifoWatch watch(fifo);
        QVERIFY(watch.made());
        const bool render = source == QLatin1String("FIFO");
        if (render)
            source = fifo;
        const QString image = QStringLiteral("<img src=") + source + QLatin1Char('>');

        // Harmless markup first: the image is shown only once that reads as written.
        for (const QString& carried : {QStringLiteral("<b>grassetto</b>"), image}) {
            resetWindows();
            const QStringList tips{carried, QStringLiteral("Vedi <i>") + carried + QStringLiteral("</i>")};
            frmTip* t = openTips(writeTipFile((tips.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()));
            QVERIFY(t);
            QLabel* label = control<QLabel>(t, QStringLiteral("lblTipText"));
            for (const QString& tip : tips) {
                QCOMPARE(t->tipText(), tip);
                QStringList requested;
                QCOMPARE(rendered(label->text(), label->textFormat(), &requested), tip);
                QCOMPARE(requested, QStringList());
                QCOMPARE(Accessibility::name(label), tip);
                if (render) {
                    QVERIFY(QTest::qWaitForWindowExposed(t));
                    (void)t->grab();
                }
                button(t, QStringLiteral("cmdNextTip"))->click();
            }
        }
        QCOMPARE(watch.stop(), 0);
    }

    // A tip too long for the box gets a scroll bar; the box keeps its size and place.
    void longTipScrolls()
    {
        frmTip* t = openTips(writeTipFile("breve\n" + QByteArray("Un suggerimento molto lungo. ").repeated(30) + "\n"));
        QVERIFY(QTest::qWaitForWindowExposed(t));
        auto* box = control<QScrollArea>(t, QStringLiteral("tipBox"));
        const QRect place = box->geometry();
        QCoreApplication::sendPostedEvents();
        QVERIFY(!box->verticalScrollBar()->isVisible());
        QCOMPARE(box->focusPolicy(), Qt::NoFocus);

        button(t, QStringLiteral("cmdNextTip"))->click();
        QCoreApplication::sendPostedEvents();
        QVERIFY(box->verticalScrollBar()->isVisible());
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
        QCOMPARE(box->geometry(), place);
        QCOMPARE(box->focusPolicy(), Qt::StrongFocus); // the arrow keys can scroll it
        QLabel* label = control<QLabel>(t, QStringLiteral("lblTipText"));
        QCOMPARE(label->text(), t->tips().at(1));
        // All of the text can be scrolled into view.
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
        QVERIFY(box->viewport()->height() + box->verticalScrollBar()->maximum() >= label->heightForWidth(label->width()));

        button(t, QStringLiteral("cmdNextTip"))->click(); // back to the short one
        QCoreApplication::sendPostedEvents();
        QVERIFY(!box->verticalScrollBar()->isVisible());
        QCOMPARE(box->geometry(), place);
    }

    void hugeTipFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("first");
        const QByteArray line = QByteArray("Suggerimento ") + QByteArray(86, 'x') + '\n';
        QTest::newRow("10 MB of lines") << line.repeated(10 * 1024 * 1024 / line.size()) << QString::fromLatin1(line.trimmed());
        QTest::newRow("10 MB in one line") << QByteArray(10 * 1024 * 1024, 'y')
                                           << QString(help::tipfile::MaxTipLength, QLatin1Char('y'));
        QTest::newRow("10 MB of binary") << QByteArray(10 * 1024 * 1024, '\0') << frmTip::notTextMessage();
    }

    void hugeTipFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, first);
        frmTip* t = openTips(writeTipFile(content));
        QVERIFY(t && t->isVisible());
        QCOMPARE(t->tipText(), first);
        QVERIFY(t->tips().size() <= help::tipfile::MaxTips);
    }

    void chiudiKeepsThePlace()
    {
        const QString path = writeTipFile("uno\ndue\ntre\n");
        frmTip* t = openTips(path);
        button(t, QStringLiteral("cmdNextTip"))->click();
        button(t, QStringLiteral("cmdOK"))->click();
        QVERIFY(!t->isVisible());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("altro\n"); // read once: a later edit counts from the next start
        file.close();
        QCOMPARE(registry().show(QStringLiteral("frmTip")), t);
        QCOMPARE(t->tipText(), QStringLiteral("due"));
        QCOMPARE(t->tips().size(), 3);
    }

    void shippedTipFile()
    {
        const QString source = QStringLiteral(LEXORIA_SOURCE_DIR "/assets/SuggerimentiLexoria.TXT");
        QFile file(source);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(content);
        QVERIFY(!utf8.hasError());

        // The build puts the same file beside the program.
        QFile copy(QStringLiteral(LEXORIA_BIN_DIR "/SuggerimentiLexoria.TXT"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), content);

        frmTip* t = openTips(source);
        QVERIFY(t->tips().size() >= 25);
        QLabel* label = control<QLabel>(t, QStringLiteral("lblTipText"));
        for (const QString& tip : t->tips()) {
            QVERIFY(!tip.trimmed().isEmpty());
            label->setText(tip);
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(tip)); // nothing cut off
        }
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
