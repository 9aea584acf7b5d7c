// The information, support and catalogue windows, and the price-list reader.

#include "info/infowindows.h"
#include "info/pricelist.h"
#include "info/prodotti.h"
#include "shell/fonts.h"
#include "shell/maker.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"
#include "tests/support/accessibility.h"
#include "tests/support/faultenv.h"
#include "tests/support/guitest.h"
#include "tests/support/richtextprobe.h"
#include "tests/support/scripteddialogs.h"

#include <QDir>
#include <QStringEncoder>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <optional>

namespace {

// A row named after each of the three windows, in the column "window".
void addRowPerWindow()
{
    QTest::addColumn<QString>("window");
    for (const char* window : {"informa", "supportoclienti", "prodotti"})
        QTest::newRow(window) << QString::fromLatin1(window);
}

QString text(const QWidget* window, const QString& label)
{
    const auto* l = window->findChild<QLabel*>(label);
    return l ? l->text() : QStringLiteral("<no %1>").arg(label);
}

QStringList labelTexts(const QWidget* window)
{
    QStringList texts;
    for (const QLabel* l : window->findChildren<QLabel*>())
        texts << l->objectName() + QLatin1Char('=') + l->text();
    return texts;
}

void click(QWidget* window, const QString& button)
{
    auto* b = window->findChild<QPushButton*>(button);
    QVERIFY2(b, qPrintable(button));
    QTest::mouseClick(b, Qt::LeftButton);
}

// "Prog k" with subject "argomento k", list price 100 + k and offer price k + 0.5.
QByteArray recordLine(int k)
{
    return QStringLiteral("\"Prog %1\",\"argomento %1\",%2,%3.5\n").arg(k).arg(100 + k).arg(k).toUtf8();
}

QByteArray priceList(int declared, int records)
{
    QByteArray file = "\"2011\"\n" + QByteArray::number(declared) + "\n";
    for (int k = 1; k <= records; ++k)
        file += recordLine(k);
    return file;
}

// The same text in UTF-16 (little endian) with its byte-order mark, as Windows Notepad saves "Unicode".
QByteArray utf16(const QByteArray& utf8)
{
    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return encoder.encode(QString::fromUtf8(utf8));
}

QList<int> range(int from, int to)
{
    QList<int> ids;
    for (int k = from; k <= to; ++k)
        ids << k;
    return ids;
}

// The numbers k of the "Prog k" records, in order; -1 for anything else.
QList<int> idsOf(const PriceList& list)
{
    QList<int> ids;
    for (const PriceRecord& r : list.records) {
        const int k = r.name.section(QLatin1Char(' '), 1).toInt();
        const bool whole = r.name == QStringLiteral("Prog %1").arg(k) && r.subject == QStringLiteral("argomento %1").arg(k)
                        && r.listPrice == 100 + k && r.offerPrice == k + 0.5;
        ids << (whole ? k : -1);
    }
    return ids;
}

// A price list whose heading, first name and subject, and fifth list price are `text`.
QByteArray priceListCarrying(const QString& text)
{
    QByteArray file = priceList(12, 12);
    const QByteArray item = text.toUtf8();
    file.replace("\"2011\"", "\"" + item + "\"");
    file.replace("\"Prog 1\",\"argomento 1\"", "\"" + item + "\",\"" + item + "\"");
    file.replace("105,5.5", item + ",5.5");
    return file;
}

} // namespace

