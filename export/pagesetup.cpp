#include "export/pagesetup.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

namespace PageSetup {

namespace {

// The resolution a QTextDocument measures frame margins in when it is laid out
// for another device (the layout scales them by device DPI / this value).
qreal documentDpi()
{
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96.0;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return qRound(screen->logicalDotsPerInchY());
    return 100.0;
}

} // namespace

QPageLayout pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(LeftMarginMm, TopMarginMm, RightMarginMm, BottomMarginMm),
                       QPageLayout::Millimeter);
}

void print(const QTextDocument& document, QPrinter* printer)
{
    // The page margins belong to the document's root frame, so the printer
    // draws on the whole sheet; the layout is paginated before print() sees it,
    // which keeps Qt from adding its own margins and page numbers.
    printer->setFullPage(true);
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(printer);
    const qreal toPixels = documentDpi() / 25.4;
    QTextFrameFormat root = copy->rootFrame()->frameFormat();
    root.setMargin(0);
    root.setPadding(0);
    root.setTopMargin(TopMarginMm * toPixels);
    root.setBottomMargin(BottomMarginMm * toPixels);
    root.setLeftMargin(LeftMarginMm * toPixels);
    root.setRightMargin(RightMarginMm * toPixels);
    copy->rootFrame()->setFrameFormat(root);
    copy->setPageSize(QSizeF(printer->width(), printer->height()));
    copy->print(printer);
}

} // namespace PageSetup
