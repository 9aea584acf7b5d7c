#pragma once
// The search window: massime of every archive found as the user types, by words
// and by the fields of their citation, with the text of the chosen one below.
// A result opens in its archive window through that window's own topic choice
// and bar change, so the window ends up exactly as the user's clicks leave it.

#include "search/searchengine.h"
#include "shell/controltable.h"
#include "shell/scaledform.h"
#include "shell/windowregistry.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;
class QTimer;
class QTableView;
class ResultsModel;

class ricerca : public QWidget, public FormHooks {
    Q_OBJECT
public:
    // The engine defaults to the one over the program's corpus.
    explicit ricerca(search::SearchEngine* engine = nullptr, QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Unload() override;

    // Searches now with what the fields hold (typing searches after a short pause).
    // The first search builds the index on a worker thread and shows the results when it is done.
    void cerca();
    bool isBuildingIndex() const { return building_; }
    // The result at `row` of the list in its archive window.
    void apri_Click();
    void copia_Click();
    void stampa_Click();
    void chiudi_Click();
    // The window's own help page (also F1).
    void guida_Click();
    // The massime closest in substance to the chosen one, listed in its place.
    void massimeSimili_Click();
    // The chosen massima's citation alone, as a brief writes it.
    void copiaCitazione_Click();
    // The listed massime as a compact list: one line each, citation, archive and topic.
    void stampaElenco_Click();
    // Lists the massime closest to the one at `topic` and `position` of the
    // archive window `archiveName` (an archive window's "Massime simili...");
    // false when there is no massima there.
    Q_INVOKABLE bool showSimilarTo(const QString& archiveName, int topic, int position);

    const QList<search::Hit>& hits() const;
    QString statusText() const;
    QString hintText() const;
    QString countsText() const;
    QString courtCountsText() const;
    QString periodCountsText() const;

    // Opens `ref` in its archive window by choosing its topic and moving the bar,
    // as a user does; false when that window cannot be found.
    static bool openInArchiveWindow(const search::MassimaRef& ref);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    std::vector<ControlTable::Control> controlTable();
    QTableView* resultsList(QWidget* parent);
    void connectSignals();
    void setTabOrder();
    void fillCitationLists();
    search::Query currentQuery() const;
    // Builds the index on a worker thread, the window staying responsive, then searches.
    void buildIndexThenSearch();
    void showResults(const search::Results& results);
    void showSelected();
    void showSuggestions(const QList<QPair<QString, QString>>& spelling);
    void useSuggestion(const QString& link);
    void showTypedCitation(const search::TypedCitation& c);
    void showFieldCounts(const search::Results& results);
    void clearCounts();
    void narrowTo(const QString& link);
    void showSimilar(const search::Hit& to, const search::Results& results);
    void fitColumns();
    int currentHit() const;
    // The chosen massima; none, with the status line saying so, when no row is chosen.
    const search::Hit* chosenHit();
    bool keyFromWords(QKeyEvent* key);
    bool keyFromList(QKeyEvent* key);

    search::SearchEngine* engine_;
    ScaledForm form_;
    ResultsModel* model_ = nullptr;
    QList<QPair<QString, QString>> suggestions_;
    QList<search::FieldCount> courtCounts_;
    QList<search::FieldCount> periodCounts_;
    bool entered_ = false; // the search running was asked for with Enter
    bool listsFilled_ = false;
    bool building_ = false;

    QTimer* typing_ = nullptr;
    QLabel* lblTesto = nullptr;
    QLineEdit* testo = nullptr;
    QCheckBox* simili = nullptr;
    QLabel* avviso = nullptr;
    QLabel* lblArchivio = nullptr;
    QComboBox* archivio = nullptr;
    QLabel* lblCorte = nullptr;
    QComboBox* corte = nullptr;
    QLabel* lblSezione = nullptr;
    QComboBox* sezione = nullptr;
    QLabel* lblAnno = nullptr;
    QLineEdit* anno = nullptr;
    QLabel* lblNumero = nullptr;
    QLineEdit* numero = nullptr;
    QLabel* lblNorma = nullptr;
    QLineEdit* norma = nullptr;
    QLabel* forse = nullptr;
    QLabel* lblOrdine = nullptr;
    QComboBox* ordine = nullptr;
    QLabel* stato = nullptr;
    QLabel* conteggi = nullptr;
    QLabel* corti = nullptr;
    QLabel* periodi = nullptr;
    QTableView* risultati = nullptr;
    QTextBrowser* massima = nullptr;
    QPushButton* apri = nullptr;
    QPushButton* copia = nullptr;
    QPushButton* massimeSimili = nullptr;
    QPushButton* copiaCitazione = nullptr;
    QPushButton* stampa = nullptr;
    QPushButton* stampaElenco = nullptr;
    QPushButton* guida = nullptr;
    QPushButton* chiudi = nullptr;
};
