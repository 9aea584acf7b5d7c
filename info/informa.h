#pragma once
// The information window: brand, program name, subtitle, edition line, the
// credit for the start-up music and the legal notice. Filled once at load; OK
// only hides it.

#include "shell/windowregistry.h"

#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;
class LineControl;

namespace ControlTable {
struct Control;
}

class informa : public QWidget, public FormHooks {
    Q_OBJECT
public:
    explicit informa(QWidget* parent = nullptr);

    void Form_Load() override;
    void cmdOK_Click();

    // "edizione professionale - versione 2.05.05   2001- 2011" with the delivered settings.
    static QString editionLine();

private:
    void createControls();
    std::vector<ControlTable::Control> controlTable();
    void fitLabels();
    void connectSignals();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* label7 = nullptr;
    LineControl* Line1 = nullptr;
    LineControl* Line2 = nullptr;
    LineControl* Line3 = nullptr;
    QPushButton* cmdOK = nullptr;
};
