#pragma once
// The contents window of the on-line guide: links (an arrow button and
// a bordered label each) to the help windows, the tip of the day, the licence
// terms and the catalogue; the export of the whole guide; close and exit.

#include "shell/scaledform.h"
#include "shell/windowregistry.h"

#include <QWidget>
#include <QList>
#include <functional>

class QLabel;
class QPushButton;

class sommario : public QWidget, public FormHooks {
    Q_OBJECT
public:
    explicit sommario(QWidget* parent = nullptr);

    // Stampa: the export of the whole guide (see HelpWindow::readGuide).
    using GuidePrinter = std::function<void()>;
    static void setGuidePrinter(GuidePrinter printer);

    // The number of links: one per page of the guide, the tip of the day, the
    // licence terms and the catalogue.
    static int linkCount();
    // The window that link i (1..linkCount()) opens.
    static QString linkTarget(int i);

    void Form_Load() override;
    void Form_Unload() override;

    void puls_Click(int i);
    void lbl_MouseMove(int i);
    void lbl_MouseDown(int i);
    void lbl_MouseUp(int i);
    void form_MouseMove();
    void ClearHighlight();
    void cmdchiudi_Click();
    void cmduscita_Click();
    void cmdStampa_Click();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createLinks();
    void createButtons();
    int linkOf(QObject* label) const; // 1..linkCount(), or 0

    ScaledForm form_;
    QLabel* Label1 = nullptr;
    QList<QPushButton*> puls; // puls(i) is puls[i - 1]
    QList<QLabel*> lbl;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdchiudi = nullptr;
    QPushButton* cmduscita = nullptr;
};
