// Search over the massime: the query table on a small fixture corpus, the
// citation parser on the corpus' forms, bad input, and the search window
// (opening a result in its archive window, copying, names for screen readers).

#include "browser/browserwindow.h"
#include "browser/registerbrowser.h"
#include "export/wordautomation.h"
#include "help/registerhelp.h"
#include "search/citation.h"
#include "search/registersearch.h"
#include "search/resultsmodel.h"
#include "search/ricerca.h"
#include "search/searchengine.h"
#include "search/searchindex.h"
#include "search/shortcitation.h"
#include "search/textfold.h"
#include "shell/modlexoria.h"
#include "shell/scelta.h"
#include "shell/windowregistry.h"
#include "tests/support/corpusdata.h"
#include "tests/support/faultenv.h"
#include "tests/support/guitest.h"
#include "tests/support/scripteddialogs.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QRegularExpression>
#include <QProcess>
#include <QStyleOptionComboBox>
#include <QApplication>
#include <QAbstractButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTableView>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>

using corpus::Archive;
using search::MassimaRef;
using search::SortOrder;

namespace {

// The fixture: one massima per id, each ending in one of the corpus' citation forms.
struct FixtureMassima {
    const char* id;
    Archive archive;
    int topic;
    int position;
    const char* title;
    const char* text;
};

const FixtureMassima Fixture[] = {
    {"F1", Archive::condominio, 1, 1, "Parti comuni",
     "Il condomino che usa la cosa comune non può alterarne la destinazione. - (Cassazione civile, sez.II, 12 marzo 1998, n.2400)"},
    {"F2", Archive::condominio, 1, 2, "Parti comuni",
     "Le spese condominiali sono ripartite in proporzione ai millesimi. - (Tribunale Milano, 3 giugno 2005, n.711)"},
    {"F3", Archive::condominio, 2, 1, "Assemblea",
     "L’assemblea dei condomini delibera a maggioranza, perché la legge lo consente. - (Cassazione, sez.U, 7 luglio 2009, n.15000)"},
    {"F4", Archive::edilizia, 1, 1, "Permesso",
     "Il permesso di costruire è rilasciato dal sindaco; e' illegittimo il diniego non motivato. (Consiglio di Stato, sez.V, 11 agosto 1964)"},
    {"F5", Archive::edilizia, 1, 2, "Permesso",
     "La sanatoria richiede la doppia conformità perche' l'opera deve essere regolare. - (T.A.R. Sicilia, Catania, sez.II, 19 luglio 2000, n.1400)."},
    {"F6", Archive::urbanistica, 3, 1, "Piano regolatore",
     "Il piano regolatore generale vincola la proprietà privata. -(T.A.R. Lombardia, Milano, 5 maggio 1990 e 21 giugno 1991)"},
    {"F7", Archive::enti, 1, 1, "Strade",
     "Il comune risponde dei danni causati dalla strada. - (Corte d'Appello Roma, sez.I, 4 luglio 1977, n.1151 e n.1160"},
    {"F8", Archive::imprese, 1, 1, "Appalto",
     "L'appaltatore risponde dei vizi dell'opera secondo la regola d'arte, senza citazione in fondo."},
    {"F9", Archive::professionisti, 1, 1, "Compenso",
     "Il compenso del professionista spetta anche per il progetto non eseguito. - (Cassazione penale, sez.VI, 1 aprile 2009, n.7180)"},
    {"F10", Archive::espropriazioni, 1, 1, "Indennità",
     "L'indennità di esproprio è determinata dal valore venale del bene. - (Corte costituzionale, 10 ottobre 2007, n.348)"},
};

QList<search::SourceMassima> fixtureMassime()
{
    QList<search::SourceMassima> list;
    for (const FixtureMassima& f : Fixture)
        list.append({{f.archive, f.topic, f.position}, QString::fromUtf8(f.title), QString::fromUtf8(f.text)});
    return list;
}

QString idOf(const MassimaRef& ref)
{
    for (const FixtureMassima& f : Fixture)
        if (f.archive == ref.archive && f.topic == ref.topic && f.position == ref.position)
            return QString::fromLatin1(f.id);
    return QStringLiteral("?");
}

QStringList idsOf(const QList<search::Hit>& hits)
{
    QStringList ids;
    for (const search::Hit& hit : hits)
        ids << idOf(hit.ref);
    return ids;
}

QStringList idsOf(const search::Results& results) { return idsOf(results.hits); }

QStringList ids(const char* list) { return QString::fromLatin1(list).split(QLatin1Char(' '), Qt::SkipEmptyParts); }

void registerWindows()
{
    registerBrowserWindows(registry());
    registry().registerWindow(QStringLiteral("scelta"), [] { return new scelta; });
    registerSearchWindows(registry());
}

// Everything a user sees of a browser window after reaching a massima.
struct BrowserState {
    int topic = 0, position = 0, count = 0, bar = 0, row = -1;
    QString label1, label2, conta, passo, sent, listTip;
    qreal label2Points = 0;
    bool operator==(const BrowserState&) const = default;
};

BrowserState stateOf(BrowserWindow* w)
{
    BrowserState s;
    s.topic = w->currentTopic();
    s.position = w->currentPosition();
    s.count = w->topicCount();
    s.bar = control<QScrollBar>(w, "HScroll1")->value();
    s.row = control<QListWidget>(w, "List1")->currentRow();
    s.label1 = control<QLabel>(w, "Label1")->text();
    s.label2 = control<QLabel>(w, "Label2")->text();
    s.label2Points = control<QLabel>(w, "Label2")->font().pointSizeF();
    s.conta = control<QLabel>(w, "conta")->text();
    s.passo = control<QLabel>(w, "passo")->text();
    s.sent = control<QPlainTextEdit>(w, "sent")->toPlainText();
    s.listTip = control<QListWidget>(w, "List1")->toolTip();
    return s;
}

// What the user does with the mouse: a click on the topic, then the bar's
// arrows once per step, from wherever the bar stands.
bool clickTo(BrowserWindow* w, int topic, int position)
{
    if (!QTest::qWaitForWindowExposed(w))
        return false;
    auto* list = control<QListWidget>(w, "List1");
    QListWidgetItem* item = list->item(topic - 1);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    auto* bar = control<QScrollBar>(w, "HScroll1");
    for (int steps = 0; bar->value() != position; ++steps) {
        if (steps > bar->maximum())
            return false; // the bar does not get there
        // What a click on one of the bar's arrows does.
        bar->triggerAction(bar->value() < position ? QAbstractSlider::SliderSingleStepAdd
                                                   : QAbstractSlider::SliderSingleStepSub);
    }
    return w->currentTopic() == topic;
}

// Searches as Enter does; the first search of the process waits for the index.
bool searchNow(ricerca* w)
{
    w->cerca();
    return QTest::qWaitFor([w] { return !w->isBuildingIndex(); }, 30000);
}

ricerca* searchWindow() { return qobject_cast<ricerca*>(registry().show(QStringLiteral("ricerca"))); }

// What the window cuts of its own texts: a caption, a button or an entry of a
// list wider than its control, the year field's widest range, a citation wider
// than its column. One line each, naming the control, the text and the widths.
QStringList cutTexts(ricerca* w)
{
    QStringList cut;
    const auto check = [&cut](int needed, int has, const QWidget* c, const QString& text) {
        if (needed > has)
            cut << QStringLiteral("%1: \"%2\" needs %3 px, has %4").arg(c->objectName(), text).arg(needed).arg(has);
    };
    const auto own = Qt::FindDirectChildrenOnly;
    // A push button's text within its margins and frame (the style's least width is no cut).
    for (QPushButton* b : w->findChildren<QPushButton*>(QString(), own)) {
        const int frame = 2 * (b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b)
                               + b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b));
        check(b->fontMetrics().horizontalAdvance(QString(b->text()).remove(QLatin1Char('&'))) + frame, b->width(), b,
              b->text());
    }
    for (QCheckBox* b : w->findChildren<QCheckBox*>(QString(), own))
        check(b->sizeHint().width(), b->width(), b, b->text());
    for (QLabel* l : w->findChildren<QLabel*>(QString(), own)) {
        const bool caption = l->buddy() != nullptr;
        const bool countLine = l->objectName() == QLatin1String("corti") || l->objectName() == QLatin1String("periodi")
                            || l->objectName() == QLatin1String("conteggi");
        if (!caption && !countLine)
            continue;
        const QString text = caption ? QString(l->text()).remove(QLatin1Char('&')) : l->accessibleName();
        check(l->fontMetrics().horizontalAdvance(text), l->contentsRect().width(), l, text);
    }
    for (QComboBox* box : w->findChildren<QComboBox*>(QString(), own)) {
        for (int i = 0; i < box->count(); ++i) {
            QStyleOptionComboBox option;
            option.initFrom(box);
            option.currentText = box->itemText(i);
            const QSize needed = box->style()->sizeFromContents(
                QStyle::CT_ComboBox, &option, QSize(box->fontMetrics().horizontalAdvance(option.currentText), 1), box);
            check(needed.width(), box->width(), box, option.currentText);
        }
    }
    // A range scrolled in its field hides its first digits.
    auto* years = control<QLineEdit>(w, "anno");
    years->setCursorPosition(int(years->text().size()));
    if (years->cursorPositionAt(QPoint(years->contentsRect().left() + 1, years->height() / 2)) != 0)
        cut << QStringLiteral("anno: \"%1\" scrolled").arg(years->text());
    auto* list = control<QTableView>(w, "risultati");
    const int column = ResultsModel::CitationColumn;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QString citation = list->model()->index(row, column).data().toString();
        check(list->fontMetrics().horizontalAdvance(citation) + 8, list->columnWidth(column), list, citation);
    }
    return cut;
}

