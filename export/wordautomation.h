#pragma once
// The word processor as the exports drive it: a small object model named after
// the automation interface of the word processor they were designed for
// (Application, Documents, Selection, Font, ParagraphFormat, Tables ...). Behind
// it every document is a QTextDocument; WordApplication::present() hands it to
// the user's word processor or to the built-in document window (presentation.h).
//
// An export, from start to finish:
//
//     auto WordApp = WordApplication::create();            // new Application
//     WordApp->setVisible(true);                           // Visible = True
//     WordDocument& WordDoc = WordApp->Documents().Add();  // Documents.Add
//     WordSelection& sel = WordApp->Selection();
//     sel.Font().setName(QStringLiteral("Century Gothic"));
//     sel.Font().setSize(18);
//     sel.TypeText(QStringLiteral("LEXORIA - massime sull'edilizia\r\r"));
//     sel.Font().setSize(12);
//     sel.TypeText(heading + QLatin1Char('\r') + massima);
//     sel.Document().Select();                             // the whole document ...
//     sel.ParagraphFormat().setAlignment(3);               // ... justified
//     const Presentation::Result shown = WordApp->present();
//     if (shown.failed())
//         Dialogs::MsgBox(window, shown.message, ...);     // the caller tells the user
//
// The table of a price list:
//
//     WordDoc.Content().Paragraphs().Add();
//     WordTable& table = WordDoc.Tables().Add(WordDoc.Bookmarks(QStringLiteral("\\endofdoc")).Range(), n + 1, 5);
//     table.Range().Font().setSize(8);
//     table.Cell(1, 1).Range().setText(QStringLiteral("numero"));   // rows and columns count from 1
//     ...
//     table.AutoFormat(9);                                 // grid, shaded bold header row, widths fitted
//     WordDoc.Tables().Item(1)->Columns(4).Select();
//     sel.ParagraphFormat().setAlignment(2);               // right-aligned prices
//
// Text typed: character 13 ends a paragraph (13 10 and a lone 10 count as one
// end too), character 12 starts a new page, character 11 breaks the line, a tab
// stays a tab; other control characters are dropped. TypeText always appends at
// the end of the document, where an export's insertion point always is.
//
// Saving: SaveAs writes OpenDocument Text; a name ending in ".fodt" gets the
// flat XML form, ".odt" the package, and any other suffix (".doc" of the guide)
// is replaced by ".odt": "Lexoria-guida.doc" is written as "Lexoria-guida.odt".
//
// Presenting: nothing is shown while the calls are made. The export ends with
// present(), which shows every document of the application and reports how and
// what went wrong; the destructor presents nothing. A document that cannot reach
// the word processor opens in the built-in window, so no document is lost.
//
// Recording: while recording is switched on (tests switch it on; the program
// never does), every call is appended to WordApplication::recorder(), one line
// each, in order:
//     new Application                     Visible = True
//     Documents.Add                       Font.Name = "Century Gothic"
//     Font.Size = 18                      TypeText "LEXORIA - massime sull'edilizia\r\r"
//     Document.Select                     ParagraphFormat.Alignment = 3
//     SaveAs "/path/Lexoria-guida.doc"    Content.Paragraphs.Add
//     Tables.Add(Bookmarks("\endofdoc").Range, 11, 5)
//     Tables(1).Range.Font.Size = 8       Tables(1).Cell(2, 1).Range.Text = " 1"
//     Tables(1).AutoFormat 9              Tables(1).Columns(4).Select
// Texts are quoted with \r \n \f \t \v and \" escaped (see recorded()).

#include "export/presentation.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextTable>
#include <memory>
#include <vector>

class QTextDocument;
class WordApplication;
class WordDocument;
class WordTable;

namespace WordDetail {
// What a selection or a range stands for.
struct Target {
    enum class Kind { InsertionPoint, WholeDocument, StartOfDocument, EndOfDocument, Table, Cell, Column };
    Kind kind = Kind::InsertionPoint;
    WordDocument* document = nullptr;
    QPointer<QTextTable> table;
    int row = 0;    // 0-based
    int column = 0; // 0-based
    QString path;   // how the recording names it, with a trailing '.', or empty for the selection
};
} // namespace WordDetail

