#pragma once
// The page every document of the program is set on: A4 portrait with the margins
// of a new word-processor document. The written files and the built-in window's
// print both use it, so a document paginates alike wherever it is printed.

#include <QMarginsF>
#include <QPageLayout>

class QPrinter;
class QTextDocument;

namespace PageSetup {

constexpr double PaperWidthMm = 210.0;
constexpr double PaperHeightMm = 297.0;
constexpr double TopMarginMm = 25.0;
constexpr double BottomMarginMm = 20.0;
constexpr double LeftMarginMm = 20.0;
constexpr double RightMarginMm = 20.0;

constexpr double textWidthMm() { return PaperWidthMm - LeftMarginMm - RightMarginMm; }

// A4 portrait with the margins above.
QPageLayout pageLayout();

// Prints `document` on A4 pages with the margins above (on a printer, in a print
// preview or into a PDF). The document itself is not touched: a copy is laid out.
void print(const QTextDocument& document, QPrinter* printer);

} // namespace PageSetup