// Where each hit lives, "archive/topic/position".
QStringList placesOf(const QList<search::Hit>& hits)
{
    QStringList places;
    for (const search::Hit& hit : hits)
        places << QStringLiteral("%1/%2/%3").arg(corpus::info(hit.ref.archive).name).arg(hit.ref.topic).arg(hit.ref.position);
    return places;
}

// A massima as read straight from the data files the build compiled, with its closing citation
// taken apart by a few plain patterns: the counts the filters must give are
// computed here without the engine or its citation parser.
struct PlainMassima {
    QString text;
    QString topicTitle;
    QString court; // the words before the first comma of the citation
    QString section;
    QList<int> years;
    QList<int> numbers;
};

const QList<PlainMassima>& plainCorpus()
{
    static const QList<PlainMassima> corpus = [] {
        QList<PlainMassima> list;
        static const QRegularExpression date(QStringLiteral(
            "\\b\\d{1,2} (?:gennaio|febbraio|marzo|aprile|maggio|giugno|luglio|agosto|settembre|ottobre|novembre|dicembre) (\\d{4})\\b"));
        static const QRegularExpression number(QStringLiteral("\\bn\\.\\s*(\\d+)"));
        static const QRegularExpression section(QStringLiteral("\\bsez\\.\\s*([IVXLU]+)\\b"));
        for (const DataMassima& d : dataMassime()) {
            PlainMassima m{d.text, d.title, {}, {}, {}, {}};
            const qsizetype open = d.text.lastIndexOf(QLatin1Char('('));
            if (open >= 0) {
                const QString cite = d.text.mid(open + 1);
                m.court = cite.section(QLatin1Char(','), 0, 0).trimmed();
                for (const auto& x : date.globalMatch(cite))
                    m.years << x.captured(1).toInt();
                for (const auto& x : number.globalMatch(cite))
                    m.numbers << x.captured(1).toInt();
                m.section = section.match(cite).captured(1);
            }
            list << m;
        }
        return list;
    }();
    return corpus;
}

// A year whose decisions a few massime cite, more than two and at most 50 (the
// most the window prints without asking first): 1990 where it has that many in
// the data files the build compiled, else the nearest year that has; none when no year has.
std::optional<int> yearOfAFewMassime()
{
    std::map<int, int> cited; // year: massime citing it
    for (const PlainMassima& m : plainCorpus())
        for (int year : std::set<int>(m.years.cbegin(), m.years.cend()))
            ++cited[year];
    int best = 0;
    for (const auto& [year, massime] : cited)
        if (massime > 2 && massime <= 50 && (best == 0 || std::abs(year - 1990) < std::abs(best - 1990)))
            best = year;
    return best ? std::optional<int>(best) : std::nullopt;
}

// The index file the build writes beside the program.
QString shippedIndex() { return QStringLiteral(LEXORIA_BIN_DIR "/") + search::SearchEngine::indexFileName(); }

search::IndexFile corpusIndexFile(const QString& path) { return {path, corpus::ArchiveTables::Fingerprint()}; }

// Queries of every kind the window makes: words, similar words, prefixes,
// phrases, exclusions, operators, each field, each order, the archive filter.
QList<search::Query> comparisonQueries()
{
    QList<search::Query> list;
    const auto add = [&list](const char* words, bool similar = true) {
        search::Query q;
        q.words = QString::fromUtf8(words);
        q.similarWords = similar;
        list << q;
        return &list.last();
    };
    add("condominio");
    add("condomini", false);
    add("distanze costruzioni");
    add("condomin*");
    add("\"parti comuni\"");
    add("appalto -collaudo");
    add("servitù OR usucapione");
    add("")->court = QStringLiteral("Cassazione");
    add("spese")->section = QStringLiteral("II");
    add("")->years = QStringLiteral("1990-1995");
    add("")->number = QStringLiteral("1400");
    add("danno")->sort = SortOrder::DateNewestFirst;
    add("danno")->sort = SortOrder::DateOldestFirst;
    add("danno")->sort = SortOrder::ArchivePosition;
    add("danno")->archive = Archive::edilizia;
    add("distanze")->years = QStringLiteral("1985-1995");
    return list;
}

// What a user sees of the results: the counts, and each hit's place, citation and text, in order.
QStringList seen(const search::Results& r)
{
    QStringList lines{QStringLiteral("status %1 total %2").arg(int(r.status)).arg(r.total)};
    for (int n : r.perArchive)
        lines.last() += QStringLiteral(" %1").arg(n);
    for (const search::FieldCount& c : r.perCourt + r.perPeriod)
        lines << QStringLiteral("%1 (%2): %3").arg(c.label, c.value).arg(c.count);
    for (const search::Hit& h : r.hits)
        lines << QStringLiteral("%1/%2/%3 %4 | %5 | %6")
                     .arg(corpus::indexOf(h.ref.archive))
                     .arg(h.ref.topic)
                     .arg(h.ref.position)
                     .arg(h.citation.text, h.topicTitle, h.text.left(40));
    return lines;
}

// The engine whose index is built in memory, the answers every engine must give.
search::SearchEngine& memoryEngine()
{
    static search::SearchEngine engine;
    return engine;
}

} // namespace

Q_DECLARE_METATYPE(SortOrder)
Q_DECLARE_METATYPE(search::Citation::Ending)

class TestSearch : public QObject {
    Q_OBJECT
    std::optional<ProcessSettingsGuard> settings_; // from init() to cleanup()

private slots:
    void initTestCase() { ModLexoria::InitSettings(); }

    void init()
    {
        settings_.emplace();
        registerWindows();
    }
    void cleanup()
    {
        resetWindows();
        settings_.reset();
    }

    // The index the build writes answers every kind of query exactly as the
    // index built in memory from the same corpus, and offers the same fields.
    void indexFileAnswersAsTheMemoryIndex()
    {
        QVERIFY2(QFileInfo(shippedIndex()).isFile(), qPrintable(shippedIndex()));
        search::SearchEngine fromFile(&search::SearchEngine::corpusMassime, corpusIndexFile(shippedIndex()),
                                      &search::SearchEngine::corpusMassima);
        for (const search::Query& q : comparisonQueries()) {
            const QStringList file = seen(fromFile.search(q)), memory = seen(memoryEngine().search(q));
            QVERIFY2(file.size() > 1, qPrintable(q.words));
            QCOMPARE(file, memory);
        }
        QVERIFY(fromFile.figures().fromFile);
        QCOMPARE(fromFile.figures().massime, memoryEngine().figures().massime);
        QCOMPARE(fromFile.figures().unreadableCitations, memoryEngine().figures().unreadableCitations);
        QCOMPARE(fromFile.courts(), memoryEngine().courts());
        QCOMPARE(fromFile.sections(), memoryEngine().sections());
    }

