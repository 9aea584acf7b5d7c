#pragma once
// The built-in document window: where no word processor can take a document, it
// is shown here, editable, on a page as wide as A4, with its page breaks marked;
// it prints, previews and saves as OpenDocument or PDF on A4 pages. It stands for
// a separate program: it deletes itself when closed and asks first whether to
// save what the user changed.

#include <QMainWindow>
#include <memory>

class QAction;
class QTextDocument;
class QTextEdit;

class DocumentWindow : public QMainWindow {
    Q_OBJECT
public:
    // Shows a copy of `content` under the name `title` ("Documento 1").
    explicit DocumentWindow(const QTextDocument& content, const QString& title, QWidget* parent = nullptr);

    QTextEdit* editor() const { return editor_; }
    QTextDocument* document() const;
    QString documentName() const { return name_; }

    // Writes the document; false with an Italian text in `error` on failure.
    bool saveOdf(const QString& fileName, QString* error = nullptr);
    bool savePdf(const QString& fileName, QString* error = nullptr);

    // The commands of the menus: each asks for what it needs.
    void print();
    void printPreview();
    bool saveOdfAs();
    void savePdfAs();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createEditor(const QTextDocument& content);
    void createActions();
    void createMenus();
    void createToolBar();
    void updateTitle();
    QString suggestedPath(const QString& suffix) const;
    // The document as printed and saved: without the editor's page-break gaps.
    std::unique_ptr<QTextDocument> printableCopy() const;

    QTextEdit* editor_ = nullptr;
    QString name_;
    QString savedFile_;
    QAction* printAction_ = nullptr;
    QAction* previewAction_ = nullptr;
    QAction* saveOdfAction_ = nullptr;
    QAction* savePdfAction_ = nullptr;
    QAction* closeAction_ = nullptr;
};