class TestInfo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Fonts::installSubstitutions();
        QVERIFY(dir_.isValid());
        previousDir_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_.path())); // "listino.txt" is read from here
    }
    void cleanupTestCase() { QDir::setCurrent(previousDir_); }
    void init()
    {
        settings_.emplace();
        ModLexoria::InitSettings();
        registerInfoWindows(registry());
    }
    void cleanup()
    {
        resetWindows();
        QFile::remove(PriceList::FileName);
        settings_.reset();
    }

    void informaTexts_data()
    {
        QTest::addColumn<QString>("releaseDate");
        QTest::addColumn<QString>("closingYear");
        QTest::addColumn<QString>("edition");
        QTest::newRow("delivered") << "19/03/2001" << "281211"
                                   << "edizione professionale - versione 2.05.05   2001- 2011";
        QTest::newRow("other years") << "1/9/1998" << "311205" << "edizione professionale - versione 2.05.05   1998- 2005";
    }
    void informaTexts()
    {
        QFETCH(QString, releaseDate);
        QFETCH(QString, closingYear);
        QFETCH(QString, edition);
        ModLexoria::Settings().releaseDate = releaseDate;
        ModLexoria::Settings().closingYearText = closingYear;
        QWidget* w = registry().show(QStringLiteral("informa"));
        QVERIFY(w);
        QCOMPARE(text(w, "Label6"), edition);
        QCOMPARE(w->windowTitle(), QStringLiteral("Informazioni su Lexoria"));
        QCOMPARE(text(w, "Label1"), QStringLiteral("Lexoria"));
        QCOMPARE(text(w, "Label2"), QStringLiteral("massime sull'edilizia"));
        QCOMPARE(text(w, "label7"), Maker::MusicCredit);
        QCOMPARE(text(w, "Label4"), Maker::LegalNotice);
        QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!w->windowIcon().isNull());
    }

    void supportTexts()
    {
        QWidget* w = registry().show(QStringLiteral("supportoclienti"));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Servizi di supporto ai clienti"));
        QCOMPARE(text(w, "Label6"), QStringLiteral("dal ") + Maker::FoundingYear);
        QCOMPARE(text(w, "Label3"), QStringLiteral("tel.%1     fax %2     e-mail: ").arg(Maker::Telephone, Maker::Fax));
        QCOMPARE(text(w, "Label9"), Maker::Email);
        QCOMPARE(text(w, "Label10"), Maker::WebSite);
        QVERIFY(text(w, "Label4").endsWith(QStringLiteral("dal lunedì al venerdì escluso i festivi.")));
        QVERIFY(text(w, "Label5").contains(QStringLiteral("responsabile software ") + Maker::SoftwareManager
                                           + QStringLiteral(". Sono graditi i suggerimenti")));
        // The address stands to the right of the telephone line, not over it.
        const QRect phone = w->findChild<QLabel*>("Label3")->geometry();
        const QRect mail = w->findChild<QLabel*>("Label9")->geometry();
        QVERIFY(mail.left() > phone.right());
    }

    // OK only hides: the same window comes back, with the texts of its one load step.
    void okHidesAndKeepsTheWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("ok");
        QTest::newRow("informa") << "informa" << "cmdOK";
        QTest::newRow("supportoclienti") << "supportoclienti" << "Command1";
        QTest::newRow("prodotti") << "prodotti" << "cmdchiudi";
    }
    void okHidesAndKeepsTheWindow()
    {
        QFETCH(QString, window);
        QFETCH(QString, ok);
        QWidget* w = registry().show(window);
        QCOMPARE(registry().show(window), w);
        int shown = 0;
        for (const QWidget* top : QApplication::topLevelWidgets())
            shown += top->objectName() == window && top->isVisible();
        QCOMPARE(shown, 1);

        const QStringList before = labelTexts(w);
        click(w, ok);
        QVERIFY(!w->isVisible());
        QVERIFY(registry().isLoaded(window));
        // A second load step would pick these up.
        ModLexoria::Settings().programName = QStringLiteral("Altro");
        ModLexoria::Settings().versionText = QStringLiteral("9.99");
        QFile file(PriceList::FileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(priceList(12, 12));
        file.close();

        QCOMPARE(registry().show(window), w);
        QVERIFY(w->isVisible());
        QCOMPARE(labelTexts(w), before);
    }

    // What a screen reader reads: every label its current text; the catalogue's
    // note says what is wrong, with the problems as its description.
    void labelsSpeakTheirText_data()
    {
        addRowPerWindow();
    }
    void labelsSpeakTheirText()
    {
        QFETCH(QString, window);
        QFile file(PriceList::FileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(priceList(3, 3));
        file.close();
        QWidget* w = registry().show(window);
        QCOMPARE(Accessibility::labelsNotSpeakingTheirText(w), QStringList());
        if (auto* catalogue = qobject_cast<prodotti*>(w)) {
            auto* note = catalogue->findChild<QLabel*>(QStringLiteral("avviso"));
            QCOMPARE(Accessibility::name(note), catalogue->problemLine());
            QVERIFY(!catalogue->problemLine().isEmpty());
            QCOMPARE(Accessibility::description(note), note->toolTip());
        }
    }

    // Every one-line text fits its control, and every control lies inside its window.
    void nothingCutOff_data()
    {
        addRowPerWindow();
    }
    void nothingCutOff()
    {
        QFETCH(QString, window);
        QFile::copy(QStringLiteral(LEXORIA_SOURCE_DIR "/assets/listino.txt"), PriceList::FileName);
        QWidget* w = registry().show(window);
        for (const QWidget* child : w->findChildren<QWidget*>()) {
            if (child->parentWidget() != w)
                continue;
            QVERIFY2(w->rect().contains(child->geometry()), qPrintable(child->objectName()));
            QString shown;
            if (const auto* l = qobject_cast<const QLabel*>(child); l && !l->wordWrap())
                shown = l->text();
            if (const auto* b = qobject_cast<const QPushButton*>(child))
                shown = b->text().remove(QLatin1Char('&')) + QStringLiteral("MM"); // room for the bevel
            QVERIFY2(child->fontMetrics().horizontalAdvance(shown) <= child->width(),
                     qPrintable(child->objectName() + QStringLiteral(": ") + shown));
        }
    }

    void shippedPriceList()
    {
        const PriceList list = PriceList::read(QStringLiteral(LEXORIA_SOURCE_DIR "/assets/listino.txt"));
        QCOMPARE(list.problems, QStringList());
        QVERIFY(list.records.size() >= 10 && list.records.size() <= PriceList::MaxRecords);
        QVERIFY(!list.heading.isEmpty());
    }

    // What the catalogue window makes of good and bad price lists: the records it
    // shows and the line that says what is wrong.
    void priceLists_data()
    {
        QTest::addColumn<QByteArray>("file"); // a null array: no file at all
        QTest::addColumn<QList<int>>("shown");
        QTest::addColumn<QString>("problem");

        const QString none;
        QTest::newRow("sound") << priceList(12, 12) << range(1, 12) << none;
        QTest::newRow("CRLF") << priceList(12, 12).replace("\n", "\r\n") << range(1, 12) << none;
        QTest::newRow("one item a line") << priceList(10, 10).replace(",", "\n") << range(1, 10) << none;
        QTest::newRow("fewer than ten") << priceList(3, 3) << range(1, 3)
                                        << "listino.txt: solo 3 programmi nel listino (ne sono previsti almeno 10)";
        QTest::newRow("missing") << QByteArray() << QList<int>()
                                 << "listino.txt: file non trovato nella cartella corrente né in quella del programma";
        QTest::newRow("empty") << QByteArray("") << QList<int>() << "listino.txt: file vuoto";
        QTest::newRow("binary") << QByteArray("\"2011\"\n12\n\0\x01\x02", 13) << QList<int>()
                                << "listino.txt: non è un file di testo";
        QTest::newRow("more than 100") << priceList(120, 120) << range(1, 100)
                                       << "listino.txt, riga 2: il listino dichiara 120 programmi, al massimo 100: "
                                          "mostrati i primi 100";
        QTest::newRow("count above items") << priceList(12, 11) << range(1, 11)
                                           << "listino.txt, riga 2: dichiarati 12 programmi, letti 11";
        QTest::newRow("count below items")
            << priceList(10, 12) << range(1, 10)
            << "listino.txt, riga 13: il listino dichiara 10 programmi: le voci da qui in poi sono ignorate";
        QTest::newRow("count not a number") << priceList(12, 12).replace("\n12\n", "\ndodici\n") << range(1, 12)
                                            << "listino.txt, riga 2: numero dei programmi non valido (\"dodici\")";
        QTest::newRow("no count") << QByteArray("\"2011\"\n") << QList<int>()
                                  << "listino.txt, riga 1: manca il numero dei programmi";

        QList<int> without5 = range(1, 12);
        without5.removeAll(5);
        QTest::newRow("price not a number")
            << priceList(12, 12).replace("105,5.5", "105,cinque") << without5
            << "listino.txt, riga 7: prezzo non numerico (\"cinque\") (e un altro problema)";
        QTest::newRow("decimal comma") << priceList(12, 12).replace("105,5.5", "105,5,50") << without5
                                       << "listino.txt, riga 7: più di 4 voci per programma (una virgola di troppo "
                                          "nel testo o nel prezzo?) (e un altro problema)";
        QTest::newRow("price missing") << priceList(12, 12).replace(",105,5.5", ",105") << without5
                                       << "listino.txt, riga 7: mancano voci (attese 4 per programma: nome, "
                                          "argomento, due prezzi) (e un altro problema)";
        QTest::newRow("quote left open") << priceList(12, 12).replace("\"argomento 5\"", "\"argomento 5") << without5
                                         << "listino.txt, riga 7: virgolette non chiuse (e un altro problema)";
        QTest::newRow("quote left open at the end")
            << priceList(12, 12).replace("\"argomento 12\"", "\"argomento 12") << range(1, 11)
            << "listino.txt, riga 14: virgolette non chiuse (e un altro problema)";
        // Items are separated by commas or line breaks: a record may be split over lines.
        QTest::newRow("records split over lines") << priceList(12, 12).replace("\",1", "\"\n1") << range(1, 12) << none;
        QTest::newRow("name alone on its line")
            << priceList(12, 12).replace("\",\"argomento", "\"\n\"argomento") << range(1, 12) << none;
        QTest::newRow("all on one line") << priceList(12, 12).replace("\n", ",") << range(1, 12) << none;
        QTest::newRow("UTF-16 with byte-order mark") << utf16(priceList(12, 12)) << range(1, 12) << none;
        QTest::newRow("10 MB on one line")
            << priceList(12, 12).replace("\n", ",") + QByteArray("\"altro\",\"altro\",1,2,").repeated(500000)
            << range(1, 12)
            << "listino.txt: file troppo grande (oltre 1 MB), letta solo la parte iniziale (e un altro problema)";
        QTest::newRow("10 MB in one item") << "\"" + QByteArray(10 * 1024 * 1024, 'x') << QList<int>()
                                           << "listino.txt: file troppo grande (oltre 1 MB): nel primo MB non finisce "
                                              "nessuna voce, nessun programma letto";
        QTest::newRow("10 MB") << priceList(12, 12) + QByteArray("\"altro\",\"altro\",1,2\n").repeated(500000)
                               << range(1, 12)
                               << "listino.txt: file troppo grande (oltre 1 MB), letta solo la parte iniziale (e un "
                                  "altro problema)";
    }
    void priceLists()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, shown);
        QFETCH(QString, problem);
        if (!file.isNull()) {
            QFile f(PriceList::FileName);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file);
        }
        auto* w = qobject_cast<prodotti*>(registry().show(QStringLiteral("prodotti")));
        QVERIFY(w);
        QCOMPARE(idsOf(w->priceList()), shown);
        QCOMPARE(w->problemLine(), problem);

        auto* bar = w->findChild<QScrollBar*>("VScroll1");
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), qMax(1, int(shown.size()) - 9));
        for (int row = 1; row <= prodotti::GridRows; ++row) {
            const bool filled = row <= shown.size();
            QCOMPARE(text(w, QStringLiteral("num_%1").arg(row)), filled ? QString::number(row) : QString());
            QCOMPARE(text(w, QStringLiteral("nom_%1").arg(row)),
                     filled ? QStringLiteral("Prog %1").arg(shown[row - 1]) : QString());
        }
    }

    // A price list of about 1 MB with a fault on every line: the window keeps a few
    // problems and a count of the rest, in its note and in the note's tooltip, so
    // resting the mouse on the note shows a short text at once.
    void manyFaultsShowAFew()
    {
        QByteArray file = "\"2011\"\n100\n";
        while (file.size() < PriceList::MaxFileBytes - 2)
            file += "x\n"; // a price that is no number, on every line
        {
            QFile f(PriceList::FileName);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file);
        }
        const PriceList list = PriceList::load();
        QVERIFY(list.problems.size() <= PriceList::KeptProblems);
        QVERIFY2(list.problemCount() > 100000, qPrintable(QString::number(list.problemCount())));

        auto* w = qobject_cast<prodotti*>(registry().show(QStringLiteral("prodotti")));
        QVERIFY(w);
        QVERIFY(w->priceList().records.isEmpty());
        const QString more = QStringLiteral("e altri %1 problemi").arg(list.problemCount() - 1);
        QVERIFY2(w->problemLine().endsWith(QStringLiteral("(") + more + QStringLiteral(")")), qPrintable(w->problemLine()));
        const QString tip = w->findChild<QLabel*>(QStringLiteral("avviso"))->toolTip();
        const QStringList lines = tip.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), PriceList::KeptProblems + 1);
        QCOMPARE(lines.mid(0, PriceList::KeptProblems), list.problems);
        QCOMPARE(lines.last(), QStringLiteral("... e altri %1 problemi").arg(list.moreProblems));
    }

    // Something that cannot be read in place of the price list is reported as such, never waited on.
    void unreadablePriceList_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::newRow("folder") << "folder" << "listino.txt: impossibile leggere il file (al suo posto c'è una cartella)";
        QTest::newRow("FIFO") << "fifo" << "listino.txt: impossibile leggere il file (non è un file ordinario)";
    }
    void unreadablePriceList()
    {
        QFETCH(QString, kind);
        QFETCH(QString, problem);
        QVERIFY(plant(PriceList::FileName, kind == QLatin1String("folder") ? Planted::Folder : Planted::Fifo));
        const PriceList list = PriceList::load();
        QDir().rmdir(PriceList::FileName);
        QFile::remove(PriceList::FileName);
        QCOMPARE(list.problems, QStringList{problem});
        QVERIFY(list.records.isEmpty());
    }

    // Whatever the price list holds is shown as written, never as rich text: an
    // image from an endless device or from a FIFO nobody writes would load for
    // ever. With the FIFO the window is really painted and its tooltips shown
    // while a watch stands by it; nothing may open it.
    void fileTextStaysPlain_data()
    {
        QTest::addColumn<QString>("source"); // the image's file; "FIFO": a FIFO made here
        QTest::newRow("endless device") << "/dev/zero";
        QTest::newRow("FIFO") << "FIFO";
    }
    void fileTextStaysPlain()
    {
        QFETCH(QString, source);
        const QString fifo = dir_.filePath(QStringLiteral("immagine"));
        FifoWatch watch(fifo);
        QVERIFY(watch.made());
        const bool render = source == QLatin1String("FIFO");
        if (render)
            source = fifo;
        const QString image = QStringLiteral("<img src=") + source + QLatin1Char('>');

        // Harmless markup first: the image is shown only once that reads as written.
        for (const QString& carried : {QStringLiteral("<b>grassetto</b>"), image}) {
            resetWindows();
            registerInfoWindows(registry());
            {
                QFile f(PriceList::FileName);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(priceListCarrying(carried));
            }
            auto* w = qobject_cast<prodotti*>(registry().show(QStringLiteral("prodotti")));
            QVERIFY(w);
            const PriceList& list = w->priceList();
            QCOMPARE(list.heading, carried);
            QCOMPARE(list.records.value(0).name, carried);
            QVERIFY2(list.problemDetails().contains(carried.left(5)), qPrintable(list.problemDetails()));

            struct Shown {
                const char* control;
                QString label; // the label's text, as read
                QString toolTip; // null: none
            };
            const Shown places[] = {
                {"Label10", text(w, "Label10"), list.heading},
                {"nom_1", carried, {}},
                {"argom_1", carried, {}},
                {"avviso", list.problemSummary(), list.problemDetails()},
            };
            for (const Shown& place : places) {
                auto* l = w->findChild<QLabel*>(QString::fromLatin1(place.control));
                QVERIFY2(l, place.control);
                QStringList requested;
                QCOMPARE(l->text(), place.label);
                QCOMPARE(rendered(l->text(), l->textFormat(), &requested), place.label);
                if (!place.toolTip.isNull())
                    QCOMPARE(rendered(l->toolTip(), Qt::AutoText, &requested), place.toolTip);
                QVERIFY2(requested.isEmpty(),
                         qPrintable(QString::fromLatin1(place.control) + QLatin1String(": ")
                                    + requested.join(QLatin1Char(' '))));
                if (render) {
                    hover(l);
                    QToolTip::hideText();
                }
            }
            // A screen reader hears the problems as written, not their markup.
            auto* note = w->findChild<QLabel*>(QStringLiteral("avviso"));
            QCOMPARE(Accessibility::name(note), list.problemSummary());
            QCOMPARE(Accessibility::description(note), list.problemDetails());
            if (render) {
                QVERIFY(QTest::qWaitForWindowExposed(w));
                (void)w->grab();
            }
        }
        QCOMPARE(watch.stop(), 0);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("Windows-1252, CR LF") << QByteArray("2011\r\n1\r\nComputa,\"contabilit\xe0, perch\xe9\",320,270.25\r\n");
        QTest::newRow("UTF-8 with BOM, LF")
            << QByteArray("\xef\xbb\xbf\"2011\"\n1\nComputa,\"contabilit\xc3\xa0, perch\xc3\xa9\",320,270.25\n");
    }
    void encodings()
    {
        QFETCH(QByteArray, file);
        const PriceList list = PriceList::parse(file);
        // Only the note on the short list: the text itself reads without a fault.
        QCOMPARE(list.problems,
                 QStringList{QStringLiteral("listino.txt: solo 1 programma nel listino (ne sono previsti almeno 10)")});
        QCOMPARE(list.heading, QStringLiteral("2011"));
        QCOMPARE(list.records, (QList<PriceRecord>{{"Computa", QStringLiteral("contabilità, perché"), 320, 270.25}}));
    }

    // The grid shows ten records from the scroll bar's value; the bar reaches the last ten.
    void grid_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("maximum");
        QTest::newRow("25 at the top") << 25 << 1 << 16;
        QTest::newRow("25 at the end") << 25 << 16 << 16;
        QTest::newRow("25 past the end") << 25 << 40 << 16;
        QTest::newRow("exactly ten") << 10 << 1 << 1;
    }
    void grid()
    {
        QFETCH(int, records);
        QFETCH(int, value);
        QFETCH(int, maximum);
        QFile f(PriceList::FileName);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(priceList(records, records));
        f.close();
        auto* w = qobject_cast<prodotti*>(registry().show(QStringLiteral("prodotti")));
        auto* bar = w->findChild<QScrollBar*>("VScroll1");
        QCOMPARE(bar->maximum(), maximum);
        bar->setValue(value);
        const int top = qMin(value, maximum);
        QCOMPARE(w->topRow(), top);
        for (int row = 1; row <= prodotti::GridRows; ++row) {
            const int k = top + row - 1;
            QCOMPARE(text(w, QStringLiteral("num_%1").arg(row)), QString::number(k));
            QCOMPARE(text(w, QStringLiteral("nom_%1").arg(row)), QStringLiteral("Prog %1").arg(k));
            QCOMPARE(text(w, QStringLiteral("argom_%1").arg(row)), QStringLiteral("argomento %1").arg(k));
            QCOMPARE(text(w, QStringLiteral("eur_%1").arg(row)), PriceList::plainNumber(100 + k));
            QCOMPARE(text(w, QStringLiteral("off_%1").arg(row)), PriceList::plainNumber(k + 0.5));
        }
    }

    void reopeningKeepsThePosition()
    {
        QFile f(PriceList::FileName);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(priceList(25, 25));
        f.close();
        QWidget* w = registry().show(QStringLiteral("prodotti"));
        w->findChild<QScrollBar*>("VScroll1")->setValue(7);
        click(w, QStringLiteral("cmdchiudi"));
        QVERIFY(QFile::remove(PriceList::FileName));
        QCOMPARE(registry().show(QStringLiteral("prodotti")), w);
        QCOMPARE(text(w, "num_1"), QStringLiteral("7"));
        QCOMPARE(text(w, "Label10"), QStringLiteral("2011"));
        QCOMPARE(ModLexoria::Settings().priceListHeading, QStringLiteral("2011"));
    }

    void links_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QUrl>("url");
        QTest::newRow("catalogue") << "Command1" << QUrl(Maker::CataloguePage);
        QTest::newRow("e-mail") << "Command2" << QUrl(QStringLiteral("mailto:") + Maker::Email);
    }
    void links()
    {
        QFETCH(QString, button);
        QFETCH(QUrl, url);
        QList<QUrl> opened;
        ModLexoria::setOpenUrlHandler([&](const QUrl& u) {
            opened << u;
            return true;
        });
        click(registry().show(QStringLiteral("prodotti")), button);
        QCOMPARE(opened, QList<QUrl>{url});
    }

    void printGetsWhatIsShown()
    {
        QFile f(PriceList::FileName);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(priceList(12, 11));
        f.close();
        QList<PriceList> printed;
        prodotti::setPrintHook([&](const PriceList& list) { printed << list; });
        auto* w = qobject_cast<prodotti*>(registry().show(QStringLiteral("prodotti")));
        click(w, QStringLiteral("cmdstampa"));
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed[0].records, w->priceList().records);
        QCOMPARE(idsOf(printed[0]), range(1, 11));
    }

    void printOfAnEmptyList()
    {
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Ok);
        bool printed = false;
        prodotti::setPrintHook([&](const PriceList&) { printed = true; });
        click(registry().show(QStringLiteral("prodotti")), QStringLiteral("cmdstampa")); // no file: nothing to print
        QVERIFY(!printed);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    }

private:
    QTemporaryDir dir_;
    QString previousDir_;
    std::optional<ProcessSettingsGuard> settings_; // from init() to cleanup()
};

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
