#pragma once
// The archive chooser: the program's main menu. Loading it builds all seven
// archives (their windows are created hidden) and shows their totals.

#include "archives.h"
#include "scaledform.h"
#include "windowregistry.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;

class scelta : public QWidget, public FormHooks {
    Q_OBJECT
public:
    explicit scelta(QWidget* parent = nullptr);

    void Form_Load() override;
    bool Form_QueryUnload() override;
    void Form_Unload() override;

    void Option1_Click(int index); // 1..corpus::ArchiveCount
    void option1_MouseMove(int index);
    void form_MouseMove();
    void aiuto_Click();
    void guida_Click();
    void cmdesci_Click();
    void forum_Click();
    void cerca_Click(); // opens the search window

    QString statusText() const;


protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();

    ScaledForm form_;
    std::array<QRadioButton*, corpus::ArchiveCount> Option1{};
    std::array<QLabel*, corpus::ArchiveCount> countLabels{}; // Label1, Label2, ...
    QLabel* Lb = nullptr;
    QLabel* Label61 = nullptr;
    QLabel* Label71 = nullptr;
    QLabel* num = nullptr;
    QPushButton* aiuto = nullptr;
    QPushButton* guida = nullptr;
    QPushButton* cmdesci = nullptr;
    QPushButton* forum = nullptr;
    QPushButton* cerca = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* statusLabel = nullptr;
};
