#include "export/documentwindow.h"

#include "export/odfwriter.h"
#include "export/pagesetup.h"
#include "export/safefile.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QToolBar>

namespace {

// The editor opens a gap above each page break to draw its mark in; the gap is
// marked so that what is printed or saved goes without it.
constexpr int PageBreakGap = 28;
constexpr int PageBreakGapProperty = QTextFormat::UserProperty + 1;

double pixelsFromMm(const QWidget* widget, double mm) { return mm * widget->logicalDpiX() / 25.4; }

// The editor: text set on a page as wide as A4 with the page's margins, and a
// dashed line where a page break is, since an editor on screen shows one long page.
class PageEdit : public QTextEdit {
public:
    explicit PageEdit(QWidget* parent) : QTextEdit(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QTextEdit::paintEvent(event);
        QPainter painter(viewport());
        QFont label = font();
        label.setPointSizeF(qMax(7.0, label.pointSizeF() * 0.85));
        painter.setFont(label);
        const QString caption = QStringLiteral(" Interruzione di pagina ");
        const int captionWidth = painter.fontMetrics().horizontalAdvance(caption);
        const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
        const QAbstractTextDocumentLayout* layout = document()->documentLayout();
        for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
            if (!(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
                continue;
            const QRectF box = layout->blockBoundingRect(block).translated(-offset);
            const int y = int(box.top()) - PageBreakGap / 2;
            if (y < -10 || y > viewport()->height() + 10)
                continue;
            painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
            painter.drawLine(0, y, viewport()->width(), y);
            const QRect text(viewport()->width() / 2 - captionWidth / 2, y - painter.fontMetrics().height() / 2,
                             captionWidth, painter.fontMetrics().height());
            painter.fillRect(text, palette().base());
            painter.setPen(Qt::gray);
            painter.drawText(text, Qt::AlignCenter, caption);
        }
    }
};

} // namespace

DocumentWindow::DocumentWindow(const QTextDocument& content, const QString& title, QWidget* parent)
    : QMainWindow(parent), name_(title)
{
    setObjectName(QStringLiteral("DocumentWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    createEditor(content);
    createActions();
    createMenus();
    createToolBar();
    statusBar()->showMessage(QStringLiteral("Pagine A4: le interruzioni di pagina sono segnate da una linea tratteggiata."));
    updateTitle();

    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1024, 768);
    const int width = qMin(screen.width(), editor_->maximumWidth() + 48);
    resize(width, qMax(400, screen.height() * 85 / 100));
}

QTextDocument* DocumentWindow::document() const { return editor_->document(); }

std::unique_ptr<QTextDocument> DocumentWindow::printableCopy() const
{
    std::unique_ptr<QTextDocument> copy(document()->clone());
    for (QTextBlock block = copy->firstBlock(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (!format.hasProperty(PageBreakGapProperty))
            continue;
        format.clearProperty(PageBreakGapProperty);
        const qreal margin = format.topMargin() - PageBreakGap;
        if (margin > 0)
            format.setTopMargin(margin);
        else
            format.clearProperty(QTextFormat::BlockTopMargin);
        QTextCursor(block).setBlockFormat(format);
    }
    return copy;
}

void DocumentWindow::createEditor(const QTextDocument& content)
{
    QTextDocument* copy = content.clone(this);
    QTextFrameFormat root = copy->rootFrame()->frameFormat();
    root.setTopMargin(pixelsFromMm(this, PageSetup::TopMarginMm));
    root.setBottomMargin(pixelsFromMm(this, PageSetup::BottomMarginMm));
    root.setLeftMargin(pixelsFromMm(this, PageSetup::LeftMarginMm));
    root.setRightMargin(pixelsFromMm(this, PageSetup::RightMarginMm));
    copy->rootFrame()->setFrameFormat(root);
    for (QTextBlock block = copy->firstBlock(); block.isValid(); block = block.next()) {
        if (!(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
            continue;
        QTextBlockFormat gap;
        gap.setTopMargin(block.blockFormat().topMargin() + PageBreakGap);
        gap.setProperty(PageBreakGapProperty, true);
        QTextCursor(block).mergeBlockFormat(gap);
    }
    copy->setUndoRedoEnabled(true);
    copy->clearUndoRedoStacks();
    copy->setModified(false);

    editor_ = new PageEdit(this);
    editor_->setObjectName(QStringLiteral("testo"));
    editor_->setAccessibleName(QStringLiteral("Testo del documento"));
    editor_->setDocument(copy);
    editor_->setFrameShape(QFrame::NoFrame);
    const int pageWidth = qRound(pixelsFromMm(this, PageSetup::PaperWidthMm));
    editor_->setLineWrapMode(QTextEdit::FixedPixelWidth);
    editor_->setLineWrapColumnOrWidth(pageWidth);
    editor_->setMaximumWidth(pageWidth + editor_->verticalScrollBar()->sizeHint().width() + 2);
    editor_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    // The page stands out white against the grey desk around it.
    auto* desk = new QWidget(this);
    desk->setObjectName(QStringLiteral("scrivania"));
    desk->setAutoFillBackground(true);
    QPalette deskPalette = desk->palette();
    deskPalette.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    desk->setPalette(deskPalette);
    auto* layout = new QHBoxLayout(desk);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(editor_, 100);
    layout->addStretch(1);
    setCentralWidget(desk);

    connect(copy, &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
}

void DocumentWindow::createActions()
{
    printAction_ = new QAction(QIcon::fromTheme(QStringLiteral("document-print")), QStringLiteral("&Stampa..."), this);
    printAction_->setShortcut(QKeySequence::Print);
    printAction_->setStatusTip(QStringLiteral("Stampa il documento"));
    connect(printAction_, &QAction::triggered, this, &DocumentWindow::print);

    previewAction_ = new QAction(QIcon::fromTheme(QStringLiteral("document-print-preview")),
                                 QStringLiteral("&Anteprima di stampa..."), this);
    previewAction_->setStatusTip(QStringLiteral("Mostra le pagine come verranno stampate"));
    connect(previewAction_, &QAction::triggered, this, &DocumentWindow::printPreview);

    saveOdfAction_ = new QAction(QIcon::fromTheme(QStringLiteral("document-save-as")),
                                 QStringLiteral("Salva come &ODF..."), this);
    saveOdfAction_->setShortcut(QKeySequence::Save);
    saveOdfAction_->setStatusTip(QStringLiteral("Salva il documento in formato OpenDocument (.odt)"));
    connect(saveOdfAction_, &QAction::triggered, this, &DocumentWindow::saveOdfAs);

    savePdfAction_ = new QAction(QIcon::fromTheme(QStringLiteral("document-export")),
                                 QStringLiteral("Salva come &PDF..."), this);
    savePdfAction_->setStatusTip(QStringLiteral("Salva il documento in formato PDF"));
    connect(savePdfAction_, &QAction::triggered, this, &DocumentWindow::savePdfAs);

    closeAction_ = new QAction(QIcon::fromTheme(QStringLiteral("window-close")), QStringLiteral("&Chiudi"), this);
    closeAction_->setShortcut(QKeySequence::Close);
    closeAction_->setStatusTip(QStringLiteral("Chiude il documento"));
    connect(closeAction_, &QAction::triggered, this, &QWidget::close);

    for (QAction* action : {printAction_, previewAction_, saveOdfAction_, savePdfAction_, closeAction_})
        action->setToolTip(action->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")));
}

void DocumentWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(printAction_);
    file->addAction(previewAction_);
    file->addSeparator();
    file->addAction(saveOdfAction_);
    file->addAction(savePdfAction_);
    file->addSeparator();
    file->addAction(closeAction_);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Modifica"));
    QAction* undo = edit->addAction(QStringLiteral("&Annulla"), QKeySequence::Undo, editor_, &QTextEdit::undo);
    QAction* redo = edit->addAction(QStringLiteral("&Ripeti"), QKeySequence::Redo, editor_, &QTextEdit::redo);
    edit->addSeparator();
    QAction* cut = edit->addAction(QStringLiteral("&Taglia"), QKeySequence::Cut, editor_, &QTextEdit::cut);
    QAction* copy = edit->addAction(QStringLiteral("&Copia"), QKeySequence::Copy, editor_, &QTextEdit::copy);
    edit->addAction(QStringLiteral("&Incolla"), QKeySequence::Paste, editor_, &QTextEdit::paste);
    edit->addSeparator();
    edit->addAction(QStringLiteral("&Seleziona tutto"), QKeySequence::SelectAll, editor_, &QTextEdit::selectAll);
    undo->setEnabled(false);
    redo->setEnabled(false);
    cut->setEnabled(false);
    copy->setEnabled(false);
    connect(editor_, &QTextEdit::undoAvailable, undo, &QAction::setEnabled);
    connect(editor_, &QTextEdit::redoAvailable, redo, &QAction::setEnabled);
    connect(editor_, &QTextEdit::copyAvailable, cut, &QAction::setEnabled);
    connect(editor_, &QTextEdit::copyAvailable, copy, &QAction::setEnabled);
}

void DocumentWindow::createToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Documento"));
    bar->setObjectName(QStringLiteral("barraDocumento"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addAction(printAction_);
    bar->addAction(previewAction_);
    bar->addAction(saveOdfAction_);
    bar->addAction(savePdfAction_);
}

void DocumentWindow::updateTitle() { setWindowTitle(name_ + QStringLiteral("[*] - Lexoria")); }

QString DocumentWindow::suggestedPath(const QString& suffix) const
{
    QString folder = savedFile_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                          : QFileInfo(savedFile_).path();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString base = savedFile_.isEmpty() ? name_ : QFileInfo(savedFile_).completeBaseName();
    return folder + QLatin1Char('/') + base + suffix;
}

bool DocumentWindow::saveOdf(const QString& fileName, QString* error)
{
    if (!Odf::write(*printableCopy(), fileName, error))
        return false;
    savedFile_ = fileName;
    name_ = QFileInfo(fileName).fileName();
    document()->setModified(false);
    updateTitle();
    return true;
}

bool DocumentWindow::savePdf(const QString& fileName, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Impossibile scrivere il file %1: %2.").arg(QDir::toNativeSeparators(fileName), why);
        return false;
    };
    // The printer writes its file without reporting failed writes: it writes a
    // scratch copy, which must end with the PDF trailer, and only a whole one
    // takes the place of the file, so an earlier file is never left cut off.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(QStringLiteral("la cartella temporanea non può essere usata"));
    const QString draft = scratch.filePath(QStringLiteral("documento.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(draft);
    printer.setDocName(name_);
    printer.setCreator(QStringLiteral("Lexoria"));
    printer.setPageLayout(PageSetup::pageLayout());
    PageSetup::print(*printableCopy(), &printer);
    QFile written(draft);
    const QByteArray pdf = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
    if (!pdf.startsWith("%PDF") || !pdf.trimmed().endsWith("%%EOF"))
        return fail(QStringLiteral("il PDF non è stato scritto per intero (il disco è pieno?)"));
    QString reason;
    if (!SafeFile::write(fileName, pdf, &reason))
        return fail(reason);
    return true;
}

void DocumentWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PageSetup::pageLayout());
    printer.setDocName(name_);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    if (dialog.exec() == QDialog::Accepted)
        PageSetup::print(*printableCopy(), &printer);
}

void DocumentWindow::printPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PageSetup::pageLayout());
    printer.setDocName(name_);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Anteprima di stampa - ") + name_);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PageSetup::print(*printableCopy(), target); });
    preview.resize(size());
    preview.exec();
}

bool DocumentWindow::saveOdfAs()
{
    QString fileName = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva come ODF"), suggestedPath(QStringLiteral(".odt")),
        QStringLiteral("Documento di testo OpenDocument (*.odt);;Documento di testo OpenDocument piatto (*.fodt)"));
    if (fileName.isEmpty())
        return false;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".odt");
    QString error;
    if (saveOdf(fileName, &error))
        return true;
    QMessageBox::warning(this, QStringLiteral("Salva come ODF"), error);
    return false;
}

void DocumentWindow::savePdfAs()
{
    QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Salva come PDF"),
                                                    suggestedPath(QStringLiteral(".pdf")),
                                                    QStringLiteral("Documento PDF (*.pdf)"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".pdf");
    QString error;
    if (!savePdf(fileName, &error))
        QMessageBox::warning(this, QStringLiteral("Salva come PDF"), error);
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (!document()->isModified()) {
        event->accept();
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Lexoria"),
                    QStringLiteral("Il documento \"%1\" è stato modificato.\nSalvare le modifiche prima di chiuderlo?")
                        .arg(name_),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("salvaModifiche"));
    box.setDefaultButton(QMessageBox::Save);
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Salva..."));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Non salvare"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
    switch (box.exec()) {
    case QMessageBox::Save:
        if (saveOdfAs())
            event->accept();
        else
            event->ignore();
        break;
    case QMessageBox::Discard: event->accept(); break;
    default: event->ignore(); break;
    }
}
