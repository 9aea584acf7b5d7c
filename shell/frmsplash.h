#pragma once
// The first window of the program and its last: brand, program name and edition
// on black, with the start-up music. A click opens the chooser, a key closes it;
// after a confirmed exit it comes back as the closing screen.

#include "shell/media/mediacontrol.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"

#include <QWidget>
#include <array>

class QFrame;
class QLabel;

class frmSplash : public QWidget, public FormHooks, public ClosingScreen {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Unload() override;
    void Form_Click();
    void Form_KeyPress();

    // ClosingScreen
    void mediaCommand(const QString& command) override;
    void setSecondLine(const QString& caption) override;

    QLabel* label(int index) const { return label_.at(size_t(index)); }
    MMControl& MMControl1() { return music_; }

    static inline const QString Hint =
        QStringLiteral("(cliccare sulla finestra per iniziare; premere un tasto per uscire)");

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    // The label fits its width to its text and keeps its horizontal centre.
    void fitKeepingCentre(int index);
    void growLeftToFit(int index);

    std::array<QLabel*, 12> label_{}; // indexes 0..5 and 7..11 are used
    std::array<double, 12> centre_{}; // design centre (twips) of the labels that fit their text
    QLabel* Image1 = nullptr;
    QFrame* Shape1 = nullptr;
    MMControl music_;
};
