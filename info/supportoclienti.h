#pragma once
// The customer support window: how to reach the maker, the support terms and
// the maker's web site. Fixed texts; OK only hides it.

#include "shell/windowregistry.h"

#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;
class LineControl;

namespace ControlTable {
struct Control;
}

class supportoclienti : public QWidget, public FormHooks {
    Q_OBJECT
public:
    explicit supportoclienti(QWidget* parent = nullptr);

    void Form_Load() override;
    void Command1_Click();

    static QString telephoneLine();
    static QString supportTerms();
    static QString customWork();

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
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    LineControl* Line1 = nullptr;
    LineControl* Line2 = nullptr;
    QPushButton* Command1 = nullptr;
};
