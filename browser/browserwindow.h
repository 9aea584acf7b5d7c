#pragma once
// The window where the user reads an archive: the topic list, one massima at a
// time chosen with the scroll bar, and the yellow labels around it. One class,
// seven instances; what differs between the archives comes from the archive table.

#include "corpus/archivetables.h"
#include "shell/scaledform.h"
#include "shell/windowregistry.h"

#include <QMainWindow>
#include <array>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QToolBar;
class QAction;

namespace ControlTable {
struct Control;
}

class BrowserWindow : public QMainWindow, public FormHooks {
    Q_OBJECT
public:
    // The window menu's entries: the chooser and one per archive.
    static constexpr int WindowMenuEntries = 1 + corpus::ArchiveCount;

    explicit BrowserWindow(corpus::Archive archive, QWidget* parent = nullptr);

    const corpus::ArchiveInfo& archiveInfo() const { return corpus::info(archive_); }
    const corpus::ArchiveTables& tables() const { return tables_; }

    // State read by the commands and the exports.
    int currentTopic() const { return currentTopic_; }
    int currentPosition() const { return currentPosition_; }
    int topicCount() const { return topicCount_; }
    int printAll = 0; // 1 only while the whole topic is being exported

    void Form_Load() override;
    void Form_Unload() override;

    void List1_Click();
    void HScroll1_Change();

    // Commands of the menus, the toolbar and the buttons.
    void eliminare_Click();
    void colorare_Click();
    void usci_Click();
    void fin_Click(int index);
    void finestra_Click();
    void guida_Click();
    void suggerimenti_Click();
    void supporto_Click();
    void informazioni_Click();
    void Toolbar1_ButtonClick(int position); // 1-based, separators included
    void aiuto_Click();
    void guidainlinea_Click();
    void stampiamo_Click();
    void esco_Click();
    void stampa_Click();
    void stampatutte_Click();
    // The search window (Ctrl+Shift+F), and the massima shown with its archive and topic to the clipboard (Ctrl+Shift+C).
    void trova_Click();
    void copiaMassima_Click();
    void simili_Click();

    QColor backColor() const;
    void setBackColor(const QColor& colour);

    static QString endOfTopicNotice(const corpus::ArchiveInfo& info);

private:
    void createMenus();
    void createToolbar();
    void fillToolbar();
    void showEvent(QShowEvent* event) override;
    void createSurface();
    void createControls();
    std::vector<ControlTable::Control> controlTable();
    void connectSignals();
    void connectButtons();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void setTabOrder();
    void contamassime();
    void showText(const QString& text);
    void flushText();

    corpus::Archive archive_;
    corpus::ArchiveTables tables_;
    ScaledForm form_;

    qint16 currentTopic_ = 0;
    int currentPosition_ = 0;
    int topicCount_ = 0;
    std::optional<QString> pendingText_; // the text box's text, held back during a whole-topic export

    QWidget* surface_ = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* List1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* conta = nullptr;
    QPlainTextEdit* sent = nullptr;
    QPushButton* aiuto = nullptr;
    QPushButton* guidainlinea = nullptr;
    QLabel* passo = nullptr;
    QPushButton* stampiamo = nullptr;
    QPushButton* esco = nullptr;
    std::array<QAction*, WindowMenuEntries> fin{};
    QAction* trova = nullptr;
    QAction* copiaMassima = nullptr;
};
