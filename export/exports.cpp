#include "export/exports.h"

#include "export/wordautomation.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTextTable>

namespace Exports {

namespace {

const QString DocumentFont = QStringLiteral("Century Gothic");
const QString ParagraphEnd = QStringLiteral("\r");
const QString NewPage = QStringLiteral("\f");
constexpr int Justify = 3;
constexpr int RightAlign = 2;

// Every export opens the same way: a new visible application, a new document,
// the document font.
std::shared_ptr<WordApplication> startDocument()
{
    auto app = WordApplication::create();
    app->setVisible(true);
    app->Documents().Add();
    app->Selection().Font().setName(DocumentFont);
    return app;
}

void typeAt(WordSelection& selection, double points, const QString& text)
{
    selection.Font().setSize(points);
    selection.TypeText(text);
}

// Every paragraph of the document justified.
void justifyDocument(WordSelection& selection)
{
    selection.Document().Select();
    selection.ParagraphFormat().setAlignment(Justify);
}

void typeGuideHeading(WordSelection& selection, const GuideHeading& heading)
{
    typeAt(selection, 20, heading.programName + ParagraphEnd);
    typeAt(selection, 16, heading.subtitle + ParagraphEnd + ParagraphEnd + ParagraphEnd);
}

} // namespace

Presentation::Result printMassime(MassimeSource& source)
{
    source.setHint(QStringLiteral("sto caricando WORD"));
    auto app = startDocument();
    WordSelection& selection = app->Selection();
    typeAt(selection, 18, QStringLiteral("LEXORIA - massime sull'edilizia") + ParagraphEnd + ParagraphEnd);
    selection.Font().setSize(12);
    for (;;) {
        const QString number = source.contaCaption();
        selection.TypeText(source.archiveHeading() + source.topicTitle() + QStringLiteral("    n.") + number
                           + ParagraphEnd);
        selection.TypeText(source.massima(number.trimmed().toInt()));
        if (!source.printAll())
            break;
        // Each step must move the bar: at its maximum it cannot, and the loop ends
        // there whatever the topic count says.
        const int before = source.barValue();
        source.setBarValue(before + 1);
        if (source.barValue() <= before || source.barValue() > source.topicCount())
            break;
        selection.TypeText(ParagraphEnd + NewPage);
    }
    justifyDocument(selection);
    const Presentation::Result shown = app->present();
    // The hint names the way the document went: the built-in window, whether no word
    // processor is installed or the one found failed, is never called WORD.
    source.setHint(shown.route == Presentation::Route::DocumentWindow ? ShownInWindowHint : ShownHint);
    if (shown.handover) {
        if (auto later = source.laterHint())
            QObject::connect(shown.handover, &Presentation::Handover::failed, shown.handover,
                             [later] { later(ShownInWindowHint); });
    }
    return shown;
}

Presentation::Result printHelpText(const GuideHeading& heading, const QString& title, const QString& text)
{
    auto app = startDocument();
    WordSelection& selection = app->Selection();
    typeGuideHeading(selection, heading);
    selection.TypeText(QStringLiteral("Guida: ") + title + ParagraphEnd + ParagraphEnd);
    typeAt(selection, 12, text + ParagraphEnd);
    justifyDocument(selection);
    return app->present();
}

Presentation::Result printList(const GuideHeading& heading, const QString& title, const QStringList& lines)
{
    auto app = startDocument();
    WordSelection& selection = app->Selection();
    typeGuideHeading(selection, heading);
    typeAt(selection, 14, title + ParagraphEnd + ParagraphEnd);
    selection.Font().setSize(11);
    for (const QString& line : lines)
        selection.TypeText(line + ParagraphEnd);
    return app->present();
}

Presentation::Result printLicence(const GuideHeading& heading, const QString& licenceText)
{
    auto app = startDocument();
    WordSelection& selection = app->Selection();
    typeGuideHeading(selection, heading);
    typeAt(selection, 12, licenceText + ParagraphEnd);
    justifyDocument(selection);
    return app->present();
}

namespace {

// Saves the guide as `fileName`, making its folder first (the user's documents
// folder may not exist yet); on failure notes why, and that an earlier file
// there is untouched.
bool saveGuide(WordDocument& guide, const QString& fileName, QStringList* problems)
{
    if (fileName.isEmpty()) {
        problems->append(QStringLiteral("Non c'è una cartella in cui salvarla."));
        return false;
    }
    QDir().mkpath(QFileInfo(fileName).path());
    QString error;
    if (guide.SaveAs(fileName, &error))
        return true;
    problems->append(error);
    const QFileInfo name(fileName);
    if (QFileInfo(name.path() + QLatin1Char('/') + name.completeBaseName() + QStringLiteral(".odt")).isFile())
        problems->append(QStringLiteral("Il file salvato in precedenza è rimasto com'era."));
    return false;
}

} // namespace

Presentation::Result printWholeGuide(const GuideHeading& heading, const QList<GuidePage>& pages,
                                     const QString& fileName, QString* savedAs, const QString& fallbackName)
{
    auto app = startDocument();
    WordSelection& selection = app->Selection();
    typeGuideHeading(selection, heading);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        selection.TypeText(QStringLiteral("Guida: ") + pages[i].title + ParagraphEnd + ParagraphEnd);
        if (i == 0)
            selection.Font().setSize(12); // so the first title stays at 16 points
        selection.TypeText(pages[i].text + ParagraphEnd + (i + 1 < pages.size() ? NewPage : QString()));
    }
    justifyDocument(selection);
    WordDocuments& documents = app->Documents();
    WordDocument* guide = documents.Item(documents.Count());
    QStringList problems;
    bool saved = guide && saveGuide(*guide, fileName, &problems);
    if (guide && !saved && !fallbackName.isEmpty())
        saved = saveGuide(*guide, fallbackName, &problems);
    if (savedAs)
        *savedAs = saved ? guide->savedFileName() : QString();
    Presentation::Result shown = app->present();
    if (!saved) {
        problems.prepend(QStringLiteral("La guida completa non è stata salvata."));
        shown.message = problems.join(QLatin1Char('\r'))
            + (shown.message.isEmpty() ? QString() : QLatin1Char('\r') + shown.message);
    }
    return shown;
}

