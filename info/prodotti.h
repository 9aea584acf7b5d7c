#pragma once
// The catalogue window: the maker's price list, read from "listino.txt" at load
// and shown ten rows at a time beside a scroll bar, with buttons for the help
// contents, the print of the whole list, the catalogue page and an e-mail to
// the maker. Closing only hides it, so the scroll position stays.

#include "info/pricelist.h"
#include "shell/scaledform.h"
#include "shell/windowregistry.h"

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QScrollBar;

namespace ControlTable {
struct Control;
}

class prodotti : public QWidget, public FormHooks {
    Q_OBJECT
public:
    static constexpr int GridRows = 10;

    // The print of the list through the word processor; it gets exactly the
    // records the window shows.
    using PrintHook = std::function<void(const PriceList&)>;
    static void setPrintHook(PrintHook hook);

    explicit prodotti(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Unload() override;

    void VScroll1_Change();
    void cmdStampa_Click();
    void cmdSommario_Click();
    void cmdchiudi_Click();
    void Command1_Click();
    void Command2_Click();
    // Hands the address to the desktop's open action; the result is the shell's.
    static qint32 Link(const QString& address);

    // What the grid shows and the print prints.
    const PriceList& priceList() const { return list_; }
    // The record in the first grid row (the scroll bar's value).
    int topRow() const;
    // The line telling what was wrong with the price list, empty when nothing was.
    QString problemLine() const;

    static QString salesTerms();

private:
    void createControls();
    std::vector<ControlTable::Control> controlTable();
    void createGrid();
    void connectSignals();
    void fitLinkButtons();
    void setTabOrder();

    ScaledForm form_;
    PriceList list_;

    QPushButton* cmdsommario = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdchiudi = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* avviso = nullptr; // what was wrong with the price list
    QLabel* Label1 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label11 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    // Grid columns; member i - 1 is grid row i.
    std::array<QLabel*, GridRows> num{};
    std::array<QLabel*, GridRows> nom{};
    std::array<QLabel*, GridRows> argom{};
    std::array<QLabel*, GridRows> eur{};
    std::array<QLabel*, GridRows> off{};
};
