// Search as lawyers write their queries: small words left out, similar words
// that never join two legal terms, citations typed or pasted in the words field,
// cited provisions in every written form, synonyms and period wordings, and a
// way on when nothing is found. Expected counts come from the data files read
// here with plain patterns, not from the engine.

#include "corpus/archivetables.h"
#include "help/helppages.h"
#include "search/registersearch.h"
#include "search/ricerca.h"
#include "search/searchengine.h"
#include "search/shortcitation.h"
#include "search/textfold.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"
#include "tests/support/corpusdata.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace {

search::SearchEngine& engine()
{
    static search::SearchEngine e(&search::SearchEngine::corpusMassime,
                                  search::IndexFile{QStringLiteral(LEXORIA_BIN_DIR "/") + search::SearchEngine::indexFileName(),
                                                    corpus::ArchiveTables::Fingerprint()},
                                  &search::SearchEngine::corpusMassima);
    return e;
}

search::Results find(const QString& words, bool similar = true)
{
    search::Query q;
    q.words = words;
    q.similarWords = similar;
    q.limit = 5000;
    return engine().search(q);
}

QStringList places(const search::Results& r)
{
    QStringList list;
    for (const search::Hit& h : r.hits)
        list << QStringLiteral("%1/%2/%3").arg(corpus::indexOf(h.ref.archive)).arg(h.ref.topic).arg(h.ref.position);
    list.sort();
    return list;
}

// The massime that match every one of `patterns`, each in the text or in the topic's title.
int massimeMatching(const QStringList& patterns)
{
    QList<QRegularExpression> res;
    for (const QString& pattern : patterns)
        res << QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
    int n = 0;
    for (const DataMassima& m : dataMassime()) // the text and the topic title, both of which a search reads
        n += std::all_of(res.cbegin(), res.cend(),
                         [&m](const QRegularExpression& re) { return m.text.contains(re) || m.title.contains(re); })
            ? 1
            : 0;
    return n;
}

int massimeMatching(const QString& pattern) { return massimeMatching(QStringList{pattern}); }

} // namespace