// Selection.Font, Range.Font.
class WordFont {
public:
    void setName(const QString& name); // Font.Name = "…"
    void setSize(double points);       // Font.Size = n
    QString Name() const;
    double Size() const;

private:
    friend class WordSelection;
    friend class WordRange;
    explicit WordFont(WordDetail::Target target) : target_(std::move(target)) {}
    WordDetail::Target target_;
};

// Selection.ParagraphFormat, Range.ParagraphFormat. Alignment values: 0 left,
// 1 centred, 2 right, 3 justified (4, 5, 7, 8, 9, the other justifications, too).
class WordParagraphFormat {
public:
    void setAlignment(int alignment); // ParagraphFormat.Alignment = n
    int Alignment() const;

private:
    friend class WordSelection;
    friend class WordRange;
    explicit WordParagraphFormat(WordDetail::Target target) : target_(std::move(target)) {}
    WordDetail::Target target_;
};

// Range.Paragraphs.
class WordParagraphs {
public:
    void Add(); // a new empty paragraph at the end of the range

private:
    friend class WordRange;
    explicit WordParagraphs(WordDetail::Target target) : target_(std::move(target)) {}
    WordDetail::Target target_;
};

// A stretch of a document: Document.Content, Bookmarks("\endofdoc").Range,
// Table.Range, Cell.Range.
class WordRange {
public:
    WordFont Font() const { return WordFont(target_); }
    WordParagraphFormat ParagraphFormat() const { return WordParagraphFormat(target_); }
    WordParagraphs Paragraphs() const { return WordParagraphs(target_); }
    void setText(const QString& text); // Range.Text = "…" (replaces the range's text)
    QString Text() const;              // paragraphs separated by "\r"

private:
    friend class WordDocument;
    friend class WordBookmark;
    friend class WordTable;
    friend class WordCell;
    friend class WordTables;
    explicit WordRange(WordDetail::Target target) : target_(std::move(target)) {}
    WordDetail::Target target_;
};

// Document.Bookmarks(name): the built-in "\endofdoc" and "\startofdoc".
class WordBookmark {
public:
    WordRange Range() const;

private:
    friend class WordDocument;
    WordBookmark(WordDocument* document, const QString& name) : document_(document), name_(name) {}
    WordDocument* document_;
    QString name_;
};

// Table.Cell(row, column).
class WordCell {
public:
    WordRange Range() const;

private:
    friend class WordTable;
    explicit WordCell(WordDetail::Target target) : target_(std::move(target)) {}
    WordDetail::Target target_;
};

// Table.Columns(column).
class WordColumn {
public:
    void Select(); // the selection becomes this column's cells

private:
    friend class WordTable;
    explicit WordColumn(WordDetail::Target target) : target_(std::move(target)) {}
    WordDetail::Target target_;
};

class WordTable {
public:
    WordRange Range() const;                  // the whole table
    WordCell Cell(int row, int column) const; // from 1
    WordColumn Columns(int column) const;     // from 1
    // Format 0 takes the grid away; any other (the price list uses 9) gives a
    // black grid, a shaded bold header row repeated on every page and column
    // widths fitted to the texts.
    void AutoFormat(int format);

    int rowCount() const;
    int columnCount() const;
    QTextTable* textTable() const { return table_; }

private:
    friend class WordTables;
    WordTable(WordDocument* document, QTextTable* table, int index)
        : document_(document), table_(table), index_(index) {}
    WordDetail::Target target(WordDetail::Target::Kind kind, int row, int column, const QString& path) const;
    QString path() const;

    WordDocument* document_;
    QPointer<QTextTable> table_;
    int index_;
};

// Document.Tables.
class WordTables {
public:
    // A table of `rows` × `columns` empty cells at the start of `where`; inserted
    // into an empty paragraph, it takes that paragraph's place.
    WordTable& Add(const WordRange& where, int rows, int columns);
    int Count() const { return int(tables_.size()); }
    WordTable* Item(int index) const; // from 1; nullptr when there is no such table

private:
    friend class WordDocument;
    explicit WordTables(WordDocument* document) : document_(document) {}
    WordDocument* document_;
    std::vector<std::unique_ptr<WordTable>> tables_;
};

class WordDocument {
public:
    ~WordDocument();
    WordDocument(const WordDocument&) = delete;
    WordDocument& operator=(const WordDocument&) = delete;

