#include "export/wordautomation.h"

#include "export/odfwriter.h"

#include <QFileInfo>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <numeric>

using WordDetail::Target;
using Kind = WordDetail::Target::Kind;

namespace {

std::shared_ptr<WordApplication> g_latest;
int g_untitled = 0; // numbers the documents of the session, as "Documento 1", "Documento 2"

const QColor HeaderShade(0xc9, 0xd9, 0xee);

bool g_recording = false;

void record(const QString& call)
{
    if (g_recording)
        WordApplication::recorder().append(call);
}

// Only the character properties: a cell's first block carries the cell's own
// format in its character format, which must not spill into the text.
QTextCharFormat characterOnly(const QTextCharFormat& format)
{
    static const QTextFormat::Property kept[] = {
        QTextFormat::FontFamilies, QTextFormat::OldFontFamily,      QTextFormat::FontPointSize,
        QTextFormat::FontWeight,   QTextFormat::FontItalic,         QTextFormat::FontUnderline,
        QTextFormat::TextUnderlineStyle, QTextFormat::ForegroundBrush};
    QTextCharFormat result;
    for (const QTextFormat::Property property : kept) {
        if (format.hasProperty(property))
            result.setProperty(property, format.property(property));
    }
    return result;
}

Qt::Alignment qtAlignment(int alignment)
{
    switch (alignment) {
    case 1: return Qt::AlignHCenter;
    case 2: return Qt::AlignRight;
    case 3: case 4: case 5: case 7: case 8: case 9: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
    }
}

int wordAlignment(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignJustify)
        return 3;
    if (alignment & Qt::AlignHCenter)
        return 1;
    if (alignment & Qt::AlignRight)
        return 2;
    return 0;
}

QString number(double value) { return QString::number(value, 'g', 10); }

// The distinct cells a target covers, in row order.
QList<QTextTableCell> cellsOf(const Target& target)
{
    QList<QTextTableCell> cells;
    QTextTable* table = target.table;
    if (!table)
        return cells;
    auto add = [&cells](const QTextTableCell& cell) {
        if (!cell.isValid())
            return;
        for (const QTextTableCell& known : cells) {
            if (known == cell)
                return;
        }
        cells.append(cell);
    };
    switch (target.kind) {
    case Kind::Table:
        for (int r = 0; r < table->rows(); ++r)
            for (int c = 0; c < table->columns(); ++c)
                add(table->cellAt(r, c));
        break;
    case Kind::Cell: add(table->cellAt(target.row, target.column)); break;
    case Kind::Column:
        for (int r = 0; r < table->rows(); ++r)
            add(table->cellAt(r, target.column));
        break;
    default: break;
    }
    return cells;
}

QTextCursor cellContents(const QTextTableCell& cell)
{
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor;
}

QList<QTextBlock> blocksOf(const Target& target)
{
    QList<QTextBlock> blocks;
    if (!target.document)
        return blocks;
    const QTextDocument& doc = target.document->textDocument();
    switch (target.kind) {
    case Kind::InsertionPoint:
    case Kind::EndOfDocument: blocks.append(doc.lastBlock()); break;
    case Kind::StartOfDocument: blocks.append(doc.firstBlock()); break;
    case Kind::WholeDocument:
        for (QTextBlock b = doc.firstBlock(); b.isValid(); b = b.next())
            blocks.append(b);
        break;
    case Kind::Table:
    case Kind::Cell:
    case Kind::Column:
        for (const QTextTableCell& cell : cellsOf(target)) {
            const int last = cell.lastCursorPosition().position();
            for (QTextBlock b = cell.firstCursorPosition().block(); b.isValid() && b.position() <= last; b = b.next())
                blocks.append(b);
        }
        break;
    }
    return blocks;
}

