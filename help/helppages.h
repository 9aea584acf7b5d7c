#pragma once
// The pages of the on-line guide: the twelve help windows, in the order of the
// contents window, and the licence terms window; then the pages reached only
// from their own window (the search window's, with F1), which are neither
// links of the contents window nor part of the whole guide. What differs between them
// lives in this table; the texts themselves are data files compiled in as
// resources (help/texts/<window>.txt, one paragraph a line).

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace help {

struct HelpPage {
    QString name;        // window name
    QString caption;     // window title
    QString title;       // help title (Label1); empty for the licence terms
    bool wide = false;   // 9600 twips wide, keeping the left edge (manuale)
    bool licence = false;
    QString sommarioToolTip; // only manuale and licenza give their buttons tooltips
    QString stampaToolTip;
    QString link;            // the page's line in the contents window (leading blanks included)
    QColor linkBackground;
    std::optional<QColor> linkText; // the contents window's text colour when empty
    int closeRank = 0;       // guide pages close in this order in the exit sequence
    bool inGuide = true;     // a link of the contents window and a page of the whole guide
};

// The pages in the order of the contents window: the guide proper (one page for
// each archive window among them), then licenza; then the pages outside the guide.
const QList<HelpPage>& pages();
// The help windows (licence excluded), the guide's in the order the exit
// sequence closes them, then the pages outside the guide.
QList<HelpPage> pagesInClosingOrder();
// nullptr for a name that is not a page of the guide.
const HelpPage* page(const QString& name);
// The twelve help windows of the guide proper, in order.

QStringList guideWindows();

// The page's text; paragraphs are separated by a carriage return (character
// 13), which also ends a paragraph in the word processor.
QString pageText(const QString& name);

} // namespace help
