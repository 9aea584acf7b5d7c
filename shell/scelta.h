#pragma once
// The archive chooser: the program's main menu. Loading it builds every
// archive (their windows are created hidden) and shows their totals.

#include "corpus/archives.h"
#include "shell/scaledform.h"
#include "shell/windowregistry.h"

#include <QRectF>
#include <QWidget>
#include <array>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace ControlTable {
struct Control;
}

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

    // Where the chooser puts its controls, in twips, for a number of option rows
    // (one per archive of the table). Seven rows are the designed window; each
    // further row lowers everything below the options by one row pitch and makes
    // the window that much taller, so no row hides behind the total box.
    static constexpr double DesignWidth = 9480, RowPitch = 480;
    static constexpr int DesignedRows = 7;
    struct Layout {
        double shift = 0; // how far everything below the option rows moves down

        QRectF option(int row) const { return {480, 1920 + RowPitch * row, 3615, 300}; } // row from 0
        QRectF count(int row, double width) const { return {4320, 2040 + RowPitch * row, width, 255}; }
        QRectF total() const { return {480, 5400 + shift, 3735, 375}; }
        QRectF button(int index) const { return {4440 + 1200.0 * index, 5520 + shift, 1215, 375}; } // aiuto .. forum
        // Above "forum", in the free strip between the last count label and the
        // button row: it covers and moves nothing, and the scaler takes it with the rest.
        QRectF search() const { return {8040, 5190 + shift, 1215, 300}; }
        QRectF statusBar() const { return {0, 6045 + shift, DesignWidth, 375}; }
        double clientHeight() const { return 6420 + shift; }
        double outerHeight() const { return 6825 + shift; } // the client area with the window's frame
    };
    static Layout layoutFor(int rows);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    std::vector<ControlTable::Control> controlTable();
    void connectSignals();

    const Layout layout_ = layoutFor(corpus::ArchiveCount);
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