    // An index file that cannot serve this corpus is never used: the index is
    // built in memory and every answer is the one the corpus gives.
    void unusableIndexFileFallsBack_data()
    {
        QTest::addColumn<QString>("damage");
        for (const char* damage : {"missing", "empty", "truncated", "folder", "pipe", "another corpus"})
            QTest::newRow(damage) << QString::fromLatin1(damage);
        for (int part : {0, 5, 10, 15}) // the header, early and late tables, the end
            QTest::newRow(qPrintable(QStringLiteral("corrupt %1/16").arg(part))) << QStringLiteral("corrupt %1").arg(part);
    }
    void unusableIndexFileFallsBack()
    {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        const QString path = dir.filePath(search::SearchEngine::indexFileName());
        QFile shipped(shippedIndex());
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QByteArray bytes = shipped.readAll();
        if (damage == QLatin1String("empty")) {
            QVERIFY(plant(path, Planted::File));
        } else if (damage == QLatin1String("truncated")) {
            QVERIFY(plant(path, Planted::File, bytes.left(bytes.size() / 2)));
        } else if (damage.startsWith(QLatin1String("corrupt"))) {
            // One block of the file overwritten: a table, records or metadata.
            const qsizetype at = bytes.size() * damage.mid(8).toInt() / 16 / 4096 * 4096;
            QRandomGenerator noise(1);
            for (qsizetype i = at; i < at + 4096 && i < bytes.size(); ++i)
                bytes[i] = char(noise.bounded(256));
            QVERIFY(plant(path, Planted::File, bytes));
        } else if (damage == QLatin1String("folder")) {
            QVERIFY(plant(path, Planted::Folder));
        } else if (damage == QLatin1String("pipe")) {
            QVERIFY(plant(path, Planted::Fifo));
        } else if (damage == QLatin1String("another corpus")) {
            QString problem;
            QVERIFY2(search::SearchIndex::write(fixtureMassime(), "fixture", path, &problem), qPrintable(problem));
        }
        search::SearchEngine engine(&search::SearchEngine::corpusMassime, corpusIndexFile(path),
                                    &search::SearchEngine::corpusMassima);
        for (const search::Query& q : comparisonQueries())
            QCOMPARE(seen(engine.search(q)), seen(memoryEngine().search(q)));
        QVERIFY(!engine.figures().fromFile);
        QVERIFY(!engine.figures().fileProblem.isEmpty());
        QCOMPARE(engine.figures().massime, memoryEngine().figures().massime);
    }

    // With its index file, the window's first search answers at once, as every
    // later one: every match counted, the first of them (up to the query's limit) listed.
    void firstSearchAnswersAtOnceFromTheFile()
    {
        search::SearchEngine engine(&search::SearchEngine::corpusMassime, corpusIndexFile(shippedIndex()),
                                    &search::SearchEngine::corpusMassima);
        ricerca w(&engine);
        w.show();
        control<QLineEdit>(&w, "testo")->setText(QStringLiteral("distanze"));
        w.cerca();
        QVERIFY(!w.isBuildingIndex());
        QVERIFY(engine.figures().fromFile);
        QVERIFY(!w.hits().isEmpty());
        search::Query every;
        every.words = QStringLiteral("distanze");
        every.similarWords = control<QCheckBox>(&w, "simili")->isChecked();
        every.limit = int(plainCorpus().size());
        const int total = engine.search(every).total;
        const int listed = std::min(total, search::Query().limit);
        QCOMPARE(int(w.hits().size()), listed);
        QCOMPARE(w.statusText(),
                 listed < total ? QStringLiteral("%1 massime trovate, elencate le prime %2.").arg(total).arg(listed)
                                : QStringLiteral("%1 massime trovate.").arg(total));
        QCOMPARE(control<QTableView>(&w, "risultati")->model()->rowCount(), w.hits().size());
    }

    // Without a usable index file, the chooser (which builds every archive) and
    // the search window itself leave the index unbuilt: the first search builds
    // it on a worker thread, the window saying so meanwhile. An engine of its
    // own, so that what earlier tests searched does not matter.
    void indexBuiltAtFirstSearchWithoutItsFile()
    {
        QTemporaryDir dir;
        search::SearchEngine engine(&search::SearchEngine::corpusMassime,
                                    corpusIndexFile(dir.filePath(search::SearchEngine::indexFileName())),
                                    &search::SearchEngine::corpusMassima);
        registry().show(QStringLiteral("scelta"));
        ricerca w(&engine);
        w.show();
        QVERIFY(!engine.isBuilt());
        control<QLineEdit>(&w, "testo")->setText(QStringLiteral("condominio"));
        w.cerca();
        QVERIFY(w.isBuildingIndex());
        QVERIFY(w.statusText().startsWith(QStringLiteral("Preparazione")));
        QTRY_VERIFY_WITH_TIMEOUT(!w.isBuildingIndex(), 30000);
        QVERIFY(engine.isBuilt());
        QVERIFY(!w.hits().isEmpty());
        QCOMPARE(engine.figures().massime, int(search::SearchEngine::corpusMassime().size()));
        QVERIFY(!engine.figures().fromFile);
    }

    // The index is built in parts on several threads: every massima must still
    // come back as itself, at its own archive, topic and position.
    void everyMassimaFoundAtItsOwnPlace()
    {
        const QList<search::SourceMassima> massime = search::SearchEngine::corpusMassime();
        search::SearchEngine engine;
        for (qsizetype i = 0; i < massime.size(); i += 37) {
            const search::SourceMassima& m = massime[i];
            QStringList words;
            for (const search::Token& t : search::tokenize(m.text).mid(0, 8))
                words << t.folded;
            search::Query q;
            q.words = QLatin1Char('"') + words.join(QLatin1Char(' ')) + QLatin1Char('"');
            q.similarWords = false;
            const search::Results r = engine.search(q);
            const auto self = std::find_if(r.hits.begin(), r.hits.end(),
                                           [&](const search::Hit& h) { return h.ref == m.ref; });
            QVERIFY2(self != r.hits.end(), qPrintable(q.words));
            QCOMPARE(self->text, m.text);
            QCOMPARE(self->topicTitle, m.topicTitle);
        }
    }

