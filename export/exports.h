#pragma once
// The documents the program prints: the massime of a browser window, one help
// text, the licence terms, the whole guide and the price list. Each makes a new
// application object and a new document through the automation layer and ends
// by presenting it. What they print comes from their callers; failures come
// back in the presentation result for the caller to tell the user.

#include "export/presentation.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace Exports {

// What the export of massime reads from, and does to, the window that asks for it.
class MassimeSource {
public:
    virtual ~MassimeSource() = default;
    virtual QString archiveHeading() const = 0; // "Massime sul condominio: "
    virtual QString topicTitle() const = 0;
    virtual QString contaCaption() const = 0; // the position as the window shows it
    virtual QString massima(int position) const = 0;
    virtual int topicCount() const = 0;
    virtual bool printAll() const = 0;
    virtual int barValue() const = 0;
    virtual void setBarValue(int value) = 0; // runs the window's bar change
    virtual void setHint(const QString& text) = 0;
    // Sets the hint later, once the window's own call has returned: a word
    // processor that fails after it was started. Empty: no later hint.
    virtual std::function<void(const QString&)> laterHint() { return {}; }
};

// The hints the export of massime leaves: the document reached the word
// processor, or the built-in window shows it (no word processor is installed,
// or the one found failed).
inline const QString ShownHint = QStringLiteral("ho visualizzato il testo su WORD");
inline const QString ShownInWindowHint = QStringLiteral("ho visualizzato il testo nella finestra dei documenti");

// The massima shown, or with printAll() every massima from it to the end of the
// topic, one to a page; the bar is left one step past the last. The caller has
// already checked that the topic holds massime.
Presentation::Result printMassime(MassimeSource& source);

// The heading every help print opens with.
struct GuideHeading {
    QString programName;
    QString subtitle;
};

Presentation::Result printHelpText(const GuideHeading& heading, const QString& title, const QString& text);
// A compact list in one document: the heading, `title`, then one paragraph a
// line, in the order given (the search window's list of citations).
Presentation::Result printList(const GuideHeading& heading, const QString& title, const QStringList& lines);
Presentation::Result printLicence(const GuideHeading& heading, const QString& licenceText);

struct GuidePage {
    QString title;
    QString text;
};

// The guide pages in one document, saved as `fileName` (".doc" becomes ".odt");
// when that cannot be written, as `fallbackName` (its folder made if missing).
// `savedAs` gets the file written, empty when saving failed. A failed save keeps
// the earlier file and is reported in the result's message: the guide was not
// saved, where and why; the document is presented all the same.
Presentation::Result printWholeGuide(const GuideHeading& heading, const QList<GuidePage>& pages,
                                     const QString& fileName, QString* savedAs,
                                     const QString& fallbackName = QString());

struct PriceRow {
    QString name;
    QString subject; // "argomento trattato"
    double listPrice = 0; // euro, VAT and shipping excluded
    double offerPrice = 0; // euro, bought over the internet

    bool operator==(const PriceRow&) const = default;
};

// The price list as a table; prices "##,##0.00" in `locale`.
Presentation::Result printPriceList(const QList<PriceRow>& rows, const QString& purchasePage, const QLocale& locale);

// "##,##0.00": grouped thousands, at least one integer digit, two decimals.
QString priceText(double value, const QLocale& locale);

} // namespace Exports
