// The word-processor layer: the calls recorded, the document they build, the
// OpenDocument file written from it, the ways a document reaches the user, the
// built-in document window, and the files as real LibreOffice lays them out.

#include "export/documentwindow.h"
#include "export/odfwriter.h"
#include "export/presentation.h"
#include "export/wordautomation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextTable>
#include <QTimer>
#include <QXmlStreamReader>

#include "export/exports.h"
#include "tests/support/faultenv.h"

#include <QMap>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <algorithm>
#include <csignal>
#include <memory>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

using Presentation::Route;

namespace {

// ---- the exports, as the program makes them ----

const QString Heading = QStringLiteral("LEXORIA - massime sull'edilizia");
const QString Topic = QStringLiteral("Permesso di costruire");

QString massima(int k)
{
    QString text = QStringLiteral("Massima dimostrativa numero %1, non giurisprudenza reale.").arg(k);
    for (int i = 0; i < 6; ++i)
        text += QStringLiteral(" Il titolo edilizio rilasciato in difformità dalle prescrizioni urbanistiche "
                               "vigenti è illegittimo e va annullato in via di autotutela.");
    return text;
}

QString headingLine(int k)
{
    return QStringLiteral("Massime sull'edilizia: ") + Topic + QStringLiteral("    n.") + QString::number(k);
}

// A browser window showing position `first` of a topic of `last` massime.
class TopicSource final : public Exports::MassimeSource {
public:
    TopicSource(int first, int last) : position_(first), last_(last) {}
    QString archiveHeading() const override { return QStringLiteral("Massime sull'edilizia: "); }
    QString topicTitle() const override { return Topic; }
    QString contaCaption() const override { return QString::number(position_); }
    QString massima(int position) const override { return position <= last_ ? ::massima(position) : QString(); }
    int topicCount() const override { return last_; }
    bool printAll() const override { return printsAll; }
    int barValue() const override { return position_; }
    void setBarValue(int value) override { position_ = qMin(value, last_ + 1); }
    void setHint(const QString&) override {}
    bool printsAll = false;

private:
    int position_;
    int last_;
};

// The massime of a topic from `first` to `last`, one a page, as the program prints them.
std::shared_ptr<WordApplication> printMassime(int first, int last)
{
    TopicSource source(first, last);
    source.printsAll = first < last;
    Exports::printMassime(source);
    return WordApplication::latest();
}

const QStringList GuideTitles = {
    QStringLiteral("MANUALE D'USO RAPIDO"),    QStringLiteral("FUNZIONAMENTO DEL PROGRAMMA"),
    QStringLiteral("ARCHIVIO DATI"),           QStringLiteral("COME STAMPARE"),
    QStringLiteral("FINESTRA MENU"),           QStringLiteral("FINESTRA EDILIZIA"),
    QStringLiteral("FINESTRA URBANISTICA"),    QStringLiteral("FINESTRA ESPROPRIAZIONI"),
    QStringLiteral("FINESTRA PROFESSIONISTI"), QStringLiteral("FINESTRA CONDOMINIO"),
    QStringLiteral("FINESTRA ENTI"),           QStringLiteral("FINESTRA IMPRESE")};

// The whole guide: twelve help texts, each further one on a new page, saved into `folder`.
std::shared_ptr<WordApplication> printGuide(const QString& folder)
{
    QList<Exports::GuidePage> pages;
    for (int i = 0; i < GuideTitles.size(); ++i)
        pages.append({GuideTitles[i], QStringLiteral("Testo della guida %1. ").arg(i + 1).repeated(12)});
    Exports::printWholeGuide({QStringLiteral("Lexoria"), QStringLiteral("massime sull'edilizia")}, pages,
                             folder + QStringLiteral("/Lexoria-guida.doc"), nullptr);
    return WordApplication::latest();
}

double listPrice(int k) { return 90.0 + 137.5 * (k % 11); }

// The price list as a table of n programs.
std::shared_ptr<WordApplication> printPriceList(int n)
{
    QList<Exports::PriceRow> rows;
    for (int k = 1; k <= n; ++k)
        rows.append({QStringLiteral("Programma %1").arg(k),
                     QStringLiteral("gestione delle pratiche edilizie, tipo %1").arg(k), listPrice(k),
                     listPrice(k) * 0.8});
    Exports::printPriceList(rows, QStringLiteral("http://www.example.it/compra.htm"),
                            QLocale(QLocale::Italian, QLocale::Italy));
    return WordApplication::latest();
}

QTextDocument& textOf(const std::shared_ptr<WordApplication>& app) { return app->Documents().Item(1)->textDocument(); }

QList<QTextBlock> outsideTables(const QTextDocument& doc)
{
    QList<QTextBlock> blocks;
    for (QTextBlock b = doc.firstBlock(); b.isValid(); b = b.next()) {
        if (!QTextCursor(b).currentTable())
            blocks.append(b);
    }
    return blocks;
}

// ---- a small reader for the written XML ----

struct Node {
    QString name;
    QHash<QString, QString> attributes;
    QList<Node> children;
    QString text; // character data directly inside

    QList<const Node*> all(const QString& wanted) const
    {
        QList<const Node*> found;
        for (const Node& child : children) {
            if (child.name == wanted)
                found.append(&child);
            found += child.all(wanted);
        }
        return found;
    }
    const Node* first(const QString& wanted) const
    {
        const QList<const Node*> found = all(wanted);
        return found.isEmpty() ? nullptr : found.first();
    }
    QString attr(const QString& key) const { return attributes.value(key); }
};

Node parseXml(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    Node root;
    QList<Node*> stack = {&root};
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            Node node;
            node.name = reader.qualifiedName().toString();
            for (const QXmlStreamAttribute& a : reader.attributes())
                node.attributes.insert(a.qualifiedName().toString(), a.value().toString());
            stack.last()->children.append(node);
            stack.append(&stack.last()->children.last());
        } else if (reader.isEndElement()) {
            stack.removeLast();
        } else if (reader.isCharacters()) {
            stack.last()->text += reader.text();
            Node chars;
            chars.name = QStringLiteral("#text");
            chars.text = reader.text().toString();
            stack.last()->children.append(chars);
        }
    }
    if (reader.hasError())
        qWarning() << "XML error" << reader.errorString();
    return root;
}

// A paragraph's text as the word processor reads it.
QString paragraphText(const Node& node)
{
    QString text;
    for (const Node& child : node.children) {
        if (child.name == QLatin1String("#text"))
            text += child.text;
        else if (child.name == QLatin1String("text:s"))
            text += QString(
                child.attr(QStringLiteral("text:c")).isEmpty() ? 1 : child.attr(QStringLiteral("text:c")).toInt(),
                QLatin1Char(' '));
        else if (child.name == QLatin1String("text:tab"))
            text += QLatin1Char('\t');
        else if (child.name == QLatin1String("text:span"))
            text += paragraphText(child);
    }
    return text;
}

struct OdfFile {
    Node root;
    QHash<QString, const Node*> styles; // automatic styles by name

    explicit OdfFile(const QByteArray& xml) : root(parseXml(xml))
    {
        for (const Node* s : root.all(QStringLiteral("style:style")))
            styles.insert(s->attr(QStringLiteral("style:name")), s);
    }
    OdfFile(const OdfFile&) = delete;

    // A property of the style `name`, e.g. ("P3", "style:paragraph-properties", "fo:text-align").
    QString property(const QString& name, const QString& element, const QString& attr) const
    {
        const Node* style = styles.value(name);
        const Node* props = style ? style->first(element) : nullptr;
        return props ? props->attr(attr) : QString();
    }
    QString paragraphProperty(const Node* p, const QString& attr) const
    {
        return property(p->attr(QStringLiteral("text:style-name")), QStringLiteral("style:paragraph-properties"), attr);
    }
    QString textProperty(const Node* p, const QString& attr) const
    {
        return property(p->attr(QStringLiteral("text:style-name")), QStringLiteral("style:text-properties"), attr);
    }
};