    void folding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("accents") << QStringLiteral("Perché È così") << QStringLiteral("perche e cosi");
        QTest::newRow("apostrophes") << QStringLiteral("perche' dell’attore e'") << QStringLiteral("perche dell attore e");
        QTest::newRow("acronym") << QStringLiteral("T.A.R. Sicilia, c.c.") << QStringLiteral("tar sicilia cc");
        QTest::newRow("number after n.") << QStringLiteral("n.1400 sez.II") << QStringLiteral("n 1400 sez ii");
        QTest::newRow("letters beyond the first plane")
            << QStringLiteral("𝒸𝑜𝓃𝒹𝑜𝓂𝒾𝓃𝒾𝑜 𝐂𝐎𝐍𝐃𝐎𝐌𝐈𝐍𝐈 😀") << QStringLiteral("condominio condomini");
    }
    void folding()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(search::foldedText(text), folded);
        QStringList indexed; // the words as the index reads them
        search::forEachFoldedWord(text, [&](const std::string& w) { indexed << QString::fromStdString(w); });
        QCOMPARE(indexed.join(QLatin1Char(' ')), folded);
    }

    void queries_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<bool>("similar");
        QTest::addColumn<int>("archive"); // -1: all
        QTest::addColumn<QString>("court");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("number");
        QTest::addColumn<SortOrder>("sort");
        QTest::addColumn<QStringList>("must");
        QTest::addColumn<QStringList>("mustNot");
        QTest::addColumn<bool>("ordered"); // must is the whole list, in order

        const SortOrder rel = SortOrder::Relevance;
        auto row = [&](const char* name, const char* words, bool similar, int archive, const char* court,
                       const char* section, const char* years, const char* number, SortOrder sort, const char* must,
                       const char* mustNot, bool ordered = false) {
            QTest::newRow(name) << QString::fromUtf8(words) << similar << archive << QString::fromUtf8(court)
                                << QString::fromUtf8(section) << QString::fromUtf8(years) << QString::fromUtf8(number)
                                << sort << ids(must) << ids(mustNot) << ordered;
        };
        row("accent typed, apostrophe in text", "perché", true, -1, "", "", "", "", rel, "F3 F5", "F1 F4");
        row("apostrophe typed, accent in text", "perche'", true, -1, "", "", "", "", rel, "F3 F5", "F1");
        row("no accent typed", "perche", false, -1, "", "", "", "", rel, "F3 F5", "F2");
        row("è finds e'", "è illegittimo", true, -1, "", "", "", "", rel, "F4", "F1 F5");
        row("e' finds è", "e' rilasciato", false, -1, "", "", "", "", rel, "F4", "F10");
        row("case", "CONDOMINO", false, -1, "", "", "", "", rel, "F1", "F3");
        row("similar words on", "condomino", true, -1, "", "", "", "", rel, "F1 F2 F3", "F4 F7");
        row("similar words off", "condomino", false, -1, "", "", "", "", rel, "F1", "F2 F3");
        row("adjective finds noun", "condominiale", true, -1, "", "", "", "", rel, "F1 F2 F3", "F4");
        row("prefix", "condomin*", false, -1, "", "", "", "", rel, "F1 F2 F3", "F4 F7");
        row("word in no massima", "xyzzy", true, -1, "", "", "", "", rel, "", "F1 F2 F3");
        row("similar words excluded", "comune -condominiale", true, -1, "", "", "", "", rel, "F7", "F1 F2 F3");
        row("similar words in OR", "sindaco OR condominiale", true, -1, "", "", "", "", rel, "F1 F2 F3 F4", "F7");
        row("similar words with a sign", "+condominiale maggioranza", true, -1, "", "", "", "", rel, "F3",
            "F1 F2 F4");
        row("phrase", "\"doppia conformità\"", true, -1, "", "", "", "", rel, "F5", "");
        row("phrase out of order", "\"conformità doppia\"", true, -1, "", "", "", "", rel, "", "F5");
        row("all words required", "comune strada", true, -1, "", "", "", "", rel, "F7", "F1 F4");
        row("exclusion", "comune -strada", false, -1, "", "", "", "", rel, "F1", "F7");
        row("words of the citation", "Catania", true, -1, "", "", "", "", rel, "F5", "F6");
        row("acronym typed plain", "TAR Sicilia", true, -1, "", "", "", "", rel, "F5", "F6");
        row("citation unreadable, words found", "appaltatore", true, -1, "", "", "", "", rel, "F8", "");
        row("court and its family", "", true, -1, "Cassazione", "", "", "", rel, "F1 F3 F9", "F10 F7");
        row("court exactly", "", true, -1, "Cassazione civile", "", "", "", rel, "F1", "F3 F9");
        row("T.A.R. family", "", true, -1, "T.A.R.", "", "", "", rel, "F5 F6", "F1");
        row("court of an unclosed citation", "", true, -1, "Corte d'Appello", "", "", "", rel, "F7", "F10");
        row("section", "", true, -1, "", "II", "", "", rel, "F1 F5", "F3 F9");
        row("section of the united sections", "", true, -1, "", "U", "", "", rel, "F3", "F1");
        row("year", "", true, -1, "", "", "2009", "", rel, "F3 F9", "F1 F10");
        row("year range", "", true, -1, "", "", "1990-2000", "", rel, "F1 F5 F6", "F3 F4 F7");
        row("year of a second decision", "", true, -1, "", "", "1991", "", rel, "F6", "F1");
        row("number", "", true, -1, "", "", "", "1400", rel, "F5", "F1");
        row("second number", "", true, -1, "", "", "", "n.1160", rel, "F7", "F1");
        row("words and fields", "condomino", true, -1, "Cassazione", "", "2009", "", rel, "F3", "F1 F2");
        row("archive filter", "comune", true, corpus::indexOf(Archive::enti), "", "", "", "", rel, "F7", "F1");
        row("date sort, newest first", "", true, -1, "Cassazione", "", "", "", SortOrder::DateNewestFirst, "F3 F9 F1",
            "", true);
        row("date sort, oldest first", "", true, -1, "Cassazione", "", "", "", SortOrder::DateOldestFirst, "F1 F9 F3",
            "", true);
        row("archive and position sort", "", true, -1, "Cassazione", "", "", "", SortOrder::ArchivePosition,
            "F9 F1 F3", "", true);
    }
    void queries()
    {
        QFETCH(QString, words);
        QFETCH(bool, similar);
        QFETCH(int, archive);
        QFETCH(QString, court);
        QFETCH(QString, section);
        QFETCH(QString, years);
        QFETCH(QString, number);
        QFETCH(SortOrder, sort);
        QFETCH(QStringList, must);
        QFETCH(QStringList, mustNot);
        QFETCH(bool, ordered);

        search::SearchEngine engine(&fixtureMassime);
        search::Query q;
        q.words = words;
        q.similarWords = similar;
        if (archive >= 0)
            q.archive = corpus::archives()[size_t(archive)].archive;
        q.court = court;
        q.section = section;
        q.years = years;
        q.number = number;
        q.sort = sort;
        const search::Results r = engine.search(q);
        QCOMPARE(r.status, search::Results::Status::Ok);
        const QStringList found = idsOf(r);
        if (ordered)
            QCOMPARE(found, must);
        for (const QString& id : must)
            QVERIFY2(found.contains(id), qPrintable(id + QStringLiteral(" not found in ") + found.join(' ')));
        for (const QString& id : mustNot)
            QVERIFY2(!found.contains(id), qPrintable(id + QStringLiteral(" found in ") + found.join(' ')));
        QCOMPARE(r.total, int(found.size()));
    }

    // Every field narrows: a value that no massima has gives no massima, never
    // a filter dropped. Counted against the data files read without the engine.
    void filtersAgainstTheDataFiles_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("court");
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("fromYear"); // 0: no year
        QTest::addColumn<int>("toYear");
        QTest::addColumn<int>("number");   // 0: no number
        // Words exactly as written ("anche parole simili" off), so that a plain match counts them.
        struct Row { const char* name; const char* word; const char* court; const char* section; int from, to, number; };
        const Row rows[] = {
            {"year after the corpus", "", "", "", 9999, 9999, 0},
            {"years before the corpus, with a word", "condomini", "", "", 1800, 1850, 0},
            {"number with a year after the corpus", "", "", "", 9999, 9999, 1400},
            {"number alone", "", "", "", 0, 0, 1400},
            {"number no massima has", "", "", "", 0, 0, 9999999},
            {"one year inside", "", "", "", 1998, 1998, 0},
            {"range across the corpus", "", "", "", 1000, 3000, 0},
            {"range overlapping the start", "", "", "", 1900, 1960, 0},
            {"range overlapping the end", "", "", "", 2005, 2100, 0},
            {"word and range inside", "condomini", "", "", 1990, 2000, 0},
            {"court and year", "", "Cassazione", "", 1998, 2005, 0},
            {"court, section and year", "", "Cassazione", "II", 1970, 1990, 0},
            {"court and year after the corpus", "", "Cassazione", "", 9999, 9999, 0},
            {"section no massima has", "", "", "XXX", 0, 0, 0},
            {"court no massima has, with a word", "condomini", "Corte marziana", "", 0, 0, 0},
            {"word, court and year", "distanze", "Cassazione", "", 1950, 1990, 0},
            {"word alone", "condomini", "", "", 0, 0, 0},
            {"court, section, year and number", "", "Tribunale Milano", "IV", 1975, 1975, 3364},
        };
        for (const Row& r : rows)
            QTest::newRow(r.name) << QString::fromUtf8(r.word) << QString::fromUtf8(r.court)
                                  << QString::fromUtf8(r.section) << r.from << r.to << r.number;
    }
    void filtersAgainstTheDataFiles()
    {
        QFETCH(QString, word);
        QFETCH(QString, court);
        QFETCH(QString, section);
        QFETCH(int, fromYear);
        QFETCH(int, toYear);
        QFETCH(int, number);
        const QRegularExpression wordPattern(QStringLiteral("\\b%1\\b").arg(word),
                                             QRegularExpression::CaseInsensitiveOption);
        int expected = 0;
        for (const PlainMassima& m : plainCorpus()) {
            const bool yes = (word.isEmpty() || m.text.contains(wordPattern) || m.topicTitle.contains(wordPattern))
                          && (court.isEmpty() || m.court == court || m.court.startsWith(court + QLatin1Char(' ')))
                          && (section.isEmpty() || m.section == section)
                          && (fromYear == 0 || std::any_of(m.years.cbegin(), m.years.cend(), [&](int y) {
                                  return y >= fromYear && y <= toYear;
                              }))
                          && (number == 0 || m.numbers.contains(number));
            expected += yes ? 1 : 0;
        }
        search::Query q;
        q.words = word;
        q.similarWords = false;
        q.court = court;
        q.section = section;
        if (fromYear)
            q.years = fromYear == toYear ? QString::number(fromYear) : QStringLiteral("%1-%2").arg(fromYear).arg(toYear);
        if (number)
            q.number = QString::number(number);
        q.limit = int(plainCorpus().size()); // every match comes back
        const search::Results r = search::SearchEngine::shared().search(q);
        QCOMPARE(int(r.status), int(search::Results::Status::Ok));
        QCOMPARE(r.total, expected);
        QCOMPARE(int(r.hits.size()), expected);
    }

    void countsPerArchiveIgnoreTheArchiveFilter()
    {
        search::SearchEngine engine(&fixtureMassime);
        search::Query q;
        q.words = QStringLiteral("comune");
        q.archive = Archive::edilizia; // "comune" is in F1, F2 (by their topic title) and F7 only
        const search::Results r = engine.search(q);
        QCOMPARE(r.total, 0);
        QCOMPARE(r.perArchive[size_t(corpus::indexOf(Archive::condominio))], 2);
        QCOMPARE(r.perArchive[size_t(corpus::indexOf(Archive::enti))], 1);
    }

    void badInput_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("hint");
        const int ok = int(search::Results::Status::Ok), empty = int(search::Results::Status::Empty),
                  invalid = int(search::Results::Status::Invalid);
        QTest::newRow("empty") << "" << "" << "" << empty << false;
        QTest::newRow("blanks only") << "   " << "" << "" << empty << false;
        QTest::newRow("lone asterisk") << "*" << "" << "" << invalid << true;
        QTest::newRow("asterisk after a blank") << "condominio *" << "" << "" << invalid << true;
        QTest::newRow("asterisk inside a word") << "cond*ominio" << "" << "" << invalid << true;
        QTest::newRow("one letter before the asterisk") << "c*" << "" << "" << invalid << true;
        QTest::newRow("letters beyond the first plane before the asterisk") << "𝒸𝑜𝓃𝒹𝑜*" << "" << "" << ok << false;
        QTest::newRow("a picture before the asterisk") << "😀*" << "" << "" << invalid << true;
        QTest::newRow("unbalanced quotes") << "\"doppia conformità" << "" << "" << ok << true;
        QTest::newRow("year not a number") << "condominio" << "duemila" << "" << invalid << true;
        QTest::newRow("year range backwards") << "condominio" << "2000-1990" << "" << invalid << true;
        QTest::newRow("number not a number") << "" << "" << "mille" << invalid << true;
        QTest::newRow("pasted 10,000 characters") << QString(10000, QLatin1Char('a')) << "" << "" << invalid << true;
        QTest::newRow("control characters") << QStringLiteral("condo\x01mino\x7f") << "" << "" << ok << true;
        QTest::newRow("only exclusions") << "-condominio" << "" << "" << invalid << true;
        QTest::newRow("operators alone") << "AND OR NOT" << "" << "" << invalid << true;
        QTest::newRow("signs alone") << "- + \" \"" << "" << "" << empty << false;
    }
    void badInput()
    {
        QFETCH(QString, words);
        QFETCH(QString, years);
        QFETCH(QString, number);
        QFETCH(int, status);
        QFETCH(bool, hint);
        search::SearchEngine engine(&fixtureMassime);
        search::Query q;
        q.words = words;
        q.years = years;
        q.number = number;
        const search::Results r = engine.search(q);
        QCOMPARE(int(r.status), status);
        QCOMPARE(!r.hint.isEmpty(), hint);
        if (status != int(search::Results::Status::Ok))
            QVERIFY(r.hits.isEmpty());
    }

    void citations_data()
    {
        using E = search::Citation::Ending;
        QTest::addColumn<QString>("massima");
        QTest::addColumn<E>("ending");
        QTest::addColumn<QString>("court");
        QTest::addColumn<QString>("seat");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QList<int>>("years");
        QTest::addColumn<QList<int>>("numbers");
        const QString body = QStringLiteral("Testo della massima.");
        auto row = [&](const char* name, const QString& end, E ending, const char* court, const char* seat,
                       const char* section, QDate date, QList<int> years, QList<int> numbers) {
            QTest::newRow(name) << body + end << ending << QString::fromUtf8(court) << QString::fromUtf8(seat)
                                << QString::fromUtf8(section) << date << years << numbers;
        };
        row("full, with seat", QStringLiteral(" - (T.A.R. Sicilia, Catania, sez.II, 19 luglio 2000, n.1400)"), E::Standard,
            "T.A.R. Sicilia", "Catania", "II", QDate(2000, 7, 19), {2000}, {1400});
        row("date and number", QStringLiteral(" - (Cassazione, 10 ottobre 1957, n.10172)"), E::Standard, "Cassazione", "",
            "", QDate(1957, 10, 10), {1957}, {10172});
        row("date only", QStringLiteral(" - (Cassazione civile, 14 marzo 1980)"), E::Standard, "Cassazione civile", "", "",
            QDate(1980, 3, 14), {1980}, {});
        row("two numbers", QStringLiteral(" - (Cassazione civile, 31 gennaio 1970, n.1777 e n.1787)"), E::Standard,
            "Cassazione civile", "", "", QDate(1970, 1, 31), {1970}, QList<int>{1777, 1787});
        row("two decisions", QStringLiteral(" - (T.A.R. Campania, sez.III, 19 marzo 1983, n.2743 e 26 giugno 1983, n.340)"),
            E::Standard, "T.A.R. Campania", "", "III", QDate(1983, 3, 19), QList<int>{1983, 1983}, QList<int>{2743, 340});
        row("two dates", QStringLiteral(" - (T.A.R. Sicilia, Catania, 19 aprile 1990 e 21 giugno 1990)"), E::Standard,
            "T.A.R. Sicilia", "Catania", "", QDate(1990, 4, 19), QList<int>{1990, 1990}, {});
        row("court of appeal", QStringLiteral(" - (Corte d'Appello Roma, sez.I, 4 luglio 1977, n.1151)"), E::Standard,
            "Corte d'Appello Roma", "", "I", QDate(1977, 7, 4), {1977}, {1151});
        row("united sections", QStringLiteral(" - (Cassazione, sez.U, 7 luglio 2009, n.15000)"), E::Standard, "Cassazione",
            "", "U", QDate(2009, 7, 7), {2009}, {15000});
        row("labour section", QStringLiteral(" - (Cassazione, sez.L, 2 febbraio 2002, n.1300)"), E::Standard, "Cassazione",
            "", "L", QDate(2002, 2, 2), {2002}, {1300});
        row("no dash", QStringLiteral(" (Tribunale Roma, sez.IV, 21 novembre 2010, n.2058 e n.2059)"), E::NoDash,
            "Tribunale Roma", "", "IV", QDate(2010, 11, 21), {2010}, QList<int>{2058, 2059});
        row("dash without blank", QStringLiteral(" -(Pretura Roma, 24 marzo 1960, n.127 e n.152)"), E::DashNoBlank,
            "Pretura Roma", "", "", QDate(1960, 3, 24), {1960}, QList<int>{127, 152});
        row("full stop", QStringLiteral(" - (Cassazione, sez.II, 19 marzo 1957, n.5158 e n.5173)."), E::FullStop,
            "Cassazione", "", "II", QDate(1957, 3, 19), {1957}, QList<int>{5158, 5173});
        row("trailing blank", QStringLiteral(" - (Consiglio di Stato, sez.V, 11 agosto 1964) "), E::TrailingBlank,
            "Consiglio di Stato", "", "V", QDate(1964, 8, 11), {1964}, {});
        row("never closed", QStringLiteral(" - (Cassazione, sez.II, 20 agosto 1963"), E::Unclosed, "Cassazione", "", "II",
            QDate(1963, 8, 20), {1963}, {});
        row("never closed, two numbers", QStringLiteral(" - (T.A.R. Lombardia, Brescia, sez.I, 12 ottobre 2008, n.190 e n.202"),
            E::Unclosed, "T.A.R. Lombardia", "Brescia", "I", QDate(2008, 10, 12), {2008}, QList<int>{190, 202});
        row("no citation", QString(), E::Missing, "", "", "", QDate(), {}, {});
        row("a remark in brackets", QStringLiteral(" (art. 1117 c.c.)"), E::NoDash, "", "", "", QDate(), {}, {});
        row("brackets inside the text", QStringLiteral(" (art. 1117 c.c.) e altro."), E::Missing, "", "", "", QDate(), {}, {});
    }
    void citations()
    {
        QFETCH(QString, massima);
        QFETCH(search::Citation::Ending, ending);
        QFETCH(QString, court);
        QFETCH(QString, seat);
        QFETCH(QString, section);
        QFETCH(QDate, date);
        QFETCH(QList<int>, years);
        QFETCH(QList<int>, numbers);
        const search::Citation c = search::parseCitation(massima);
        QCOMPARE(c.ending, ending);
        QCOMPARE(c.court, court);
        QCOMPARE(c.seat, seat);
        QCOMPARE(c.section, section);
        QCOMPARE(c.date(), date);
        QCOMPARE(c.years, years);
        QCOMPARE(c.numbers, numbers);
    }

    // Every citation of the delivered corpus, variants included, yields its court and year.
    void corpusCitationsAllRead()
    {
        int unread = 0;
        for (const search::SourceMassima& m : search::SearchEngine::corpusMassime())
            if (!search::parseCitation(m.text).isParsed()) {
                ++unread;
                qWarning("not read: %s", qPrintable(m.text.right(80)));
            }
        QCOMPARE(unread, 0);
    }

    void coursesOfferedIncludeFamilies()
    {
        search::SearchEngine engine(&fixtureMassime);
        const QStringList courts = engine.courts();
        for (const char* name : {"Cassazione", "Cassazione civile", "Cassazione penale", "Consiglio di Stato",
                                 "T.A.R.", "T.A.R. Sicilia", "Tribunale Milano", "Corte d'Appello Roma",
                                 "Corte costituzionale"})
            QVERIFY2(courts.contains(QString::fromUtf8(name)), name);
        QVERIFY(!courts.contains(QStringLiteral("Consiglio di"))); // a family of one court is no family
        QCOMPARE(engine.sections(), (QStringList{"I", "II", "V", "VI", "U"}));
    }

    void highlights()
    {
        search::SearchEngine engine(&fixtureMassime);
        search::Query q;
        q.words = QStringLiteral("perche condomin*");
        const search::Results r = engine.search(q);
        QCOMPARE(idsOf(r), QStringList{"F3"});
        const QString html = r.highlighter.html(r.hits.first().text);
        QVERIFY(html.contains(QStringLiteral(">perché</span>")));
        QVERIFY(html.contains(QStringLiteral(">condomini</span>")));
        QVERIFY(!html.contains(QStringLiteral(">legge</span>")));

        // A phrase is marked where its words stand in a row, not word by word elsewhere.
        q.words = QStringLiteral("\"doppia conformità\"");
        const search::Results phrase = engine.search(q);
        QCOMPARE(idsOf(phrase), QStringList{"F5"});
        QVERIFY(phrase.highlighter.html(QStringLiteral("doppia conformità; conformità doppia"))
                    .startsWith(QStringLiteral("<span")));
        QVERIFY(phrase.highlighter.html(QStringLiteral("doppia conformità; conformità doppia"))
                    .endsWith(QStringLiteral("; conformità doppia")));
    }

    // Through the window: the user's text reaches the engine; the hint shows under the field.
    void windowHintsAndEmptyQuery()
    {
        ricerca* w = searchWindow();
        auto* testo = control<QLineEdit>(w, "testo");
        testo->setText(QStringLiteral("condominio"));
        QVERIFY(searchNow(w));
        QVERIFY(control<QTableView>(w, "risultati")->model()->rowCount() > 0);
        QVERIFY(!w->countsText().isEmpty());

        testo->setText(QStringLiteral("*"));
        QVERIFY(searchNow(w));
        QVERIFY(!w->hintText().isEmpty());
        QCOMPARE(control<QTableView>(w, "risultati")->model()->rowCount(), 0);

        testo->setText(QString(10000, QLatin1Char('x')));
        QVERIFY(searchNow(w));
        QVERIFY(w->hintText().contains(QStringLiteral("10000")));

        testo->clear();
        QVERIFY(searchNow(w));
        QCOMPARE(control<QTableView>(w, "risultati")->model()->rowCount(), 0);
        QVERIFY(w->statusText().startsWith(QStringLiteral("Nessuna ricerca")));
        QVERIFY(w->hintText().isEmpty());
    }

    // A result opens in its archive window exactly as the user's clicks would leave it,
    // whatever that window showed before.
    void openingMatchesClicks_data()
    {
        QTest::addColumn<int>("beforeTopic"); // 0: the window is not loaded yet
        QTest::addColumn<int>("beforePosition");
        QTest::newRow("window not loaded") << 0 << 0;
        QTest::newRow("another topic shown") << 5 << 4;
        QTest::newRow("same topic, further on") << 10 << 6;
    }
    void openingMatchesClicks()
    {
        QFETCH(int, beforeTopic);
        QFETCH(int, beforePosition);
        const MassimaRef target{Archive::condominio, 10, 3};
        const QString name = corpus::info(target.archive).name;
        const search::Citation cite =
            search::parseCitation(corpus::ArchiveTables::Build(target.archive).Massima(target.topic, target.position));
        QVERIFY(!cite.numbers.isEmpty());

        auto prepare = [&] {
            auto* w = qobject_cast<BrowserWindow*>(registry().show(name));
            if (beforeTopic > 0 && !clickTo(w, beforeTopic, beforePosition))
                qFatal("could not reach topic %d", beforeTopic);
            return w;
        };

        // By hand.
        BrowserWindow* byHand = prepare();
        QVERIFY(clickTo(byHand, target.topic, target.position));
        const BrowserState expected = stateOf(byHand);
        QCOMPARE(expected.topic, target.topic);
        QCOMPARE(expected.position, target.position);
        resetWindows();
        registerWindows();

        // Through the search window: its own citation finds it; Enter on the result opens it.
        if (beforeTopic > 0)
            prepare();
        ricerca* w = searchWindow();
        control<QLineEdit>(w, "numero")->setText(QString::number(cite.numbers.first()));
        control<QLineEdit>(w, "anno")->setText(QString::number(cite.years.first()));
        QVERIFY(searchNow(w));
        auto* list = control<QTableView>(w, "risultati");
        int row = -1;
        for (int i = 0; i < w->hits().size(); ++i)
            if (w->hits()[i].ref == target)
                row = i;
        QVERIFY(row >= 0);
        list->setCurrentIndex(list->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Return);
        auto* opened = qobject_cast<BrowserWindow*>(registry().find(name));
        QVERIFY(opened && opened->isVisible());
        QCOMPARE(stateOf(opened), expected);
    }

    void copyPutsTextArchiveAndTopic()
    {
        const MassimaRef target{Archive::imprese, 5, 2};
        const corpus::ArchiveTables tables = corpus::ArchiveTables::Build(target.archive);
        const QString text = tables.Massima(target.topic, target.position);
        const QString expected = text + QLatin1Char('\n') + QStringLiteral("Massime sulle imprese: ") + tables.Title(5);
        QCOMPARE(ModLexoria::MassimaCopyText(target.archive, tables.Title(5), text), expected);

        // The search window's button.
        QGuiApplication::clipboard()->clear();
        ricerca* w = searchWindow();
        const search::Citation cite = search::parseCitation(text);
        control<QLineEdit>(w, "anno")->setText(QString::number(cite.years.first()));
        control<QComboBox>(w, "archivio")->setCurrentIndex(corpus::indexOf(target.archive) + 1);
        QVERIFY(searchNow(w));
        auto* list = control<QTableView>(w, "risultati");
        for (int i = 0; i < w->hits().size(); ++i)
            if (w->hits()[i].ref == target)
                list->setCurrentIndex(list->model()->index(i, 0));
        QVERIFY(w->hits().size() > 0);
        control<QPushButton>(w, "copia")->click();
        // The search window's copy holds the citation as a brief writes it too.
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 text + QLatin1Char('\n') + search::shortCitation(cite) + QLatin1Char('\n')
                     + QStringLiteral("Massime sulle imprese: ") + tables.Title(5));

        // The archive window's Ctrl+Shift+C, with nothing copied before a massima is shown.
        QGuiApplication::clipboard()->setText(QStringLiteral("prima"));
        auto* b = qobject_cast<BrowserWindow*>(registry().show(corpus::info(target.archive).name));
        QVERIFY(QTest::qWaitForWindowActive(b));
        QTest::keyClick(b, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("prima"));
        QVERIFY(clickTo(b, target.topic, target.position));
        control<QPlainTextEdit>(b, "sent")->setFocus();
        QTest::keyClick(b, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    void reachedFromBrowserAndChooser()
    {
        auto* b = qobject_cast<BrowserWindow*>(registry().show(QStringLiteral("edilizia")));
        QMenu* modifica = b->findChild<QMenu*>(QStringLiteral("modif"));
        // After the archive window's own entries: the search, then the similar massime.
        const QList<QAction*> entries = modifica->actions();
        QCOMPARE(entries.last()->text(), QStringLiteral("Massime &simili..."));
        QAction* trova = entries[entries.size() - 2];
        QCOMPARE(trova->text(), QStringLiteral("&Trova nelle massime..."));
        QCOMPARE(trova->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F")));
        trova->trigger();
        QVERIFY(registry().find(QStringLiteral("ricerca")) && registry().find(QStringLiteral("ricerca"))->isVisible());
        registry().unload(QStringLiteral("ricerca"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        auto* chooser = qobject_cast<scelta*>(registry().show(QStringLiteral("scelta")));
        auto* cerca = control<QPushButton>(chooser, "cerca");
        QCOMPARE(cerca->text(), QStringLiteral("&Cerca"));
        // It covers no other control of the chooser.
        for (QWidget* other : chooser->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (other != cerca && other->isVisible())
                QVERIFY2(!other->geometry().intersects(cerca->geometry()), qPrintable(other->objectName()));
        cerca->click();
        QVERIFY(registry().find(QStringLiteral("ricerca")) && registry().find(QStringLiteral("ricerca"))->isVisible());
    }

    // Leaving the program closes the search window too, so no window outlives the exit.
    void exitClosesTheSearchWindow()
    {
        ScriptedDialogs dialogs;
        searchWindow();
        dialogs.answerNext(QMessageBox::Yes);
        ModLexoria::ConfirmExit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!registry().isLoaded(QStringLiteral("ricerca")));
    }

    // Every control a user reaches is named for screen readers, by its visible text where it has one.
    void accessibleNames()
    {
        ricerca* w = searchWindow();
        control<QLineEdit>(w, "testo")->setText(QStringLiteral("condominio"));
        QVERIFY(searchNow(w));
        const auto name = [](QObject* o) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
            return a ? a->text(QAccessible::Name) : QString();
        };
        for (QWidget* c : w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (c->focusPolicy() == Qt::NoFocus && !qobject_cast<QLabel*>(c))
                continue;
            QVERIFY2(!name(c).isEmpty(), qPrintable(c->objectName()));
        }
        QCOMPARE(name(control<QPushButton>(w, "copia")), QStringLiteral("Copia"));
        QCOMPARE(name(control<QPushButton>(w, "stampa")), QStringLiteral("Stampa risultati"));
        QCOMPARE(name(control<QLineEdit>(w, "testo")), QStringLiteral("Parole da cercare"));
        // On Linux a combo box reads out its current entry as its name and its label through the label relation.
        auto* corte = control<QComboBox>(w, "corte");
        QCOMPARE(corte->accessibleName(), QStringLiteral("Corte"));
        bool labelled = false;
        for (const auto& [other, relation] :
             QAccessible::queryAccessibleInterface(corte)->relations(QAccessible::Label))
            labelled = labelled || other->object() == control<QLabel>(w, "lblCorte");
        QVERIFY(labelled);
        QCOMPARE(name(control<QLabel>(w, "stato")), w->statusText());
        control<QLineEdit>(w, "testo")->setText(QStringLiteral("*"));
        QVERIFY(searchNow(w));
        QCOMPARE(name(control<QLabel>(w, "avviso")), w->hintText()); // kept current
        auto* chooser = registry().show(QStringLiteral("scelta"));
        QCOMPARE(name(control<QPushButton>(chooser, "cerca")), QStringLiteral("Cerca"));
    }

    // A screen reader asks for every cell of the results, again and again: it
    // gets the same interface for the same cell, and the interfaces go with the
    // window, so memory stays flat however long it reads.
    void readingClientKeepsNoInterfacesBehind()
    {
        const auto readAll = [](ricerca* w) {
            QList<QAccessible::Id> ids;
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(control<QTableView>(w, "risultati"));
            QAccessibleTableInterface* table = list->tableInterface();
            for (int r = 0; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c) {
                    QAccessibleInterface* cell = table->cellAt(r, c);
                    if (!cell || cell->text(QAccessible::Name).isNull())
                        return QList<QAccessible::Id>{};
                    ids.append(QAccessible::uniqueId(cell));
                }
            return ids;
        };
        QList<QAccessible::Id> read;
        const QStringList queries = {QStringLiteral("condominio"), QStringLiteral("distanze"), QStringLiteral("appalto")};
        for (int cycle = 0; cycle < 20; ++cycle) {
            ricerca* w = searchWindow();
            control<QLineEdit>(w, "testo")->setText(queries[cycle % queries.size()]);
            QVERIFY(searchNow(w));
            QVERIFY(w->hits().size() > 10);
            const QList<QAccessible::Id> once = readAll(w);
            QCOMPARE(once.size(), w->hits().size() * ResultsModel::ColumnCount);
            QCOMPARE(readAll(w), once); // read again: nothing new is made
            read += once;
            registry().unload(QStringLiteral("ricerca"));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        const qsizetype alive = std::count_if(read.cbegin(), read.cend(), [](QAccessible::Id id) {
            return QAccessible::accessibleInterface(id) != nullptr;
        });
        QCOMPARE(alive, 0);
    }

    void printsTheListedMassime()
    {
        const std::optional<int> year = yearOfAFewMassime();
        if (!year)
            QSKIP("no year is cited by 3 to 50 massime of the data files compiled: no search lists that few");
        Presentation::setMode(Presentation::Mode::Suppressed);
        ScriptedDialogs dialogs;
        dialogs.answerNext(QMessageBox::Ok);
        ricerca* w = searchWindow();
        control<QPushButton>(w, "stampa")->click(); // nothing listed: told so
        QCOMPARE(dialogs.messages.size(), 1);
        control<QLineEdit>(w, "anno")->setText(QString::number(*year));
        control<QComboBox>(w, "ordine")->setCurrentIndex(int(SortOrder::DateNewestFirst));
        QVERIFY(searchNow(w));
        const QList<search::Hit> hits = w->hits();
        QVERIFY(hits.size() > 2 && hits.size() <= 50);
        control<QPushButton>(w, "stampa")->click();
        QCOMPARE(dialogs.messages.size(), 1); // only the first box, no second one
        QCOMPARE(w->statusText(), QStringLiteral("ho visualizzato il testo su WORD"));

        // One massima a page, in the listed order, each under its own archive heading line.
        QTextDocument& doc = WordApplication::latest()->ActiveDocument()->textDocument();
        int breaks = 0;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            breaks += (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) ? 1 : 0;
        QCOMPARE(breaks, int(hits.size()) - 1);
        const QString printed = doc.toPlainText();
        qsizetype at = 0;
        for (const search::Hit& hit : hits) {
            const QString heading = corpus::info(hit.ref.archive).exportHeading + hit.topicTitle + QStringLiteral("    n.")
                                  + QString::number(hit.ref.position);
            at = printed.indexOf(heading, at);
            QVERIFY2(at >= 0, qPrintable(heading));
            QVERIFY(printed.indexOf(hit.text.trimmed(), at) > at);
        }
    }
    // The counts by court and by period are links: each narrows the results to
    // exactly its count and sets the field it stands for; every count line reads
    // to a screen reader as it shows.
    void countLinesNarrowAndRead()
    {
        ricerca* w = searchWindow();
        control<QLineEdit>(w, "testo")->setText(QStringLiteral("condominio"));
        QVERIFY(searchNow(w));
        const auto name = [](QObject* o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };
        QCOMPARE(name(control<QLabel>(w, "conteggi")), w->countsText());
        QVERIFY(w->countsText().startsWith(QStringLiteral("Per archivio: ")));
        QVERIFY(w->courtCountsText().startsWith(QStringLiteral("Per corte: ")));
        QVERIFY(w->periodCountsText().startsWith(QStringLiteral("Per periodo: ")));
        QCOMPARE(name(control<QLabel>(w, "corti")), w->courtCountsText());
        QCOMPARE(name(control<QLabel>(w, "periodi")), w->periodCountsText());

        search::Query query;
        query.words = QStringLiteral("condominio");
        const search::Results all = search::SearchEngine::shared().search(query);
        QVERIFY(all.perCourt.size() > 1 && all.perPeriod.size() > 1);
        // The first line entry: "Per corte: <label> <count>".
        QVERIFY(w->courtCountsText().startsWith(
            QStringLiteral("Per corte: %1 %2").arg(all.perCourt[0].label).arg(all.perCourt[0].count)));

        Q_EMIT control<QLabel>(w, "corti")->linkActivated(QStringLiteral("corte:1"));
        QCOMPARE(control<QComboBox>(w, "corte")->currentText(), all.perCourt[1].value);
        QCOMPARE(w->statusText(), QStringLiteral("%1 massime trovate.").arg(all.perCourt[1].count));
        Q_EMIT control<QLabel>(w, "periodi")->linkActivated(QStringLiteral("periodo:0"));
        const search::FieldCount period = search::SearchEngine::shared().search([&] {
            search::Query q = query;
            q.court = all.perCourt[1].value;
            return q;
        }()).perPeriod.value(0);
        QCOMPARE(control<QLineEdit>(w, "anno")->text(), period.value);
        QCOMPARE(w->hits().size(), period.count);
        QCOMPARE(name(control<QLabel>(w, "corti")), w->courtCountsText()); // kept current
    }

    // Esc closes the window; Down from the words enters the list at its first
    // row and Up from that row goes back; Enter on a row opens it.
    void keyboard()
    {
        ricerca* w = searchWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto* words = control<QLineEdit>(w, "testo");
        auto* list = control<QTableView>(w, "risultati");
        words->setText(QStringLiteral("lastrico solare"));
        QVERIFY(searchNow(w));
        words->setFocus();
        QTest::keyClick(words, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(list->currentIndex().row(), 0);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex().row(), 1);
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), list); // not from the second row
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), words);
        QTest::keyClick(words, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!registry().isLoaded(QStringLiteral("ricerca")));
    }

    // Every access key of the window is used once.
    void accessKeysDoNotClash()
    {
        ricerca* w = searchWindow();
        QHash<QChar, QString> seen;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            QString text;
            if (auto* b = qobject_cast<QAbstractButton*>(c))
                text = b->text();
            else if (auto* l = qobject_cast<QLabel*>(c); l && l->buddy())
                text = l->text();
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            if (amp < 0 || amp + 1 >= text.size())
                continue;
            const QChar key = text[amp + 1].toLower();
            QVERIFY2(!seen.contains(key), qPrintable(text + QStringLiteral(" / ") + seen.value(key)));
            seen.insert(key, text);
        }
    }

    // "Massime simili" lists the engine's similar massime of the chosen one, from
    // the button and from an archive window's Modifica menu, and says whose they are.
    void similarMassimeFromButtonAndArchiveWindow()
    {
        ricerca* w = searchWindow();
        control<QLineEdit>(w, "testo")->setText(QStringLiteral("lastrico solare"));
        QVERIFY(searchNow(w));
        QVERIFY(!w->hits().isEmpty());
        const search::Hit chosen = w->hits().first();
        const search::Results similar = search::SearchEngine::shared().similar(chosen.ref);
        QVERIFY(!similar.hits.isEmpty());
        control<QPushButton>(w, "massimeSimili")->click();
        QCOMPARE(placesOf(w->hits()), placesOf(similar.hits));
        QVERIFY(!placesOf(w->hits()).contains(placesOf({chosen}).first()));
        QVERIFY2(w->statusText().startsWith(QStringLiteral("Massime simili a ") + search::shortCitation(chosen.citation)),
                 qPrintable(w->statusText()));
        registry().unload(QStringLiteral("ricerca"));
        flushDeletes();

        auto* b = qobject_cast<BrowserWindow*>(registry().show(corpus::info(chosen.ref.archive).name));
        QVERIFY(clickTo(b, chosen.ref.topic, chosen.ref.position));
        auto* entry = b->findChild<QAction*>(QStringLiteral("simili"));
        QCOMPARE(entry->text(), QStringLiteral("Massime &simili..."));
        entry->trigger();
        auto* opened = qobject_cast<ricerca*>(registry().find(QStringLiteral("ricerca")));
        QVERIFY(opened && opened->isVisible());
        QCOMPARE(placesOf(opened->hits()), placesOf(similar.hits));
    }

    // "Copia" gives the massima, its short citation, archive and topic; "Copia
    // citazione" the short citation alone; "Stampa elenco" one line a listed
    // massima, in the listed order.
    void citationsCopiedAndListed()
    {
        Presentation::setMode(Presentation::Mode::Suppressed);
        ricerca* w = searchWindow();
        control<QLineEdit>(w, "testo")->setText(QStringLiteral("veduta"));
        control<QComboBox>(w, "ordine")->setCurrentIndex(int(SortOrder::DateOldestFirst));
        QVERIFY(searchNow(w));
        const QList<search::Hit> hits = w->hits();
        QVERIFY(hits.size() > 2);
        const search::Hit& first = hits.first();
        const QString cite = search::shortCitation(first.citation);
        control<QPushButton>(w, "copiaCitazione")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), cite);
        control<QPushButton>(w, "copia")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), first.text + QLatin1Char('\n') + cite + QLatin1Char('\n')
                                                           + corpus::info(first.ref.archive).exportHeading
                                                           + first.topicTitle);

        control<QPushButton>(w, "stampaElenco")->click();
        const QString printed = WordApplication::latest()->ActiveDocument()->textDocument().toPlainText();
        qsizetype at = 0;
        for (const search::Hit& hit : hits) {
            const QString line = search::shortCitation(hit.citation) + QStringLiteral(" – ")
                               + corpus::info(hit.ref.archive).exportHeading + hit.topicTitle;
            at = printed.indexOf(line, at);
            QVERIFY2(at >= 0, qPrintable(line));
        }
        QVERIFY(!printed.contains(first.text)); // citations, not the massime
    }

    // Every caption, button, list entry and column shows its text whole, at the
    // screen's own scale and at twice that (a second run of this function in a
    // process of its own with QT_SCALE_FACTOR=2).
    void windowFitsItsText()
    {
        ricerca* w = searchWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        control<QComboBox>(w, "corte")->setFocus(); // fills the court and section lists
        QVERIFY(QTest::qWaitFor([w] { return control<QComboBox>(w, "corte")->count() > 1; }, 30000));
        control<QLineEdit>(w, "anno")->setText(QStringLiteral("2011-2020"));
        QStringList cut = cutTexts(w);
        // The courts with the longest citations, listed.
        control<QLineEdit>(w, "anno")->clear();
        control<QComboBox>(w, "corte")->setCurrentText(QStringLiteral("T.A.R."));
        QVERIFY(searchNow(w));
        QVERIFY(w->hits().size() > 0);
        cut << cutTexts(w);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));

        if (qEnvironmentVariableIsSet("LEXORIA_SCALED_RUN"))
            return;
        QProcess scaled;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        environment.insert(QStringLiteral("LEXORIA_SCALED_RUN"), QStringLiteral("1"));
        scaled.setProcessEnvironment(environment);
        scaled.start(QCoreApplication::applicationFilePath(), {QStringLiteral("windowFitsItsText")});
        QVERIFY(scaled.waitForFinished(120000));
        QVERIFY2(scaled.exitStatus() == QProcess::NormalExit && scaled.exitCode() == 0,
                 scaled.readAllStandardOutput().constData());
    }

    // F1 and the "?" button open the search window's own help page; the window's
    // accessible description names the key.
    void helpPageByF1AndButton()
    {
        registerPageWindowsOutsideTheGuide(registry());
        ricerca* w = searchWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        const QString description = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description);
        QVERIFY2(description.contains(QStringLiteral("F1")), qPrintable(description));
        QTest::keyClick(control<QLineEdit>(w, "testo"), Qt::Key_F1);
        QWidget* page = registry().find(ModLexoria::SearchHelpWindow);
        QVERIFY(page && page->isVisible());
        registry().unload(ModLexoria::SearchHelpWindow);
        flushDeletes();
        auto* button = control<QPushButton>(w, "guida");
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), QStringLiteral("Guida della ricerca"));
        button->click();
        page = registry().find(ModLexoria::SearchHelpWindow);
        QVERIFY(page && page->isVisible());
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