class TestSearchWords : public QObject {
    Q_OBJECT
private slots:
    // Outside a phrase a small word need not occur and is named in the hint;
    // inside a phrase it counts in its place.
    void smallWords_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("without");  // the same query without its small words
        QTest::addColumn<QString>("leftOut");  // what the hint names
        QTest::newRow("a preposition") << "distanze tra costruzioni" << "distanze costruzioni" << "tra";
        QTest::newRow("joined prepositions") << "servitù della veduta nel fondo" << "servitù veduta fondo"
                                             << "della, nel";
        QTest::newRow("apostrophe") << "dell'appaltatore responsabilità" << "appaltatore responsabilità" << "dell";
        QTest::newRow("before an operator") << "vizi e difetti OR danno" << "vizi difetti OR danno" << "e";
        QTest::newRow("excluded") << "appalto -di" << "appalto" << "di";
    }
    void smallWords()
    {
        QFETCH(QString, typed);
        QFETCH(QString, without);
        QFETCH(QString, leftOut);
        const search::Results r = find(typed);
        QCOMPARE(int(r.status), int(search::Results::Status::Ok));
        QVERIFY(r.total > 0);
        QCOMPARE(places(r), places(find(without)));
        QVERIFY2(r.hint.contains(QStringLiteral("parole comuni non cercate: ") + leftOut), qPrintable(r.hint));
        for (const QString& word : leftOut.split(QStringLiteral(", ")))
            QVERIFY(!r.highlighter.matches(word));
    }

    void smallWordsInAPhraseOrAlone()
    {
        // "distanze tra costruzioni" as a phrase is written nowhere; "servitù di veduta" is.
        QCOMPARE(find(QStringLiteral("\"distanze tra costruzioni\"")).total, 0);
        QCOMPARE(find(QStringLiteral("\"tenute a distanza\"")).total, massimeMatching(QStringLiteral("tenute a distanza")));
        const search::Results alone = find(QStringLiteral("di la"));
        QCOMPARE(int(alone.status), int(search::Results::Status::Empty));
        QVERIFY(alone.hint.contains(QStringLiteral("parole comuni non cercate: di, la")));
    }

    // "anche parole simili" joins the forms of one word and never two terms.
    void similarWords_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("other");
        QTest::addColumn<bool>("joined");
        const auto row = [](const char* a, const char* b, bool join) {
            QTest::addRow("%s %s %s", a, join ? "~" : "≠", b) << QString::fromUtf8(a) << QString::fromUtf8(b) << join;
        };
        row("condomino", "condomini", true);
        row("costruzione", "costruzioni", true);
        row("distanza", "distanze", true);
        row("danno", "danni", true);
        row("demolizione", "demolizioni", true);
        row("legittimità", "legittimazione", false);
        row("amministratore", "amministrazione", false);
        row("giudice", "giudicato", false);
        row("regola", "regolamento", false);
        row("proprietà", "proprietario", false);
        row("appalto", "appaltatore", false);
        row("comune", "comunicazione", false);
        row("sindaco", "sindacabile", false);
        row("titolo", "titolare", false);
        row("possesso", "possessore", false);
    }
    void similarWords()
    {
        QFETCH(QString, typed);
        QFETCH(QString, other);
        QFETCH(bool, joined);
        const search::Results r = find(typed);
        QCOMPARE(r.highlighter.matches(search::foldWord(other)), joined);
        QCOMPARE(find(other).highlighter.matches(search::foldWord(typed)), joined);
    }

    // A citation typed or pasted: its fields are read, and it finds its massima.
    void typedCitations_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("court");
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("finds"); // a closing citation of the data files
        QTest::newRow("full, as in a brief") << "Cass. civ., sez. II, 3 ottobre 2000, n. 11612" << "Cassazione civile"
                                             << "II" << 2000 << 11612 << "Cassazione civile, sez.II, 3 ottobre 2000, n.11612";
        QTest::newRow("without blanks") << "Cass.civ.,sez.II,3 ottobre 2000,n.11612" << "Cassazione civile" << "II"
                                        << 2000 << 11612 << "Cassazione civile, sez.II, 3 ottobre 2000, n.11612";
        QTest::newRow("number/year") << "Cass. 11612/2000" << "Cassazione" << "" << 2000 << 11612
                                     << "Cassazione civile, sez.II, 3 ottobre 2000, n.11612";
        QTest::newRow("united sections") << "Cass. S.U. 1998 n. 3541" << "Cassazione" << "U" << 1998 << 3541
                                         << "Cassazione civile, sez.U, 6 novembre 1998, n.3541";
        QTest::newRow("numeric date") << "Trib. Milano, 19/5/1997, n. 3224" << "Tribunale Milano" << "" << 1997 << 3224
                                      << "Tribunale Milano, 19 maggio 1997, n.3224";
        QTest::newRow("T.A.R. and year") << "T.A.R. Lazio 1995" << "T.A.R. Lazio" << "" << 1995 << 0
                                         << "T.A.R. Lazio, Roma, 2 aprile 1995";
        QTest::newRow("TAR in lower case") << "tar lazio 1995" << "T.A.R. Lazio" << "" << 1995 << 0
                                           << "T.A.R. Lazio, Roma, 2 aprile 1995";
        QTest::newRow("Consiglio di Stato") << "Cons. Stato, sez. VI, 5/7/1965, n. 5947" << "Consiglio di Stato" << "VI"
                                            << 1965 << 5947 << "Consiglio di Stato, sez.VI, 5 luglio 1965, n.5947";
        QTest::newRow("section in figures") << "Cass. sez. 2, 2000, n. 11612" << "Cassazione" << "II" << 2000 << 11612
                                            << "Cassazione civile, sez.II, 3 ottobre 2000, n.11612";
    }
    void typedCitations()
    {
        QFETCH(QString, typed);
        QFETCH(QString, court);
        QFETCH(QString, section);
        QFETCH(int, year);
        QFETCH(int, number);
        QFETCH(QString, finds);
        const search::Results r = find(typed);
        QVERIFY(r.typedCitation);
        QCOMPARE(r.typedCitation->court, court);
        QCOMPARE(r.typedCitation->section, section);
        QCOMPARE(r.typedCitation->year, year);
        QCOMPARE(r.typedCitation->number, number);
        QVERIFY(r.typedCitation->words.isEmpty());
        bool found = false;
        for (const search::Hit& h : r.hits)
            found = found || h.citation.text == finds;
        QVERIFY2(found, qPrintable(finds));
    }

    void wordsAreNotCitations()
    {
        for (const char* words : {"appello 1995", "cassa comune", "tribunale competente", "art. 7"})
            QVERIFY2(!find(QString::fromUtf8(words)).typedCitation, words);
    }

    // Every written form of a provision finds the massime citing it, counted in the data files.
    void provisions_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cited"); // how the massime write it, as a pattern
        const QString civil = QStringLiteral("art\\. 1117 c\\.c\\.");
        QTest::newRow("art. c.c.") << "art. 1117 c.c." << civil;
        QTest::newRow("codice civile") << "art. 1117 codice civile" << civil;
        QTest::newRow("bare number cc") << "1117 cc" << civil;
        QTest::newRow("article without paragraph") << "art. 905 c.c." << "art\\. 905(, 1° comma,)? c\\.c\\.";
        QTest::newRow("article and paragraph") << "art. 905, 1° comma, c.c." << "art\\. 905, 1° comma, c\\.c\\.";
        QTest::newRow("law number/year") << "L. 47/1985" << "legge 28 febbraio 1985, n\\. 47";
        QTest::newRow("law with its date") << "legge 28 febbraio 1985 n. 47" << "legge 28 febbraio 1985, n\\. 47";
        QTest::newRow("law n. del") << "legge n. 47 del 1985" << "legge 28 febbraio 1985, n\\. 47";
        QTest::newRow("article of a law") << "art. 18 L. 300/1970"
                                          << "art\\. 18 della legge 20 maggio 1970, n\\. 300";
        QTest::newRow("Constitution") << "art. 97 Cost." << "art\\. 97 della Costituzione";
    }
    void provisions()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cited);
        const search::Results r = find(typed);
        QCOMPARE(int(r.status), int(search::Results::Status::Ok));
        QVERIFY(r.hint.contains(QStringLiteral("norma cercata")));
        QCOMPARE(r.total, massimeMatching(cited));
        QVERIFY(r.total > 0);
        // The provision field reads the same forms.
        search::Query q;
        q.provision = typed;
        q.limit = 5000;
        QCOMPARE(places(engine().search(q)), places(r));
    }

    void unreadableProvisionFieldIsSaid()
    {
        search::Query q;
        q.provision = QStringLiteral("l'articolo sulle distanze");
        const search::Results r = engine().search(q);
        QCOMPARE(int(r.status), int(search::Results::Status::Invalid));
        QVERIFY(r.hint.startsWith(QStringLiteral("Norma non letta")));
    }

    // Today's words find the period's, and the hint says what was searched too.
    void synonyms_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written"); // what the massime say, as a pattern
        QTest::addColumn<QString>("also");
        QTest::newRow("permit") << "permesso di costruire"
                                << "concessione edilizia|licenza edilizia|permesso di costruire"
                                << "cercato anche: concessione edilizia, licenza edilizia";
        QTest::newRow("the other way round") << "concessione edilizia"
                                             << "concessione edilizia|licenza edilizia|permesso di costruire"
                                             << "cercato anche: permesso di costruire";
        QTest::newRow("thousandths") << "millesimi" << "tabelle millesimali|\\bmillesimi\\b"
                                     << "cercato anche: tabelle millesimali";
        QTest::newRow("acronym") << "P.R.G." << "P\\.R\\.G\\.|\\bPRG\\b|piano regolatore|piano urbanistico comunale|\\bPUC\\b"
                                 << "cercato anche: ";
    }
    void synonyms()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, also);
        const search::Results r = find(typed, false);
        QCOMPARE(r.total, massimeMatching(written));
        QVERIFY(r.total > 0);
        QVERIFY2(r.hint.contains(also), qPrintable(r.hint));
        // Quoted, an expression is only itself.
        const search::Results quoted = find(QLatin1Char('"') + typed + QLatin1Char('"'), false);
        QVERIFY(!quoted.hint.contains(QStringLiteral("cercato anche")));
        QVERIFY(quoted.total <= r.total);
    }

    // Nothing found: the nearest spelling, and which part of the query finds nothing.
    void nothingFoundShowsTheWay()
    {
        const search::Results misspelt = find(QStringLiteral("usucapiome"));
        QCOMPARE(misspelt.total, 0);
        QCOMPARE(misspelt.spelling, (QList<QPair<QString, QString>>{{QStringLiteral("usucapiome"), QStringLiteral("usucapione")}}));

        // The article is cited in the condominio archive only, the word is of the
        // espropriazioni archive: each finds massime, no massima has both.
        const search::Results apart = find(QStringLiteral("art. 1117 c.c. esproprio"));
        QCOMPARE(massimeMatching(QStringList{QStringLiteral("art\\. 1117 c\\.c\\."), QStringLiteral("\\bespropri")}),
                 0);
        QCOMPARE(apart.total, 0);
        QVERIFY2(apart.hint.contains(QStringLiteral("Le parole e la norma trovano massime, ma non insieme.")),
                 qPrintable(apart.hint));
        search::Query q;
        q.words = QStringLiteral("usucapione");
        q.years = QStringLiteral("1800-1850");
        const search::Results never = engine().search(q);
        QVERIFY2(never.hint.contains(QStringLiteral("Nessuna massima per l'anno.")), qPrintable(never.hint));
    }

    // The window: a pasted citation fills the fields, a provision has its field,
    // a suggestion is a link that searches it, every access key is its own.
    void window()
    {
        ricerca w(&engine());
        w.show();
        auto* testo = w.findChild<QLineEdit*>(QStringLiteral("testo"));
        const QString pasted = QStringLiteral("Cass. civ., sez. II, 3 ottobre 2000, n. 11612");
        testo->setText(pasted);
        w.cerca(); // as after the typing pause: searched, named in the hint, the words left alone
        QCOMPARE(testo->text(), pasted);
        QCOMPARE(w.hits().size(), 1);
        QVERIFY2(w.hintText().contains(QStringLiteral("citazione letta: Cassazione civile, sez. II, 2000, n. 11612")),
                 qPrintable(w.hintText()));
        QTest::keyClick(testo, Qt::Key_Return); // Enter: the citation moves to its fields
        QCOMPARE(testo->text(), QString());
        QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("corte"))->currentText(), QStringLiteral("Cassazione civile"));
        QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("sezione"))->currentText(), QStringLiteral("II"));
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("anno"))->text(), QStringLiteral("2000"));
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("numero"))->text(), QStringLiteral("11612"));
        QCOMPARE(w.hits().size(), 1);

        ricerca fresh(&engine());
        fresh.show();
        fresh.findChild<QLineEdit*>(QStringLiteral("norma"))->setText(QStringLiteral("art. 1117 c.c."));
        fresh.cerca();
        QCOMPARE(int(fresh.hits().size()), massimeMatching(QStringLiteral("art\\. 1117 c\\.c\\.")));

        auto* words = fresh.findChild<QLineEdit*>(QStringLiteral("testo"));
        fresh.findChild<QLineEdit*>(QStringLiteral("norma"))->clear();
        words->setText(QStringLiteral("usucapiome"));
        fresh.cerca();
        auto* forse = fresh.findChild<QLabel*>(QStringLiteral("forse"));
        QCOMPARE(QAccessible::queryAccessibleInterface(forse)->text(QAccessible::Name),
                 QStringLiteral("Forse cercavi: usucapione"));
        emit forse->linkActivated(QStringLiteral("0"));
        QCOMPARE(words->text(), QStringLiteral("usucapione"));
        QVERIFY(!fresh.hits().isEmpty());

        QStringList keys;
        for (QLabel* label : fresh.findChildren<QLabel*>())
            if (const qsizetype at = label->text().indexOf(QLatin1Char('&')); at >= 0 && at + 1 < label->text().size())
                keys << label->text().mid(at + 1, 1).toLower();
        for (QWidget* c : fresh.findChildren<QWidget*>())
            if (const QString text = c->property("text").toString(); !qobject_cast<QLabel*>(c) && text.contains(QLatin1Char('&')))
                keys << text.mid(text.indexOf(QLatin1Char('&')) + 1, 1).toLower();
        QVERIFY(keys.contains(QStringLiteral("m")));
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    }

    // Every example of the search window's help page, typed where the page says
    // (the words field, or the field it names), finds at least one massima: the
    // page cannot promise what the engine does not do.
    void helpPageExamplesFindMassime_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        const QString page = help::pageText(ModLexoria::SearchHelpWindow);
        QVERIFY(!page.isEmpty());
        static const QRegularExpression example(
            QStringLiteral("(?:\\b(Corte|Sezione|Anno|Numero|Norma)\\s+)?\u00ab([^\u00bb\\s][^\u00bb]*)\u00bb"));
        int rows = 0;
        for (auto it = example.globalMatch(page); it.hasNext(); ++rows) {
            const QRegularExpressionMatch m = it.next();
            const QString field = m.captured(1).isEmpty() ? QStringLiteral("Parole") : m.captured(1);
            QTest::addRow("%s %s", qPrintable(field), qPrintable(m.captured(2))) << field << m.captured(2);
        }
        QVERIFY2(rows >= 10, "the page's examples are not where the test reads them");
    }
    void helpPageExamplesFindMassime()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        search::Query q;
        if (field == QLatin1String("Parole"))
            q.words = typed;
        else if (field == QLatin1String("Corte"))
            q.court = typed;
        else if (field == QLatin1String("Anno"))
            q.years = typed;
        else if (field == QLatin1String("Numero"))
            q.number = typed;
        else if (field == QLatin1String("Norma"))
            q.provision = typed;
        else
            for (const QString& code : engine().sections()) // the section list shows codes as words
                if (search::sectionName(code) == typed)
                    q.section = code;
        QVERIFY2(field != QLatin1String("Sezione") || !q.section.isEmpty(), qPrintable(typed));
        if (!q.court.isEmpty())
            QVERIFY2(engine().courts().contains(q.court), qPrintable(typed));
        const search::Results r = engine().search(q);
        QCOMPARE(r.status, search::Results::Status::Ok);
        QVERIFY2(r.total > 0, qPrintable(typed + QStringLiteral(": ") + r.hint));
    }
};

QTEST_MAIN(TestSearchWords)
#include "tst_searchwords.moc"