QString priceText(double value, const QLocale& locale) { return locale.toString(value, 'f', 2); }

Presentation::Result printPriceList(const QList<PriceRow>& rows, const QString& purchasePage, const QLocale& locale)
{
    auto app = startDocument();
    WordSelection& selection = app->Selection();
    typeAt(selection, 20, QStringLiteral("prodotti software VELARIA") + ParagraphEnd + ParagraphEnd);
    typeAt(selection, 12, QStringLiteral("acquistabili dalla pagina ") + purchasePage + ParagraphEnd + ParagraphEnd);

    WordDocument& document = *app->ActiveDocument();
    document.Content().Paragraphs().Add();
    const int n = int(rows.size());
    WordTable& table = document.Tables().Add(document.Bookmarks(QStringLiteral("\\endofdoc")).Range(), n + 1, 5);
    table.Range().Font().setSize(8);
    const QStringList headings = {QStringLiteral("numero"), QStringLiteral("nome del software"),
                                  QStringLiteral("argomento trattato                    "),
                                  QStringLiteral("listino in euro"), QStringLiteral("in offerta ad euro")};
    for (int c = 0; c < 5; ++c)
        table.Cell(1, c + 1).Range().setText(headings[c]);
    for (int k = 1; k <= n; ++k) {
        const PriceRow& row = rows[k - 1];
        table.Cell(k + 1, 1).Range().setText(QLatin1Char(' ') + QString::number(k));
        table.Cell(k + 1, 2).Range().setText(row.name);
        table.Cell(k + 1, 3).Range().setText(row.subject);
        table.Cell(k + 1, 4).Range().setText(priceText(row.listPrice, locale));
        table.Cell(k + 1, 5).Range().setText(priceText(row.offerPrice, locale));
    }
    table.AutoFormat(9);
    for (int column : {4, 5}) {
        document.Tables().Item(1)->Columns(column).Select();
        selection.ParagraphFormat().setAlignment(RightAlign);
    }
    return app->present();
}

} // namespace Exports