// A new paragraph like the current one; a page break stays with the paragraph it was put on.
void newParagraph(QTextCursor& cursor, const QTextCharFormat& format, bool pageBreak)
{
    QTextBlockFormat block = cursor.blockFormat();
    block.setPageBreakPolicy(pageBreak ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
    cursor.insertBlock(block, characterOnly(format));
}

// Types `text` at the cursor: 13 (13 10, or 10 alone) ends the paragraph, 12
// starts a new page, 11 breaks the line; other control characters are dropped.
void insertTyped(QTextCursor& cursor, const QString& text, const QTextCharFormat& format, bool pageBreaks)
{
    const QTextCharFormat characters = characterOnly(format);
    QString run;
    auto flush = [&] {
        if (!run.isEmpty())
            cursor.insertText(run, characters);
        run.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        switch (c) {
        case u'\r':
        case u'\n':
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            flush();
            newParagraph(cursor, format, false);
            break;
        case 0x0c:
            flush();
            if (!pageBreaks)
                break;
            if (cursor.block().text().isEmpty()) {
                QTextBlockFormat block = cursor.blockFormat();
                block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                cursor.setBlockFormat(block);
            } else {
                newParagraph(cursor, format, true);
            }
            break;
        case 0x0b: run += QChar::LineSeparator; break;
        case u'\t': run += QLatin1Char('\t'); break;
        default:
            if (c >= 0x20 && c != 0x7f)
                run += QChar(c);
            break;
        }
    }
    flush();
}

void mergeFont(const Target& target, const QTextCharFormat& format)
{
    if (!target.document)
        return;
    QTextDocument& doc = target.document->textDocument();
    switch (target.kind) {
    case Kind::InsertionPoint:
    case Kind::EndOfDocument:
    case Kind::StartOfDocument: {
        // An empty paragraph takes the size and face of the text about to be typed in it.
        QTextCursor cursor(target.kind == Kind::StartOfDocument ? doc.firstBlock() : doc.lastBlock());
        if (cursor.block().text().isEmpty())
            cursor.mergeBlockCharFormat(format);
        break;
    }
    case Kind::WholeDocument: {
        QTextCursor cursor(&doc);
        cursor.select(QTextCursor::Document);
        cursor.mergeCharFormat(format);
        cursor.mergeBlockCharFormat(format);
        break;
    }
    case Kind::Table:
    case Kind::Cell:
    case Kind::Column:
        for (const QTextTableCell& cell : cellsOf(target)) {
            QTextCursor cursor = cellContents(cell);
            cursor.mergeCharFormat(format);
            // Merging keeps the cell's own format, which lives in its first block's.
            cursor.mergeBlockCharFormat(format);
        }
        break;
    }
}

QTextCharFormat fontOf(const Target& target)
{
    if (!target.document)
        return {};
    const QList<QTextBlock> blocks = blocksOf(target);
    if (blocks.isEmpty())
        return {};
    const QTextBlock block = blocks.first();
    return block.begin().atEnd() ? block.charFormat() : block.begin().fragment().charFormat();
}

void replaceCellText(const QTextTableCell& cell, const QString& text)
{
    QTextCursor cursor = cellContents(cell);
    const QTextCharFormat format = characterOnly(cell.firstCursorPosition().blockCharFormat());
    cursor.removeSelectedText();
    insertTyped(cursor, text, format, false);
}

QString cellText(const QTextTableCell& cell)
{
    QString text = cellContents(cell).selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\r'));
    return text;
}

} // namespace

// ---- WordFont, WordParagraphFormat, WordParagraphs, WordRange ----

void WordFont::setName(const QString& name)
{
    record(target_.path + QStringLiteral("Font.Name = ") + WordApplication::recorded(name));
    QTextCharFormat format;
    format.setFontFamilies({name});
    format.setProperty(QTextFormat::OldFontFamily, name); // what Qt's own ODF writer reads
    if (target_.kind == Kind::InsertionPoint && target_.document)
        target_.document->typing_.merge(format);
    mergeFont(target_, format);
}

void WordFont::setSize(double points)
{
    record(target_.path + QStringLiteral("Font.Size = ") + number(points));
    QTextCharFormat format;
    format.setFontPointSize(points);
    if (target_.kind == Kind::InsertionPoint && target_.document)
        target_.document->typing_.merge(format);
    mergeFont(target_, format);
}

QString WordFont::Name() const
{
    const QTextCharFormat format = target_.kind == Kind::InsertionPoint && target_.document
                                       ? target_.document->typing_ : fontOf(target_);
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty())
        return families.first();
    return target_.document ? target_.document->textDocument().defaultFont().family() : QString();
}

double WordFont::Size() const
{
    const QTextCharFormat format = target_.kind == Kind::InsertionPoint && target_.document
                                       ? target_.document->typing_ : fontOf(target_);
    if (format.hasProperty(QTextFormat::FontPointSize))
        return format.fontPointSize();
    return target_.document ? target_.document->textDocument().defaultFont().pointSizeF() : 0;
}

void WordParagraphFormat::setAlignment(int alignment)
{
    record(target_.path + QStringLiteral("ParagraphFormat.Alignment = ") + QString::number(alignment));
    QTextBlockFormat format;
    format.setAlignment(qtAlignment(alignment));
    for (const QTextBlock& block : blocksOf(target_))
        QTextCursor(block).mergeBlockFormat(format);
}