double centimetres(const QString& length) { return QString(length).remove(QStringLiteral("cm")).toDouble(); }

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Pages of a PDF written by Qt (no poppler needed).
int qtPdfPages(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))));
}

QList<DocumentWindow*> documentWindows()
{
    QList<DocumentWindow*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<DocumentWindow*>(w))
            windows.append(window);
    }
    return windows;
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QFont::insertSubstitution(QStringLiteral("Century Gothic"), QStringLiteral("URW Gothic"));
        QVERIFY(folder_.isValid());
        WordApplication::setRecording(true);
    }

    // The program never switches recording on: a long session of exports keeps
    // no record of its calls.
    void recordsOnlyWhenAsked()
    {
        WordApplication::setRecording(false);
        for (int i = 0; i < 100; ++i)
            Exports::printHelpText({QStringLiteral("Lexoria"), QStringLiteral("massime sull'edilizia")},
                                   QStringLiteral("COME STAMPARE"), QStringLiteral("Un testo di prova."));
        const bool empty = WordApplication::recorder().isEmpty();
        WordApplication::setRecording(true);
        QVERIFY(empty);
        Exports::printHelpText({QStringLiteral("Lexoria"), QStringLiteral("massime sull'edilizia")},
                               QStringLiteral("COME STAMPARE"), QStringLiteral("Un testo di prova."));
        QVERIFY(WordApplication::recorder().contains(QStringLiteral("new Application")));
    }

    void init()
    {
        WordApplication::recorder().clear();
        Presentation::setMode(Presentation::Mode::Suppressed);
        Presentation::setFinder({});
        Presentation::setDocumentFolder(folder_.filePath(QStringLiteral("documenti")));
        Presentation::setDocumentWindowHook({});
        Presentation::setHandoverHook({});
        Presentation::setHandoverTimeout(0);
    }

    void cleanup()
    {
        for (DocumentWindow* window : documentWindows()) {
            window->document()->setModified(false);
            window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void recordsTheCallsInOrder()
    {
        auto app = printMassime(4, 4);
        const QStringList expected = {
            QStringLiteral("new Application"),
            QStringLiteral("Visible = True"),
            QStringLiteral("Documents.Add"),
            QStringLiteral("Font.Name = \"Century Gothic\""),
            QStringLiteral("Font.Size = 18"),
            QStringLiteral("TypeText \"LEXORIA - massime sull'edilizia\\r\\r\""),
            QStringLiteral("Font.Size = 12"),
            QStringLiteral("TypeText \"") + headingLine(4) + QStringLiteral("\\r\""),
            QStringLiteral("TypeText \"") + massima(4) + QLatin1Char('"'),
            QStringLiteral("Document.Select"),
            QStringLiteral("ParagraphFormat.Alignment = 3"),
        };
        QCOMPARE(WordApplication::recorder(), expected);
        QCOMPARE(WordApplication::latest(), app);

        WordApplication::recorder().clear();
        printPriceList(2);
        const QStringList table = WordApplication::recorder().mid(8);
        QCOMPARE(table.mid(0, 4),
                 (QStringList{QStringLiteral("Content.Paragraphs.Add"),
                              QStringLiteral("Tables.Add(Bookmarks(\"\\endofdoc\").Range, 3, 5)"),
                              QStringLiteral("Tables(1).Range.Font.Size = 8"),
                              QStringLiteral("Tables(1).Cell(1, 1).Range.Text = \"numero\"")}));
        QVERIFY(table.contains(QStringLiteral("Tables(1).Cell(2, 1).Range.Text = \" 1\"")));
        QCOMPARE(
            table.mid(table.size() - 5),
            (QStringList{QStringLiteral("Tables(1).AutoFormat 9"), QStringLiteral("Tables(1).Columns(4).Select"),
                         QStringLiteral("ParagraphFormat.Alignment = 2"), QStringLiteral("Tables(1).Columns(5).Select"),
                         QStringLiteral("ParagraphFormat.Alignment = 2")}));
    }

    void buildsParagraphsPagesSizesAndJustification()
    {
        auto app = printMassime(1, 3);
        const QList<QTextBlock> blocks = outsideTables(textOf(app));
        struct Expected {
            QString text;
            double size;
            bool newPage;
        };
        const QList<Expected> expected = {
            {Heading, 18, false},       {QString(), 18, false},  {headingLine(1), 12, false}, {massima(1), 12, false},
            {headingLine(2), 12, true}, {massima(2), 12, false}, {headingLine(3), 12, true},  {massima(3), 12, false}};
        QCOMPARE(blocks.size(), expected.size());
        for (int i = 0; i < blocks.size(); ++i) {
            const QTextBlock& b = blocks[i];
            QCOMPARE(b.text(), expected[i].text);
            QCOMPARE(bool(b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore),
                     expected[i].newPage);
            QCOMPARE(b.blockFormat().alignment(), Qt::AlignJustify);
            // An empty paragraph keeps the size it was ended in, as its height shows.
            const QTextCharFormat format = b.text().isEmpty() ? b.charFormat() : b.begin().fragment().charFormat();
            QCOMPARE(format.fontPointSize(), expected[i].size);
            QCOMPARE(format.property(QTextFormat::FontFamilies).toStringList(),
                     QStringList{QStringLiteral("Century Gothic")});
        }
    }

    void typesControlCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("paragraphs"); // a leading '^' marks a new page
        QTest::newRow("13 ends a paragraph") << QStringLiteral("a\rb") << QStringList{"a", "b"};
        QTest::newRow("13 10 is one end") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("10 alone ends one too") << QStringLiteral("a\nb") << QStringList{"a", "b"};
        QTest::newRow("two ends leave an empty paragraph") << QStringLiteral("a\r\rb") << QStringList{"a", "", "b"};
        QTest::newRow("12 after text starts a page") << QStringLiteral("a\fb") << QStringList{"a", "^b"};
        QTest::newRow("12 in an empty paragraph") << QStringLiteral("a\r\fb") << QStringList{"a", "^b"};
        QTest::newRow("the paragraph after a new page") << QStringLiteral("a\r\fb\rc") << QStringList{"a", "^b", "c"};
        QTest::newRow("11 breaks the line") << QStringLiteral("a\vb") << QStringList{QStringLiteral("a\u2028b")};
        QTest::newRow("a tab stays") << QStringLiteral("a\tb") << QStringList{"a\tb"};
        QTest::newRow("other control characters go") << QStringLiteral("a\x01\x1b"
                                                                       "b")
                                                     << QStringList{"ab"};
    }
    void typesControlCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, paragraphs);
        auto app = WordApplication::create();
        app->Documents().Add();
        app->Selection().TypeText(typed);
        QStringList built;
        for (const QTextBlock& b : outsideTables(textOf(app)))
            built.append((b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore ? "^" : "")
                         + b.text());
        QCOMPARE(built, paragraphs);
    }

    void buildsThePriceListTable()
    {
        auto app = printPriceList(12);
        QTextDocument& doc = textOf(app);
        // Heading, empty, purchase line, empty, the added paragraph, the table, the closing paragraph.
        const QList<QTextBlock> blocks = outsideTables(doc);
        QCOMPARE(blocks.size(), 6);
        QTextTable* table = app->Documents().Item(1)->Tables().Item(1)->textTable();
        QVERIFY(table);
        QVERIFY(QTextCursor(blocks[4].next()).currentTable() == table);
        QCOMPARE(table->rows(), 13);
        QCOMPARE(table->columns(), 5);
        QCOMPARE(table->format().headerRowCount(), 1);
        QVERIFY(table->format().border() > 0);

        const QTextTableCell first = table->cellAt(1, 0);
        QCOMPARE(first.firstCursorPosition().block().text(), QStringLiteral(" 1"));
        for (int c = 0; c < 5; ++c) {
            const QTextTableCell header = table->cellAt(0, c);
            QVERIFY(header.format().background().style() != Qt::NoBrush);
            const QTextCharFormat text = header.firstCursorPosition().block().begin().fragment().charFormat();
            QCOMPARE(text.fontWeight(), int(QFont::Bold));
            QCOMPARE(text.fontPointSize(), 8.0);
            QCOMPARE(text.property(QTextFormat::FontFamilies).toStringList(),
                     QStringList{QStringLiteral("Century Gothic")});
            const Qt::Alignment expected = c >= 3 ? Qt::AlignRight : Qt::AlignLeft;
            QCOMPARE(table->cellAt(5, c).firstCursorPosition().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                     expected);
            QVERIFY(table->cellAt(5, c).format().background().style() == Qt::NoBrush);
        }
        // Widths follow the texts: the padded subject heading makes the widest column.
        const QList<QTextLength> widths = table->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 5);
        for (int c : {0, 1, 3, 4})
            QVERIFY(widths[2].rawValue() > widths[c].rawValue());
        QVERIFY(widths[0].rawValue() < widths[1].rawValue());
    }

    void writesA4FontsBreaksAndJustification()
    {
        auto app = printMassime(1, 3);
        const OdfFile odf(Odf::flatXml(textOf(app)));
        const Node* layout = odf.root.first(QStringLiteral("style:page-layout-properties"));
        QVERIFY(layout);
        QCOMPARE(layout->attr(QStringLiteral("fo:page-width")), QStringLiteral("21cm"));
        QCOMPARE(layout->attr(QStringLiteral("fo:page-height")), QStringLiteral("29.7cm"));
        const Node* master = odf.root.first(QStringLiteral("style:master-page"));
        QVERIFY(master);
        QCOMPARE(master->attr(QStringLiteral("style:page-layout-name")),
                 odf.root.first(QStringLiteral("style:page-layout"))->attr(QStringLiteral("style:name")));
        QStringList faces;
        for (const Node* face : odf.root.all(QStringLiteral("style:font-face")))
            faces.append(face->attr(QStringLiteral("style:name")));
        QVERIFY(faces.contains(QStringLiteral("Century Gothic")));

        const QList<const Node*> paragraphs =
            odf.root.first(QStringLiteral("office:text"))->all(QStringLiteral("text:p"));
        QCOMPARE(paragraphs.size(), 8);
        const QStringList texts = {Heading,        QString(),  headingLine(1), massima(1),
                                   headingLine(2), massima(2), headingLine(3), massima(3)};
        for (int i = 0; i < paragraphs.size(); ++i) {
            const Node* p = paragraphs[i];
            QCOMPARE(paragraphText(*p), texts[i]); // the four blanks before "n." survive
            QCOMPARE(odf.paragraphProperty(p, QStringLiteral("fo:text-align")), QStringLiteral("justify"));
            QCOMPARE(odf.paragraphProperty(p, QStringLiteral("fo:break-before")),
                     i == 4 || i == 6 ? QStringLiteral("page") : QString());
            QCOMPARE(odf.textProperty(p, QStringLiteral("fo:font-size")),
                     i < 2 ? QStringLiteral("18pt") : QStringLiteral("12pt"));
            QCOMPARE(odf.textProperty(p, QStringLiteral("style:font-name")), QStringLiteral("Century Gothic"));
        }
    }

    void writesTheTableWithGridHeaderAndWidths()
    {
        auto app = printPriceList(12);
        const OdfFile odf(Odf::flatXml(textOf(app)));
        const Node* table = odf.root.first(QStringLiteral("table:table"));
        QVERIFY(table);
        const QList<const Node*> columns = table->all(QStringLiteral("table:table-column"));
        QCOMPARE(columns.size(), 5);
        QList<double> widths;
        for (const Node* column : columns)
            widths.append(centimetres(odf.property(column->attr(QStringLiteral("table:style-name")),
                                                   QStringLiteral("style:table-column-properties"),
                                                   QStringLiteral("style:column-width"))));
        QVERIFY(qAbs(std::accumulate(widths.cbegin(), widths.cend(), 0.0) - 17.0) < 0.01);
        QCOMPARE(std::max_element(widths.cbegin(), widths.cend()) - widths.cbegin(), 2);
        QVERIFY(widths[0] >= 1.0); // "numero" still fits

        const Node* header = table->first(QStringLiteral("table:table-header-rows"));
        QVERIFY(header);
        QCOMPARE(header->all(QStringLiteral("table:table-row")).size(), 1);
        QCOMPARE(table->all(QStringLiteral("table:table-row")).size(), 13);

        const QList<const Node*> cells = table->all(QStringLiteral("table:table-cell"));
        QCOMPARE(cells.size(), 13 * 5);
        for (int i = 0; i < cells.size(); ++i) {
            const Node* cell = cells[i];
            const QString style = cell->attr(QStringLiteral("table:style-name"));
            const QString border =
                odf.property(style, QStringLiteral("style:table-cell-properties"), QStringLiteral("fo:border"));
            QVERIFY2(border.contains(QLatin1String("solid")), qPrintable(border));
            const QString shade = odf.property(style, QStringLiteral("style:table-cell-properties"),
                                               QStringLiteral("fo:background-color"));
            QCOMPARE(shade.isEmpty(), i >= 5);
            const Node* p = cell->first(QStringLiteral("text:p"));
            QCOMPARE(odf.paragraphProperty(p, QStringLiteral("fo:text-align")),
                     i % 5 >= 3 ? QStringLiteral("end") : QString());
            QCOMPARE(odf.textProperty(p, QStringLiteral("fo:font-size")), QStringLiteral("8pt"));
        }
        QCOMPARE(paragraphText(*cells[5]->first(QStringLiteral("text:p"))), QStringLiteral(" 1"));
        QCOMPARE(paragraphText(*cells[2]->first(QStringLiteral("text:p"))),
                 QStringLiteral("argomento trattato") + QString(20, QLatin1Char(' ')));
    }

    void savesAsOpenDocument_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("flat");
        QTest::newRow("the guide's .doc becomes .odt") << "Lexoria-guida.doc"
                                                       << "Lexoria-guida.odt" << false;
        QTest::newRow(".odt") << "a.odt"
                              << "a.odt" << false;
        QTest::newRow(".fodt") << "a.fodt"
                               << "a.fodt" << true;
    }
    void savesAsOpenDocument()
    {
        QFETCH(QString, name);
        QFETCH(QString, written);
        QFETCH(bool, flat);
        QTemporaryDir dir;
        auto app = printGuide(dir.path());
        WordDocument* doc = app->Documents().Item(app->Documents().Count());
        QVERIFY(doc->SaveAs(dir.filePath(name)));
        QCOMPARE(WordApplication::recorder().last(), QStringLiteral("SaveAs \"%1\"").arg(dir.filePath(name)));
        QCOMPARE(doc->savedFileName(), dir.filePath(written));
        QFile file(dir.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        if (flat) {
            QVERIFY(data.startsWith("<?xml"));
        } else {
            // An ODF package opens with its uncompressed "mimetype" entry.
            QVERIFY(data.startsWith("PK\x03\x04"));
            QCOMPARE(data.mid(30, 47), QByteArray("mimetypeapplication/vnd.oasis.opendocument.text"));
        }
    }

    void reportsAFailedSave()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        auto app = printGuide(dir.path());
        QVERIFY(!app->Documents().Item(1)->SaveAs(dir.filePath(QStringLiteral("file/Lexoria-guida.doc"))));
        const Presentation::Result result = app->present();
        QCOMPARE(result.route, Route::Suppressed);
        QVERIFY(result.message.contains(QStringLiteral("non è stato salvato")));
    }

    // A full disk (here: a file-size limit far below the guide's size) must neither
    // replace the earlier guide with a cut-off file nor report success.
    void fullDiskKeepsTheEarlierGuide_data()
    {
        QTest::addColumn<QByteArray>("earlier"); // a null array: no earlier guide
        QTest::newRow("an earlier guide") << QByteArray("la guida salvata ieri");
        QTest::newRow("no earlier guide") << QByteArray();
    }
    void fullDiskKeepsTheEarlierGuide()
    {
        QFETCH(QByteArray, earlier);
        QTemporaryDir dir;
        const QString guide = dir.filePath(QStringLiteral("Lexoria-guida.odt"));
        if (!earlier.isNull()) {
            QFile file(guide);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(earlier);
        }
        QList<Exports::GuidePage> pages;
        for (int i = 0; i < GuideTitles.size(); ++i)
            pages.append({GuideTitles[i], QStringLiteral("Testo della guida %1. ").arg(i + 1).repeated(12)});
        QString savedAs = QStringLiteral("not set");
        Presentation::Result result;
        {
            const FileSizeLimit limit(1024);
            QVERIFY(limit.active());
            result = Exports::printWholeGuide({QStringLiteral("Lexoria"), QStringLiteral("massime sull'edilizia")},
                                              pages, dir.filePath(QStringLiteral("Lexoria-guida.doc")), &savedAs);
        }
        QCOMPARE(savedAs, QString());
        QVERIFY2(result.message.startsWith(QStringLiteral("La guida completa non è stata salvata.\r")),
                 qPrintable(result.message));
        QVERIFY2(result.message.contains(QStringLiteral("il file supera la dimensione massima consentita")),
                 qPrintable(result.message));
        if (earlier.isNull()) {
            QVERIFY(!QFileInfo::exists(guide));
            QVERIFY(!result.message.contains(QStringLiteral("in precedenza")));
        } else {
            QCOMPARE(fileContents(guide), earlier);
            QVERIFY(result.message.contains(QStringLiteral("Il file salvato in precedenza è rimasto com'era.")));
        }
        // No cut-off copy left beside it either.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), earlier.isNull() ? 0 : 1);
    }

    // The guide goes to the second place when the first cannot take it.
    void guideFallsBackToTheSecondPlace()
    {
        QTemporaryDir dir;
        // A folder in the place of the guide stops its save as a read-only folder would, even for root.
        QVERIFY(plant(dir.filePath(QStringLiteral("programma/Lexoria-guida.odt")), Planted::Folder));
        QString savedAs;
        const Presentation::Result result =
            Exports::printWholeGuide({QStringLiteral("Lexoria"), QStringLiteral("massime sull'edilizia")},
                                     {{QStringLiteral("T"), QStringLiteral("testo")}},
                                     dir.filePath(QStringLiteral("programma/Lexoria-guida.doc")), &savedAs,
                                     dir.filePath(QStringLiteral("Documenti/Lexoria-guida.odt")));
        QVERIFY2(result.message.isEmpty(), qPrintable(result.message));
        QCOMPARE(savedAs, dir.filePath(QStringLiteral("Documenti/Lexoria-guida.odt")));
        QVERIFY(fileContents(savedAs).startsWith("PK"));
    }

    // A document for the word processor that cannot be written whole is not handed
    // over (no empty or cut-off file): the built-in window shows it, and says why.
    void fullDiskShowsTheDocumentInTheWindow()
    {
        QStringList handed;
        Presentation::setFinder([&handed](const QString& file) -> std::optional<Presentation::WordProcessor> {
            handed.append(file);
            return Presentation::WordProcessor{
                QStringLiteral("LibreOffice Writer"), QStandardPaths::findExecutable(QStringLiteral("true")), {file}};
        });
        QTemporaryDir dir;
        Presentation::setDocumentFolder(dir.filePath(QStringLiteral("documenti")));
        auto app = printMassime(1, 3);
        Presentation::setMode(Presentation::Mode::Open);
        Presentation::Result result;
        {
            const FileSizeLimit limit(1024);
            result = app->present();
        }
        QCOMPARE(int(result.route), int(Route::DocumentWindow));
        QVERIFY(handed.isEmpty());
        QVERIFY2(result.message.contains(QStringLiteral("il file supera la dimensione massima consentita")),
                 qPrintable(result.message));
        QVERIFY(result.message.contains(QStringLiteral("finestra dei documenti di Lexoria")));
        QCOMPARE(documentWindows().size(), 1);
        QCOMPARE(documentWindows().first()->document()->toPlainText(), textOf(app).toPlainText());
        QCOMPARE(QDir(dir.filePath(QStringLiteral("documenti")))
                     .entryList({QStringLiteral("documento-*")}, QDir::Files | QDir::Hidden),
                 QStringList());
    }

    // The font configuration beside the documents is written whole or not at all;
    // the word processor is never pointed at a cut-off one.
    void fullDiskKeepsTheFontConfiguration_data()
    {
        QTest::addColumn<QByteArray>("earlier"); // a null array: none
        QTest::newRow("none before") << QByteArray();
        QTest::newRow("an earlier one") << QByteArray("<fontconfig><!-- di prima --></fontconfig>\n");
    }
    void fullDiskKeepsTheFontConfiguration()
    {
        QFETCH(QByteArray, earlier);
        QTemporaryDir dir;
        const QString wrapper = dir.filePath(QStringLiteral("fonts.conf"));
        const QString alias = dir.filePath(QStringLiteral("lexoria-fonts.conf"));
        if (!earlier.isNull()) {
            for (const QString& name : {wrapper, alias}) {
                QFile file(name);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(earlier);
            }
        }
        QProcessEnvironment environment;
        {
            const FileSizeLimit limit(64);
            environment = Presentation::wordProcessorEnvironment(dir.path());
        }
        QVERIFY(environment.value(QStringLiteral("FONTCONFIG_FILE")) != wrapper);
        for (const QString& name : {wrapper, alias}) {
            if (earlier.isNull())
                QVERIFY2(!QFileInfo::exists(name), qPrintable(name));
            else
                QCOMPARE(fileContents(name), earlier);
        }
        // With room again, both are written whole and used.
        environment = Presentation::wordProcessorEnvironment(dir.path());
        QCOMPARE(environment.value(QStringLiteral("FONTCONFIG_FILE")), wrapper);
        QVERIFY(fileContents(wrapper).contains(alias.toUtf8()));
        QVERIFY(fileContents(alias).contains("Century Gothic"));
    }

    void presents_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("route");
        QTest::addColumn<QString>("message"); // a part of it; empty: no message
        QTest::newRow("Writer starts") << "started" << int(Route::WordProcessor) << QString();
        QTest::newRow("no word processor") << "none" << int(Route::DocumentWindow) << QString();
        QTest::newRow("nothing on an empty PATH") << "empty path" << int(Route::DocumentWindow) << QString();
        QTest::newRow("Writer cannot start") << "broken" << int(Route::DocumentWindow)
                                             << QStringLiteral("Non è stato possibile avviare LibreOffice Writer");
        QTest::newRow("temporary folder unwritable")
            << "unwritable" << int(Route::DocumentWindow) << QStringLiteral("cartella temporanea");
        QTest::newRow("switched off") << "suppressed" << int(Route::Suppressed) << QString();
        QTest::newRow("never made visible") << "invisible" << int(Route::NotShown) << QString();
    }
    void presents()
    {
        QFETCH(QString, situation);
        QFETCH(int, route);
        QFETCH(QString, message);
        QStringList handed; // the file the finder was asked about
        auto finder = [&](const QString& program) {
            return [&handed, program](const QString& file) -> std::optional<Presentation::WordProcessor> {
                handed.append(file);
                if (program.isEmpty())
                    return std::nullopt;
                return Presentation::WordProcessor{
                    QStringLiteral("LibreOffice Writer"), program, {QStringLiteral("-n"), file}};
            };
        };
        QTemporaryDir dir;
        std::unique_ptr<ScopedEnv> path;
        if (situation == QLatin1String("started"))
            Presentation::setFinder(finder(QStandardPaths::findExecutable(QStringLiteral("true"))));
        else if (situation == QLatin1String("none") || situation == QLatin1String("unwritable"))
            Presentation::setFinder(finder(QString()));
        else if (situation == QLatin1String("broken"))
            Presentation::setFinder(finder(dir.filePath(QStringLiteral("missing/soffice"))));
        else if (situation == QLatin1String("empty path"))
            path = std::make_unique<ScopedEnv>("PATH", QByteArray());
        if (situation == QLatin1String("unwritable")) {
            QVERIFY(plant(dir.filePath(QStringLiteral("file")), Planted::File));
            Presentation::setDocumentFolder(dir.filePath(QStringLiteral("file/documenti")));
        }
        QList<QWidget*> hooked;
        Presentation::setDocumentWindowHook([&hooked](QWidget* w) { hooked.append(w); });

        auto app = printMassime(1, 2); // made with presentation off, then presented as the situation says
        Presentation::setMode(situation == QLatin1String("suppressed") ? Presentation::Mode::Suppressed
                                                                       : Presentation::Mode::Open);
        if (situation == QLatin1String("invisible"))
            app->setVisible(false);
        const Presentation::Result result = app->present();
        path.reset();

        QCOMPARE(int(result.route), route);
        if (message.isEmpty())
            QVERIFY2(result.message.isEmpty(), qPrintable(result.message));
        else
            QVERIFY2(result.message.contains(message), qPrintable(result.message));
        QVERIFY(app->isPresented());

        const QList<DocumentWindow*> windows = documentWindows();
        if (result.route == Route::DocumentWindow) {
            // The whole document, in a window handed to the hook to keep the process alive.
            QCOMPARE(windows.size(), 1);
            QCOMPARE(result.window.data(), windows.first());
            QCOMPARE(hooked, QList<QWidget*>{windows.first()});
            QCOMPARE(windows.first()->document()->toPlainText(), textOf(app).toPlainText());
            QVERIFY(windows.first()->isVisible());
        } else {
            QVERIFY(windows.isEmpty());
            QVERIFY(hooked.isEmpty());
        }
        if (result.route == Route::WordProcessor) {
            QCOMPARE(handed, QStringList{result.fileName});
            QVERIFY(QFileInfo(result.fileName).size() > 0);
        }
    }

    // A word processor that fails after it was started, or hangs, must not lose the
    // document: the built-in window shows it and one line says why. One that took
    // the document is left alone, and a hanging one is not left running.
    void watchesTheWordProcessor_data()
    {
        QTest::addColumn<QByteArray>("script"); // the fake word processor's body; "$2" is the document
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("message"); // a part of the line that says why
        QTest::newRow("ends with an error")
            << QByteArray("exit 3") << false << "si è chiuso con un errore (codice 3) prima di mostrare il documento";
        QTest::newRow("is killed") << QByteArray("kill -9 $$") << false << "si è interrotto in modo anomalo";
        QTest::newRow("reads the document, then fails")
            << QByteArray("cat \"$2\" >/dev/null\nexit 1") << false << "codice 1";
        QTest::newRow("hangs without opening it")
            << QByteArray("exec sleep 300") << false << "non ha aperto il documento entro";
        QTest::newRow("hands it over and ends") << QByteArray("exit 0") << true << QString();
        QTest::newRow("opens it and keeps running") << QByteArray("exec 3<\"$2\"\nexec sleep 300") << true << QString();
    }
    void watchesTheWordProcessor()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, taken);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("soffice"));
        const QString pidFile = dir.filePath(QStringLiteral("pid"));
        makeExecutable(program, "#!/bin/sh\necho $$ > '" + pidFile.toUtf8() + "'\n" + script + "\n");
        Presentation::setFinder([program](const QString& file) -> std::optional<Presentation::WordProcessor> {
            return Presentation::WordProcessor{
                QStringLiteral("LibreOffice Writer"), program, {QStringLiteral("-n"), file}};
        });
        Presentation::setHandoverTimeout(4000); // ample for a shell script to start, short for a test
        QList<QObject*> held;
        Presentation::setHandoverHook([&held](QObject* handover) { held.append(handover); });
        QList<QWidget*> hooked;
        Presentation::setDocumentWindowHook([&hooked](QWidget* w) { hooked.append(w); });

        auto app = printMassime(1, 2);
        Presentation::setMode(Presentation::Mode::Open);
        const Presentation::Result result = app->present();
        QCOMPARE(int(result.route), int(Route::WordProcessor));
        QVERIFY(result.message.isEmpty());
        QVERIFY(result.handover);
        QCOMPARE(held, QList<QObject*>{result.handover.data()}); // it keeps the process alive meanwhile
        QSignalSpy decided(result.handover, &Presentation::Handover::decided);
        QSignalSpy failed(result.handover, &Presentation::Handover::failed);
        QPointer<Presentation::Handover> watch = result.handover;
        QTRY_COMPARE_WITH_TIMEOUT(decided.size(), 1, 60000);
        QTRY_VERIFY(!watch); // done watching: it goes
        QTRY_VERIFY(QFileInfo(pidFile).size() > 0);
        const pid_t pid = pid_t(fileContents(pidFile).trimmed().toLongLong());
        QVERIFY(pid > 0);

        if (taken) {
            QCOMPARE(failed.size(), 0);
            QVERIFY(documentWindows().isEmpty());
            QVERIFY(hooked.isEmpty());
            if (script.contains("sleep")) {
                QCOMPARE(::kill(pid, 0), 0); // the word processor with the document is never stopped
                ::kill(pid, SIGTERM);
            }
            return;
        }
        QCOMPARE(failed.size(), 1);
        const QString line = failed.first().first().toString();
        QVERIFY2(line.contains(message), qPrintable(line));
        QVERIFY2(line.startsWith(QStringLiteral("LibreOffice Writer ")), qPrintable(line));
        QVERIFY(line.endsWith(QStringLiteral("il documento è aperto nella finestra dei documenti di Lexoria.")));
        QVERIFY(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        const QList<DocumentWindow*> windows = documentWindows();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(hooked, QList<QWidget*>{windows.first()});
        QCOMPARE(windows.first()->document()->toPlainText(), textOf(app).toPlainText());
        QVERIFY(windows.first()->isVisible());
        QTRY_VERIFY(::kill(pid, 0) != 0); // a hanging one was stopped; none is left running
    }

    // The documents folder in the shared temporary folder may have been made by
    // another user beforehand: it is used only when it is a real folder of the
    // user's that no one else can write in, and nothing in a planted one is touched.
    void neverUsesAPlantedFolder_data()
    {
        QTest::addColumn<QString>("planted"); // what stands at <temporary folder>/lexoria-<uid>
        QTest::addColumn<bool>("used"); // whether the documents go there
        QTest::newRow("a symbolic link to another's folder") << "symlink" << false;
        QTest::newRow("a folder others can write in") << "open" << false;
        QTest::newRow("a file") << "file" << false;
        QTest::newRow("a folder of another user") << "foreign" << false;
        QTest::newRow("a private folder") << "private" << true;
        QTest::newRow("a folder others can read, closed to them") << "readable" << true;
        QTest::newRow("nothing yet") << "nothing" << true;
        QTest::newRow("the runtime folder is a symbolic link") << "runtime symlink" << true;
    }
    void neverUsesAPlantedFolder()
    {
        QFETCH(QString, planted);
        QFETCH(bool, used);
        if (planted == QLatin1String("foreign") && ::geteuid() != 0)
            QSKIP("only root can give a folder to another user");
        QTemporaryDir tmp;
        const QString victim = tmp.filePath(QStringLiteral("altrui"));
        QVERIFY(QDir().mkpath(victim));
        const QString victimDocument = victim + QStringLiteral("/documento-20200101-000000-1-1.odt");
        for (const QString& name : {victimDocument, victim + QStringLiteral("/nota.txt")}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("dati altrui");
            QVERIFY(file.flush()); // so closing does not touch the time again
            QVERIFY(file.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
        }
        const QString place = tmp.filePath(QStringLiteral("lexoria-%1").arg(::getuid()));
        const QByteArray encoded = QFile::encodeName(place);
        if (planted == QLatin1String("symlink")) {
            QVERIFY(QFile::link(victim, place));
        } else if (planted == QLatin1String("open")) {
            QCOMPARE(::mkdir(encoded.constData(), 0700), 0);
            QCOMPARE(::chmod(encoded.constData(), 0777), 0);
        } else if (planted == QLatin1String("file")) {
            QVERIFY(plant(place, Planted::File));
        } else if (planted == QLatin1String("foreign")) {
            QCOMPARE(::mkdir(encoded.constData(), 0700), 0);
            QCOMPARE(::chown(encoded.constData(), 65534, 65534), 0);
        } else if (planted == QLatin1String("private")) {
            QCOMPARE(::mkdir(encoded.constData(), 0700), 0);
        } else if (planted == QLatin1String("readable")) {
            QCOMPARE(::mkdir(encoded.constData(), 0700), 0);
            QCOMPARE(::chmod(encoded.constData(), 0755), 0);
        }
        const QString runtimeLink = tmp.filePath(QStringLiteral("runtime"));
        QVERIFY(QFile::link(victim, runtimeLink));
        const ScopedEnv tmpdir("TMPDIR", tmp.path().toUtf8());
        const ScopedEnv runtime("XDG_RUNTIME_DIR", runtimeLink.toUtf8(), planted != QLatin1String("runtime symlink"));
        Presentation::setDocumentFolder(QString());
        Presentation::setFinder([](const QString& file) -> std::optional<Presentation::WordProcessor> {
            return Presentation::WordProcessor{
                QStringLiteral("LibreOffice Writer"), QStandardPaths::findExecutable(QStringLiteral("true")), {file}};
        });

        auto app = printMassime(1, 2);
        Presentation::setMode(Presentation::Mode::Open);
        const Presentation::Result result = app->present();
        QCOMPARE(int(result.route), int(Route::WordProcessor));
        const QString folder = QFileInfo(result.fileName).path();
        QCOMPARE(folder == place, used);
        QVERIFY(!QFileInfo(result.fileName).canonicalFilePath().startsWith(victim));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
        QVERIFY(S_ISDIR(info.st_mode));
        QCOMPARE(info.st_uid, ::geteuid());
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
        // The other user's files are all there, as they were.
        QCOMPARE(fileContents(victimDocument), QByteArray("dati altrui"));
        QCOMPARE(QDir(victim).entryList(QDir::Files | QDir::Hidden).size(), 2);
        QVERIFY(QFileInfo(place).isSymLink() || QFileInfo::exists(place) || planted == QLatin1String("nothing")
                || planted == QLatin1String("runtime symlink"));
        if (!used && QFileInfo(folder).path() == tmp.path())
            QVERIFY(QFileInfo(folder).fileName().startsWith(QStringLiteral("lexoria-")));
    }

    // In its own folder the program clears old documents it made and nothing else.
    void clearsOnlyItsOwnOldDocuments()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("documenti"));
        QCOMPARE(::mkdir(QFile::encodeName(folder).constData(), 0700), 0);
        const QDateTime longAgo(QDate(2020, 1, 1), QTime(0, 0));
        auto make = [](const QString& name, const QDateTime& time) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
            QVERIFY(file.flush()); // so closing does not touch the time again
            if (time.isValid())
                QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
        };
        const QString oldOwn = folder + QStringLiteral("/documento-20200101-000000-7-1.odt");
        const QString recentOwn = folder + QStringLiteral("/documento-20991231-235959-7-2.odt");
        const QString oldOther = folder + QStringLiteral("/documento-della-nonna.odt");
        const QString target = dir.filePath(QStringLiteral("altrui.odt"));
        const QString oldLink = folder + QStringLiteral("/documento-20200101-000000-7-3.odt");
        make(oldOwn, longAgo);
        make(recentOwn, QDateTime());
        make(oldOther, longAgo);
        make(target, longAgo);
        QVERIFY(QFile::link(target, oldLink));
        Presentation::setDocumentFolder(folder);
        Presentation::setFinder([](const QString&) { return std::optional<Presentation::WordProcessor>(); });

        auto app = printMassime(1, 1);
        Presentation::setMode(Presentation::Mode::Open);
        app->present();
        QVERIFY(!QFileInfo::exists(oldOwn));
        QVERIFY(QFileInfo::exists(recentOwn));
        QVERIFY(QFileInfo::exists(oldOther));
        QVERIFY(QFileInfo(oldLink).isSymLink());
        QCOMPARE(fileContents(target), QByteArray("x"));
    }

    // However many documents a session prints, the folder keeps only the latest.
    void keepsOnlyTheLatestDocuments()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("documenti"));
        Presentation::setDocumentFolder(folder);
        Presentation::setFinder([](const QString&) { return std::optional<Presentation::WordProcessor>(); });
        auto app = printMassime(1, 1);
        Presentation::setMode(Presentation::Mode::Open);
        for (int i = 0; i < Presentation::KeptDocuments + 5; ++i) {
            app->present();
            cleanup();
        }
        const QStringList kept = Presentation::writtenDocuments();
        QCOMPARE(kept.size(), Presentation::KeptDocuments);
        QStringList inFolder;
        for (const QString& name : QDir(folder).entryList({QStringLiteral("documento-*.odt")}, QDir::Files, QDir::Name))
            inFolder << folder + QLatin1Char('/') + name;
        QStringList sortedKept = kept;
        sortedKept.sort();
        QCOMPARE(inFolder, sortedKept);
    }

    // However many documents are printed, the folder keeps only the newest few.
    void documentFolderStaysSmall()
    {
        QTemporaryDir dir;
        const QDir documents(dir.filePath(QStringLiteral("documenti")));
        Presentation::setDocumentFolder(documents.path());
        const QString taker = QStandardPaths::findExecutable(QStringLiteral("true"));
        Presentation::setFinder([taker](const QString& file) -> std::optional<Presentation::WordProcessor> {
            return Presentation::WordProcessor{QStringLiteral("LibreOffice Writer"), taker, {file}};
        });
        QString last;
        for (int i = 0; i < 30; ++i) {
            auto app = printMassime(1, 2);
            Presentation::setMode(Presentation::Mode::Open);
            const Presentation::Result result = app->present();
            Presentation::setMode(Presentation::Mode::Suppressed);
            QCOMPARE(int(result.route), int(Route::WordProcessor));
            last = result.fileName;
        }
        const QStringList left = documents.entryList({QStringLiteral("documento-*.odt")}, QDir::Files);
        QVERIFY2(left.size() <= 21, qPrintable(QString::number(left.size())));
        QVERIFY(left.contains(QFileInfo(last).fileName())); // the one just handed over stays
    }

    // Where lexoria-<uid> is no private folder, the folders earlier runs made in its
    // place are used again or cleared, whichever way the folder is chosen afresh;
    // any other folder there is left exactly as it was.
    void leavesNoFreshFoldersBehind()
    {
        QTemporaryDir tmp;
        const QString victim = tmp.filePath(QStringLiteral("altrui"));
        const QString document = QStringLiteral("/documento-20200101-000000-1-1.odt");
        // A folder as an earlier run leaves it: mode `mode`, with `files` in it, all long unchanged.
        auto plantFolder = [&](const QString& name, mode_t mode, const QStringList& files) {
            const QString folder = tmp.filePath(name);
            QCOMPARE(::mkdir(QFile::encodeName(folder).constData(), 0700), 0);
            for (const QString& file : files) {
                QFile out(folder + file);
                QVERIFY(out.open(QIODevice::WriteOnly));
                out.write("dati");
                out.close();
                QVERIFY(backdate(out.fileName()));
            }
            QCOMPARE(::chmod(QFile::encodeName(folder).constData(), mode), 0);
            QVERIFY(backdate(folder));
        };
        plantFolder(QStringLiteral("altrui"), 0700, {document});
        QVERIFY(QFile::link(victim, tmp.filePath(QStringLiteral("lexoria-%1").arg(::getuid()))));
        plantFolder(QStringLiteral("lexoria-Abcdef"), 0700,
              {document, QStringLiteral("/fonts.conf"), QStringLiteral("/lexoria-fonts.conf")});
        plantFolder(QStringLiteral("lexoria-Ghijkl"), 0700, {document});
        plantFolder(QStringLiteral("lexoria-NotaXy"), 0700, {document, QStringLiteral("/nota.txt")});
        plantFolder(QStringLiteral("lexoria-Aperta"), 0755, {document});
        plantFolder(QStringLiteral("lexoria-Dentro"), 0700, {document});
        QVERIFY(QDir().mkdir(tmp.filePath(QStringLiteral("lexoria-Dentro/cartella"))));
        QVERIFY(backdate(tmp.filePath(QStringLiteral("lexoria-Dentro"))));
        QVERIFY(QFile::link(victim, tmp.filePath(QStringLiteral("lexoria-Legame"))));
        if (QTest::currentTestFailed())
            return;
        // Everything that must stay as it is: names, modes, sizes.
        auto untouched = [&] {
            QStringList seen;
            for (const QString& name :
                 {QStringLiteral("lexoria-NotaXy"), QStringLiteral("lexoria-Aperta"), QStringLiteral("lexoria-Dentro"),
                  QStringLiteral("lexoria-Legame"), QStringLiteral("altrui")}) {
                QDirIterator it(tmp.filePath(name),
                                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
                struct stat info {};
                ::lstat(QFile::encodeName(tmp.filePath(name)).constData(), &info);
                seen << name + QString::number(info.st_mode, 8);
                while (it.hasNext()) {
                    const QFileInfo entry = it.nextFileInfo();
                    seen << entry.filePath() + QLatin1Char(' ') + QString::number(entry.size());
                }
            }
            seen.sort();
            return seen;
        };
        const QStringList before = untouched();
        const ScopedEnv tmpdir("TMPDIR", tmp.path().toUtf8());
        const ScopedEnv runtime("XDG_RUNTIME_DIR", QByteArray(), true);
        Presentation::setFinder([](const QString& file) -> std::optional<Presentation::WordProcessor> {
            return Presentation::WordProcessor{
                QStringLiteral("LibreOffice Writer"), QStandardPaths::findExecutable(QStringLiteral("true")), {file}};
        });
        auto app = printMassime(1, 2);
        Presentation::setMode(Presentation::Mode::Open);
        QSet<QString> used;
        for (int run = 0; run < 3; ++run) {
            Presentation::setDocumentFolder(QString()); // chosen afresh, as by a new run
            const Presentation::Result result = app->present();
            QCOMPARE(int(result.route), int(Route::WordProcessor));
            used.insert(QFileInfo(result.fileName).path());
        }
        QCOMPARE(used.size(), 1);
        const QString folder = *used.begin();
        QCOMPARE(QFileInfo(folder).path(), tmp.path());
        QCOMPARE(untouched(), before);
        QStringList left =
            QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        left.removeOne(QFileInfo(folder).fileName());
        left.sort();
        QCOMPARE(left,
                 (QStringList{QStringLiteral("altrui"), QStringLiteral("lexoria-%1").arg(::getuid()),
                              QStringLiteral("lexoria-Aperta"), QStringLiteral("lexoria-Dentro"),
                              QStringLiteral("lexoria-Legame"), QStringLiteral("lexoria-NotaXy")}));
    }

    void findsTheWordProcessor_data()
    {
        QTest::addColumn<QStringList>("programs"); // put on PATH
        QTest::addColumn<QString>("desktopExec"); // the desktop handler's Exec line, if any
        QTest::addColumn<QString>("expected"); // program and arguments; FILE for the document
        QTest::newRow("soffice on PATH") << QStringList{"soffice", "xdg-mime"} << "fakewriter %U"
                                         << "soffice -n FILE";
        QTest::newRow("libreoffice on PATH") << QStringList{"libreoffice"} << QString() << "libreoffice -n FILE";
        QTest::newRow("the desktop's handler") << QStringList{"xdg-mime", "fakewriter"} << "fakewriter --new %U"
                                               << "fakewriter --new FILE";
        QTest::newRow("a LibreOffice handler opens a new document")
            << QStringList{"xdg-mime", "lowriter"} << "lowriter %U"
            << "lowriter -n FILE";
        QTest::newRow("a handler without a file code") << QStringList{"xdg-mime", "fakewriter"} << "\"fakewriter\""
                                                       << "fakewriter FILE";
        QTest::newRow("a LibreOffice that cannot show windows")
            << QStringList{"soffice->nogui"} << QString() << QString();
        QTest::newRow("a LibreOffice with a window system")
            << QStringList{"soffice->gui"} << QString() << "soffice -n FILE";
        QTest::newRow("a handler not installed") << QStringList{"xdg-mime"} << "fakewriter %U" << QString();
        QTest::newRow("nothing") << QStringList{} << QString() << QString();
    }
    void findsTheWordProcessor()
    {
        QFETCH(QStringList, programs);
        QFETCH(QString, desktopExec);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString bin = dir.filePath(QStringLiteral("bin"));
        const QString applications = dir.filePath(QStringLiteral("share/applications"));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(applications));
        for (const QString& program : programs) {
            if (program.startsWith(QLatin1String("soffice->"))) {
                // A LibreOffice installation linked onto PATH, with or without a window system plugin.
                const QString installation = dir.filePath(QStringLiteral("program"));
                QVERIFY(QDir().mkpath(installation));
                makeExecutable(installation + QStringLiteral("/soffice"), "#!/bin/sh\n");
                makeExecutable(installation + QStringLiteral("/soffice.bin"), "");
                if (program.endsWith(QLatin1String("->gui")))
                    makeExecutable(installation + QStringLiteral("/libvclplug_gtk3lo.so"), "");
                QVERIFY(QFile::link(installation + QStringLiteral("/soffice"), bin + QStringLiteral("/soffice")));
                continue;
            }
            makeExecutable(bin + QLatin1Char('/') + program,
                           program == QLatin1String("xdg-mime") ? QByteArray("#!/bin/sh\necho fakewriter.desktop\n")
                                                                : QByteArray("#!/bin/sh\n"));
        }
        if (!desktopExec.isEmpty()) {
            QFile desktop(applications + QStringLiteral("/fakewriter.desktop"));
            QVERIFY(desktop.open(QIODevice::WriteOnly));
            desktop.write("[Desktop Entry]\nType=Application\nName=Fake Writer\nExec=" + desktopExec.toUtf8() + "\n");
        }
        const ScopedEnv path("PATH", bin.toUtf8());
        const ScopedEnv dataHome("XDG_DATA_HOME", dir.filePath(QStringLiteral("share")).toUtf8());
        const ScopedEnv dataDirs("XDG_DATA_DIRS", dir.filePath(QStringLiteral("share")).toUtf8());

        const QString file = dir.filePath(QStringLiteral("documento.odt"));
        const std::optional<Presentation::WordProcessor> found = Presentation::findWordProcessor(file);
        if (expected.isEmpty()) {
            QVERIFY(!found);
            return;
        }
        QVERIFY(found);
        const QString got =
            (QStringList{QFileInfo(found->program).fileName()} + found->arguments).join(QLatin1Char(' '));
        QCOMPARE(got, QString(expected).replace(QStringLiteral("FILE"), file));
        QCOMPARE(QFileInfo(found->program).path(), bin);
    }

    void documentWindowEditsPrintsAndAsksBeforeClosing()
    {
        QTemporaryDir dir;
        auto app = printMassime(1, 5);
        auto* window = new DocumentWindow(textOf(app), QStringLiteral("Documento 9"));
        window->show();
        QPointer<DocumentWindow> alive(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Documento 9[*] - Lexoria"));
        QVERIFY(!window->isWindowModified());

        // Printed on A4 as in the word processor: one massima a page.
        const QString pdf = dir.filePath(QStringLiteral("stampa.pdf"));
        QVERIFY(window->savePdf(pdf));
        QCOMPARE(qtPdfPages(pdf), 5);
        // On a full disk the PDF saved before stays whole, and the failure is told.
        const QByteArray before = fileContents(pdf);
        QString error;
        {
            const FileSizeLimit limit(4096);
            QVERIFY(!window->savePdf(pdf, &error));
        }
        QVERIFY2(error.startsWith(QStringLiteral("Impossibile scrivere il file ")), qPrintable(error));
        QCOMPARE(fileContents(pdf), before);

        window->editor()->moveCursor(QTextCursor::End);
        window->editor()->insertPlainText(QStringLiteral(" Nota del lettore."));
        QVERIFY(window->isWindowModified());

        auto answer = [](QMessageBox::StandardButton button, QString* asked) {
            QTimer::singleShot(0, [button, asked] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                *asked = box->text();
                box->button(button)->click();
            });
        };
        QString asked;
        answer(QMessageBox::Cancel, &asked);
        window->close();
        QVERIFY(asked.contains(QStringLiteral("Documento 9")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive && alive->isVisible());

        const QString odt = dir.filePath(QStringLiteral("copia.fodt"));
        QVERIFY(window->saveOdf(odt));
        QVERIFY(!window->isWindowModified());
        QCOMPARE(window->windowTitle(), QStringLiteral("copia.fodt[*] - Lexoria"));
        QFile saved(odt);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const OdfFile savedOdf(saved.readAll());
        QVERIFY(paragraphText(*savedOdf.root.all(QStringLiteral("text:p")).last())
                    .endsWith(QStringLiteral("Nota del lettore.")));
        // The gaps the editor opens at page breaks stay in the editor.
        for (const Node* paragraph : savedOdf.root.all(QStringLiteral("style:paragraph-properties")))
            QVERIFY(!paragraph->attributes.contains(QStringLiteral("fo:margin-top")));
        QCOMPARE(savedOdf.root.all(QStringLiteral("text:p")).size(), 12);

        window->editor()->insertPlainText(QStringLiteral(" Altra nota."));
        asked.clear();
        answer(QMessageBox::Discard, &asked);
        window->close();
        QVERIFY(!asked.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!alive);

        // Unchanged, it closes without a question.
        auto* second = new DocumentWindow(textOf(app), QStringLiteral("Documento 10"));
        QPointer<DocumentWindow> secondAlive(second);
        second->show();
        asked.clear();
        answer(QMessageBox::Cancel, &asked);
        second->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!secondAlive);
        QVERIFY(asked.isEmpty());
    }

    // The three kinds of document through real LibreOffice, converted to PDF in one run.
    void libreOfficeLaysOutTheDocuments()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        for (const char* tool : {"pdfinfo", "pdftotext", "pdffonts"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), "poppler-utils is missing");

        QTemporaryDir temporary;
        const QString keep = qEnvironmentVariable("LEXORIA_EXPORT_OUTPUT"); // to look at the pages by hand
        const QString dir = keep.isEmpty() ? temporary.path() : keep;
        QVERIFY(QDir().mkpath(dir));
        const QString massime = dir + QStringLiteral("/massime.odt");
        const QString guide = dir + QStringLiteral("/guida.fodt");
        const QString list = dir + QStringLiteral("/listino.fodt");
        QVERIFY(Odf::write(textOf(printMassime(1, 5)), massime));
        QVERIFY(Odf::write(textOf(printGuide(dir)), guide));
        QVERIFY(Odf::write(textOf(printPriceList(100)), list));

        QProcess office;
        QProcessEnvironment environment = Presentation::wordProcessorEnvironment(dir);
        // A locale whose paper is Letter: the pages must be A4 all the same.
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
        environment.insert(QStringLiteral("LC_PAPER"), QStringLiteral("en_US.UTF-8"));
        office.setProcessEnvironment(environment);
        office.start(soffice,
                     {QStringLiteral("-env:UserInstallation=")
                          + QUrl::fromLocalFile(temporary.filePath(QStringLiteral("profilo"))).toString(),
                      QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                      QStringLiteral("pdf"), QStringLiteral("--outdir"), dir, massime, guide, list});
        QVERIFY(office.waitForFinished(240000));
        QCOMPARE(office.exitCode(), 0);

        struct Expect {
            QString pdf;
            int pages;
        };
        const QList<Expect> files = {{dir + QStringLiteral("/massime.pdf"), 5},
                                     {dir + QStringLiteral("/guida.pdf"), 12},
                                     {dir + QStringLiteral("/listino.pdf"), -1}};
        for (const Expect& file : files) {
            QVERIFY2(QFileInfo::exists(file.pdf), qPrintable(file.pdf));
            const QString info = run(QStringLiteral("pdfinfo"), {file.pdf});
            QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595\\.\\d+ x 841\\.\\d+ pts"))),
                     qPrintable(info));
            if (file.pages > 0)
                QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(file.pages))),
                         qPrintable(info));
            const QString fonts = run(QStringLiteral("pdffonts"), {file.pdf});
            QVERIFY2(fonts.contains(QStringLiteral("URWGothic")), qPrintable(fonts));
        }

        // One massima a page, the heading on the first.
        const QStringList massimePages =
            run(QStringLiteral("pdftotext"), {files[0].pdf, QStringLiteral("-")}).split(QLatin1Char('\f'));
        QVERIFY(massimePages[0].contains(Heading));
        for (int k = 1; k <= 5; ++k) {
            QVERIFY2(massimePages[k - 1].contains(QStringLiteral("n.%1").arg(k)), qPrintable(massimePages[k - 1]));
            QVERIFY(!massimePages[k - 1].contains(QStringLiteral("n.%1").arg(k + 1)));
        }
        // Each help text on its own page.
        const QStringList guidePages =
            run(QStringLiteral("pdftotext"), {files[1].pdf, QStringLiteral("-")}).split(QLatin1Char('\f'));
        for (int i = 0; i < GuideTitles.size(); ++i)
            QVERIFY2(guidePages[i].contains(QStringLiteral("Guida: ") + GuideTitles[i]), qPrintable(guidePages[i]));

        // Justified: the massima's lines, but its last, end on the right margin;
        // the 18-point heading stands taller than the 12-point text.
        const QList<Word> words = wordBoxes(files[0].pdf, 1);
        const double rightMargin = 595.28 - 20.0 / 25.4 * 72.0;
        QMap<int, double> lineEnds; // line top -> right end
        double headingHeight = 0;
        double textHeight = 0;
        for (const Word& w : words) {
            if (w.text == QLatin1String("LEXORIA"))
                headingHeight = w.box.height();
            if (w.text == QLatin1String("titolo"))
                textHeight = w.box.height();
            lineEnds[qRound(w.box.top())] = qMax(lineEnds.value(qRound(w.box.top())), w.box.right());
        }
        QVERIFY(textHeight > 0 && headingHeight > textHeight * 1.3);
        int atMargin = 0;
        for (double end : lineEnds)
            atMargin += qAbs(end - rightMargin) < 1.0 ? 1 : 0;
        QVERIFY2(atMargin >= 5, qPrintable(QString::number(atMargin)));

        // The price list: header row on every page, prices right-aligned in two columns.
        const QStringList listPages = run(QStringLiteral("pdftotext"), {files[2].pdf, QStringLiteral("-")})
                                          .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY(listPages.size() >= 2);
        for (const QString& page : listPages) {
            QVERIFY(page.contains(QStringLiteral("listino in euro")));
            QVERIFY2(page.contains(QStringLiteral("numero")), "a heading broken over two lines");
        }
        QVERIFY(listPages.last().contains(QStringLiteral("Programma 100")));
        QList<double> priceEnds;
        QSet<int> priceStarts;
        const QRegularExpression price(QStringLiteral("^\\d{1,3}(\\.\\d{3})*,\\d\\d$"));
        for (const Word& w : wordBoxes(files[2].pdf, 1)) {
            if (!price.match(w.text).hasMatch())
                continue;
            priceStarts.insert(qRound(w.box.left()));
            if (std::none_of(priceEnds.cbegin(), priceEnds.cend(),
                             [&w](double e) { return qAbs(e - w.box.right()) < 0.5; }))
                priceEnds.append(w.box.right());
        }
        QCOMPARE(priceEnds.size(), 2);
        QVERIFY(priceStarts.size() > 2);
    }

private:
    struct Word {
        QString text;
        QRectF box;
    };
    static QList<Word> wordBoxes(const QString& pdf, int page)
    {
        const QString html = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                  QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
        static const QRegularExpression word(QStringLiteral(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
        QList<Word> words;
        for (auto it = word.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            words.append({m.captured(5),
                          QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                 QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
        }
        return words;
    }

    QTemporaryDir folder_;
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
