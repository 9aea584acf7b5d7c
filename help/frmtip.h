#pragma once
// The tip of the day: short tips about the program, one at a time, read once
// from the tip file beside the program. Successivo goes round to the first
// tip; Precedente stops at the first; Chiudi only hides the window.

#include "shell/windowregistry.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;

namespace ControlTable {
struct Control;
}

class frmTip : public QWidget, public FormHooks {
    Q_OBJECT
public:
    inline static const QString TipFileName = QStringLiteral("SuggerimentiLexoria.TXT");

    // The tip file the window reads; the program's own lies in the program's folder.
    explicit frmTip(const QString& tipFile = defaultTipFile(), QWidget* parent = nullptr);
    static QString defaultTipFile();
    // Shown in place of a tip when the tip file is missing.
    static QString notFoundMessage();
    // Shown in place of a tip when the tip file is there but cannot be read
    // (no permission, a folder or a FIFO in its place); `reason` says why.
    static QString cannotReadMessage(const QString& reason);
    // Shown in place of a tip when the tip file is not a text file.
    static QString notTextMessage();
    // Shown in place of a tip when the tip file holds no line at all.
    static QString noTipsMessage();

    void Form_Load() override;

    bool LoadTips(const QString& fileName);
    void AdvanceTip();
    void DisplayCurrentTip();

    void cmdNextTip_Click();
    void cmdprecedente_Click();
    void cmdOK_Click();

    const QStringList& tips() const { return tips_; }
    int tipNumber() const { return currentTip_; }
    QString tipText() const;

private:
    void createControls();
    std::vector<ControlTable::Control> controlTable();
    void connectSignals();
    void showText(const QString& text);

    QString tipFile_;
    QString loadProblem_; // why LoadTips() found no tip to show
    QStringList tips_;
    int currentTip_ = 0;

    QFrame* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QScrollArea* tipBox = nullptr; // holds lblTipText; scrolls a tip too long for it
    QLabel* lblTipText = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QPushButton* cmdprecedente = nullptr;
};