int WordParagraphFormat::Alignment() const
{
    const QList<QTextBlock> blocks = blocksOf(target_);
    return blocks.isEmpty() ? 0 : wordAlignment(blocks.first().blockFormat().alignment());
}

void WordParagraphs::Add()
{
    record(target_.path + QStringLiteral("Paragraphs.Add"));
    if (!target_.document)
        return;
    QTextCursor cursor(&target_.document->textDocument());
    const QList<QTextTableCell> cells = cellsOf(target_);
    if (target_.kind == Kind::Cell && !cells.isEmpty())
        cursor = cells.first().lastCursorPosition();
    else if (target_.kind == Kind::StartOfDocument)
        cursor.movePosition(QTextCursor::Start);
    else
        cursor.movePosition(QTextCursor::End);
    newParagraph(cursor, cursor.block().charFormat(), false);
}

void WordRange::setText(const QString& text)
{
    record(target_.path + QStringLiteral("Text = ") + WordApplication::recorded(text));
    if (!target_.document)
        return;
    QTextDocument& doc = target_.document->textDocument();
    switch (target_.kind) {
    case Kind::Cell:
        for (const QTextTableCell& cell : cellsOf(target_))
            replaceCellText(cell, text);
        break;
    case Kind::WholeDocument: {
        QTextCursor cursor(&doc);
        cursor.select(QTextCursor::Document);
        const QTextCharFormat format = doc.firstBlock().charFormat();
        cursor.removeSelectedText();
        insertTyped(cursor, text, format, true);
        break;
    }
    case Kind::StartOfDocument:
    case Kind::EndOfDocument:
    case Kind::InsertionPoint: {
        QTextCursor cursor(&doc);
        cursor.movePosition(target_.kind == Kind::StartOfDocument ? QTextCursor::Start : QTextCursor::End);
        insertTyped(cursor, text, cursor.charFormat(), true);
        break;
    }
    case Kind::Table:
    case Kind::Column:
        target_.document->application().noteProblem(
            QStringLiteral("Il testo di un'intera tabella o colonna non può essere sostituito."));
        break;
    }
}

QString WordRange::Text() const
{
    if (!target_.document)
        return {};
    switch (target_.kind) {
    case Kind::Cell: {
        const QList<QTextTableCell> cells = cellsOf(target_);
        return cells.isEmpty() ? QString() : cellText(cells.first());
    }
    case Kind::WholeDocument: {
        QString text = target_.document->textDocument().toPlainText();
        text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        return text;
    }
    default: {
        QStringList texts;
        for (const QTextTableCell& cell : cellsOf(target_))
            texts.append(cellText(cell));
        return texts.join(QLatin1Char('\r'));
    }
    }
}

WordRange WordBookmark::Range() const
{
    Target target;
    target.document = document_;
    target.kind = name_.compare(QLatin1String("\\startofdoc"), Qt::CaseInsensitive) == 0 ? Kind::StartOfDocument
                                                                                          : Kind::EndOfDocument;
    target.path = QStringLiteral("Bookmarks(%1).Range.").arg(WordApplication::recorded(name_));
    return WordRange(target);
}

WordRange WordCell::Range() const
{
    Target target = target_;
    target.path += QStringLiteral("Range.");
    return WordRange(target);
}

void WordColumn::Select()
{
    record(target_.path + QStringLiteral("Select"));
    if (!target_.document)
        return;
    WordSelection& selection = target_.document->application().Selection();
    selection.target_ = target_;
    selection.target_.path.clear();
}

// ---- WordTable, WordTables ----

Target WordTable::target(Kind kind, int row, int column, const QString& path) const
{
    Target t;
    t.kind = kind;
    t.document = document_;
    t.table = table_;
    t.row = row;
    t.column = column;
    t.path = path;
    return t;
}

QString WordTable::path() const { return QStringLiteral("Tables(%1).").arg(index_); }

WordRange WordTable::Range() const { return WordRange(target(Kind::Table, 0, 0, path() + QStringLiteral("Range."))); }

WordCell WordTable::Cell(int row, int column) const
{
    return WordCell(target(Kind::Cell, row - 1, column - 1, path() + QStringLiteral("Cell(%1, %2).").arg(row).arg(column)));
}

WordColumn WordTable::Columns(int column) const
{
    return WordColumn(target(Kind::Column, 0, column - 1, path() + QStringLiteral("Columns(%1).").arg(column)));
}

int WordTable::rowCount() const { return table_ ? table_->rows() : 0; }
int WordTable::columnCount() const { return table_ ? table_->columns() : 0; }

