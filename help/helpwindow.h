#pragma once
// The help windows of the on-line guide: one class, twelve instances configured
// by the page table, each showing one help text under its title; and, in the
// same shape, the licence terms window `licenza`. Buttons along the top open
// the contents window, print the page and close the window.

#include "export/exports.h"
#include "help/helppages.h"
#include "shell/scaledform.h"
#include "shell/windowregistry.h"

#include <QList>
#include <QWidget>
#include <functional>

class QLabel;
class QTextEdit;
class QPushButton;

class HelpWindow : public QWidget, public FormHooks {
    Q_OBJECT
public:
    explicit HelpWindow(const help::HelpPage& page, QWidget* parent = nullptr);

    // Stampa of a help window: the help title and the help text (PrintHelpText).
    using TextPrinter = std::function<void(const QString& title, const QString& text)>;
    // Stampa of the licence terms window: its own export of the licence text.
    using LicencePrinter = std::function<void(const QString& licenceText)>;
    static void setTextPrinter(TextPrinter printer);
    static void setLicencePrinter(LicencePrinter printer);

    const help::HelpPage& page() const { return page_; }
    bool isLicence() const { return page_.licence; }

    // The captions of Label1 and Label2, as the exports read them (paragraphs
    // of the text separated by "\r"). Empty in the licence terms window.
    QString helpTitle() const;
    QString helpText() const;
    // Text1 of the licence terms window; empty in the help windows.
    QString licenceText() const;

    void Form_Load() override;
    void Form_Unload() override;

    void cmdchiudi_Click();
    void cmdSommario_Click();
    void cmdStampa_Click();

    // The title and text of each of the twelve help windows, in guide order.
    // Reading a window's labels loads it, unseen, if it is not loaded.
    using GuidePage = Exports::GuidePage;
    static QList<GuidePage> readGuide();

private:
    void createButtons(double clientWidth);
    void createHelpText(double clientWidth);
    void createLicence(double clientWidth);

    help::HelpPage page_;
    ScaledForm form_;
    QString title_;
    QString text_;

    QPushButton* cmdSommario = nullptr;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdchiudi = nullptr;
    QLabel* Label1 = nullptr;           // help title
    QTextEdit* Label2 = nullptr;        // the help text: a label that scrolls when the text is long
    QLabel* programName = nullptr;      // Label2 of the licence terms window
    QTextEdit* Text1 = nullptr;         // the licence terms
};