    void Select();                        // Document.Select: the selection becomes the whole document
    bool SaveAs(const QString& fileName); // see "Saving" above; false (and a problem noted) on failure
    // The same, recorded alike, but the Italian `error` goes to the caller, which
    // tells the user; the earlier file, if any, is kept on failure.
    bool SaveAs(const QString& fileName, QString* error);
    WordRange Content();
    WordBookmark Bookmarks(const QString& name);
    WordTables& Tables() { return tables_; }

    QTextDocument& textDocument() { return *text_; }
    const QTextDocument& textDocument() const { return *text_; }
    QString savedFileName() const { return saved_; } // the file SaveAs wrote, empty before
    int index() const { return index_; }              // Documents.Item(index)
    WordApplication& application() { return *app_; }

private:
    friend class WordDocuments;
    friend class WordSelection;
    friend class WordFont;
    WordDocument(WordApplication* app, int index);
    void typeText(const QString& text);

    WordApplication* app_;
    int index_;
    std::unique_ptr<QTextDocument> text_;
    QTextCharFormat typing_; // the insertion point's format
    WordTables tables_;
    QString saved_;
};

// Application.Documents.
class WordDocuments {
public:
    WordDocument& Add(); // a new empty document, now the active one
    int Count() const { return int(documents_.size()); }
    WordDocument* Item(int index) const; // from 1; nullptr when there is no such document

private:
    friend class WordApplication;
    explicit WordDocuments(WordApplication* app) : app_(app) {}
    WordApplication* app_;
    std::vector<std::unique_ptr<WordDocument>> documents_;
};

// Application.Selection: the insertion point at the end of the active document,
// the whole document after Document.Select, or a table column after Columns(n).Select.
class WordSelection {
public:
    WordFont Font() const;
    WordParagraphFormat ParagraphFormat() const;
    void TypeText(const QString& text);
    WordDocument& Document(); // the active document (one is added if there is none)

private:
    friend class WordApplication;
    friend class WordDocument;
    friend class WordDocuments;
    friend class WordColumn;
    explicit WordSelection(WordApplication* app) : app_(app) {}
    WordDetail::Target current() const;

    WordApplication* app_;
    WordDetail::Target target_; // kind and table; the document is always the active one
};

class WordApplication {
public:
    // A new application object (recorded as "new Application"); it becomes latest().
    static std::shared_ptr<WordApplication> create();
    // The application object of the latest export, kept until the next one.
    static std::shared_ptr<WordApplication> latest();
    // Every call made through any application object while recording, one line
    // each, in order. Off by default, so the program keeps no record of its exports.
    static QStringList& recorder();
    // Switching recording off also clears the record.
    static void setRecording(bool on);
    static bool isRecording();
    // A text as the recording quotes it.
    static QString recorded(const QString& text);

    ~WordApplication();
    WordApplication(const WordApplication&) = delete;
    WordApplication& operator=(const WordApplication&) = delete;

    void setVisible(bool visible); // Visible = True / False
    bool Visible() const { return visible_; }
    WordDocuments& Documents() { return documents_; }
    WordSelection& Selection() { return selection_; }
    WordDocument* ActiveDocument() const { return active_; }

    // Shows every document (presentation.h) and reports the way taken for the
    // last one, with every problem of the export (a failed SaveAs too) in `message`.
    // Not visible: nothing is shown (Route::NotShown).
    Presentation::Result present();
    bool isPresented() const { return presented_; }
    const Presentation::Result& presentation() const { return presentation_; }

    // Problems met by the calls so far (Italian, for the user).
    const QStringList& problems() const { return problems_; }

private:
    friend class WordDocuments;
    friend class WordDocument;
    friend class WordSelection;
    friend class WordFont;
    friend class WordParagraphFormat;
    friend class WordParagraphs;
    friend class WordRange;
    friend class WordTable;
    friend class WordTables;
    friend class WordColumn;
    WordApplication();
    void noteProblem(const QString& problem) { problems_.append(problem); }

    bool visible_ = false;
    WordDocuments documents_;
    WordSelection selection_;
    WordDocument* active_ = nullptr;
    QStringList problems_;
    bool presented_ = false;
    Presentation::Result presentation_;
};