void WordTable::AutoFormat(int format)
{
    record(path() + QStringLiteral("AutoFormat ") + QString::number(format));
    if (!table_)
        return;
    QTextTableFormat tableFormat = table_->format();
    if (format == 0) {
        tableFormat.setBorder(0);
        tableFormat.setHeaderRowCount(0);
        table_->setFormat(tableFormat);
        return;
    }
    tableFormat.setBorder(1);
    tableFormat.setBorderBrush(Qt::black);
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tableFormat.setCellPadding(3);
    tableFormat.setHeaderRowCount(1);

    // Widths fitted to the longest text of each column (blanks count: a heading
    // padded with blanks asks for a wider column), with room for the padding and
    // bold letters, so a short heading like "numero" is not broken.
    const int columns = table_->columns();
    QList<int> weights(columns, 6);
    for (int r = 0; r < table_->rows(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table_->cellAt(r, c);
            if (cell.columnSpan() > 1)
                continue;
            for (const QString& line : cellText(cell).split(QLatin1Char('\r')))
                weights[c] = qBound(weights[c], int(line.size()), 60);
        }
    }
    const double total = std::accumulate(weights.cbegin(), weights.cend(), 0.0) + 3.0 * columns;
    QList<QTextLength> widths;
    for (const int weight : weights)
        widths.append(QTextLength(QTextLength::PercentageLength, 100.0 * (weight + 3) / total));
    tableFormat.setColumnWidthConstraints(widths);
    table_->setFormat(tableFormat);

    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int c = 0; c < columns; ++c) {
        QTextTableCell cell = table_->cellAt(0, c);
        QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
        cellFormat.setBackground(HeaderShade);
        cell.setFormat(cellFormat);
    }
    for (int c = 0; c < columns; ++c) {
        QTextCursor cursor = cellContents(table_->cellAt(0, c));
        cursor.mergeCharFormat(bold);
        cursor.mergeBlockCharFormat(bold);
    }
}

WordTable& WordTables::Add(const WordRange& where, int rows, int columns)
{
    const QString at = where.target_.path.endsWith(QLatin1Char('.')) ? where.target_.path.chopped(1) : where.target_.path;
    record(QStringLiteral("Tables.Add(%1, %2, %3)").arg(at).arg(rows).arg(columns));
    rows = qMax(1, rows);
    columns = qMax(1, columns);

    QTextDocument& doc = document_->textDocument();
    QTextCursor cursor(&doc);
    switch (where.target_.kind) {
    case Kind::StartOfDocument: cursor.movePosition(QTextCursor::Start); break;
    case Kind::Cell:
        if (const QList<QTextTableCell> cells = cellsOf(where.target_); !cells.isEmpty())
            cursor = cells.first().firstCursorPosition();
        break;
    default: cursor.movePosition(QTextCursor::End); break;
    }
    const bool intoEmptyParagraph = cursor.block().text().isEmpty();
    const QTextCharFormat paragraphFont = characterOnly(cursor.block().charFormat());

    // A new table: a thin black grid over the whole text width, equal columns.
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderBrush(Qt::black);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(2);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints(QList<QTextLength>(columns, QTextLength(QTextLength::PercentageLength, 100.0 / columns)));
    QTextTable* table = cursor.insertTable(rows, columns, format);

    // Qt keeps the paragraph the table went into in front of it; the word
    // processor turns that paragraph into the table, so it goes.
    if (intoEmptyParagraph) {
        const QTextBlock before = table->firstCursorPosition().block().previous();
        const QTextBlock earlier = before.previous();
        if (before.isValid() && before.text().isEmpty() && earlier.isValid()
            && !QTextCursor(earlier).currentTable()) {
            QTextCursor merge(earlier);
            merge.movePosition(QTextCursor::EndOfBlock);
            merge.deleteChar();
        }
    }

    tables_.push_back(std::unique_ptr<WordTable>(new WordTable(document_, table, Count() + 1)));
    WordTable& added = *tables_.back();
    // The cells start in the face and size of the paragraph they were inserted in.
    mergeFont(added.target(Kind::Table, 0, 0, QString()), paragraphFont);
    return added;
}

WordTable* WordTables::Item(int index) const
{
    return index >= 1 && index <= Count() ? tables_[size_t(index - 1)].get() : nullptr;
}

// ---- WordDocument, WordDocuments ----

WordDocument::WordDocument(WordApplication* app, int index)
    : app_(app), index_(index), text_(std::make_unique<QTextDocument>()), tables_(this)
{
    // A new document of the word processor: Times New Roman, 12 points.
    text_->setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    text_->setUndoRedoEnabled(false);
    typing_.setFontPointSize(12);
}

WordDocument::~WordDocument() = default;

void WordDocument::Select()
{
    record(QStringLiteral("Document.Select"));
    app_->selection_.target_ = Target{};
    app_->selection_.target_.kind = Kind::WholeDocument;
}

bool WordDocument::SaveAs(const QString& fileName)
{
    QString error;
    if (SaveAs(fileName, &error))
        return true;
    app_->noteProblem(QStringLiteral("Il documento non è stato salvato.\r") + error);
    return false;
}

bool WordDocument::SaveAs(const QString& fileName, QString* error)
{
    record(QStringLiteral("SaveAs ") + WordApplication::recorded(fileName));
    QString target = fileName;
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix != QLatin1String("odt") && suffix != QLatin1String("fodt")) {
        const QFileInfo info(fileName);
        target = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".odt");
    }
    if (!Odf::write(*text_, target, error))
        return false;
    saved_ = target;
    return true;
}

WordRange WordDocument::Content()
{
    Target target;
    target.kind = Kind::WholeDocument;
    target.document = this;
    target.path = QStringLiteral("Content.");
    return WordRange(target);
}

WordBookmark WordDocument::Bookmarks(const QString& name) { return WordBookmark(this, name); }

void WordDocument::typeText(const QString& text)
{
    QTextCursor cursor(text_.get());
    cursor.movePosition(QTextCursor::End);
    insertTyped(cursor, text, typing_, true);
}

WordDocument& WordDocuments::Add()
{
    record(QStringLiteral("Documents.Add"));
    documents_.push_back(std::unique_ptr<WordDocument>(new WordDocument(app_, Count() + 1)));
    app_->active_ = documents_.back().get();
    app_->selection_.target_ = Target{};
    return *documents_.back();
}

WordDocument* WordDocuments::Item(int index) const
{
    return index >= 1 && index <= Count() ? documents_[size_t(index - 1)].get() : nullptr;
}

// ---- WordSelection ----

Target WordSelection::current() const
{
    Target target = target_;
    target.document = app_->active_;
    target.path.clear();
    return target;
}

WordFont WordSelection::Font() const { return WordFont(current()); }

WordParagraphFormat WordSelection::ParagraphFormat() const { return WordParagraphFormat(current()); }

void WordSelection::TypeText(const QString& text)
{
    record(QStringLiteral("TypeText ") + WordApplication::recorded(text));
    target_ = Target{}; // typing ends any selection at the insertion point
    Document().typeText(text);
}

WordDocument& WordSelection::Document()
{
    if (!app_->active_) {
        app_->noteProblem(QStringLiteral("Non c'era un documento aperto: ne è stato creato uno nuovo."));
        return app_->Documents().Add();
    }
    return *app_->active_;
}

// ---- WordApplication ----

WordApplication::WordApplication() : documents_(this), selection_(this) {}

WordApplication::~WordApplication() = default;

std::shared_ptr<WordApplication> WordApplication::create()
{
    record(QStringLiteral("new Application"));
    g_latest = std::shared_ptr<WordApplication>(new WordApplication);
    return g_latest;
}

std::shared_ptr<WordApplication> WordApplication::latest() { return g_latest; }

QStringList& WordApplication::recorder()
{
    static QStringList calls;
    return calls;
}

void WordApplication::setRecording(bool on)
{
    g_recording = on;
    if (!on)
        recorder().clear();
}

bool WordApplication::isRecording() { return g_recording; }

QString WordApplication::recorded(const QString& text)
{
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\r': quoted += QLatin1String("\\r"); break;
        case u'\n': quoted += QLatin1String("\\n"); break;
        case 0x0c: quoted += QLatin1String("\\f"); break;
        case 0x0b: quoted += QLatin1String("\\v"); break;
        case u'\t': quoted += QLatin1String("\\t"); break;
        case u'"': quoted += QLatin1String("\\\""); break;
        default:
            if (c.unicode() < 0x20)
                quoted += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                quoted += c;
        }
    }
    quoted += QLatin1Char('"');
    return quoted;
}

void WordApplication::setVisible(bool visible)
{
    record(QStringLiteral("Visible = ") + (visible ? QStringLiteral("True") : QStringLiteral("False")));
    visible_ = visible;
}

Presentation::Result WordApplication::present()
{
    Presentation::Result result;
    QStringList messages = problems_;
    if (visible_) {
        for (const auto& document : documents_.documents_) {
            result = Presentation::present(document->textDocument(),
                                           QStringLiteral("Documento %1").arg(++g_untitled));
            if (!result.message.isEmpty())
                messages.append(result.message);
        }
    }
    result.message = messages.join(QLatin1Char('\r'));
    presented_ = true;
    presentation_ = result;
    return result;
}
