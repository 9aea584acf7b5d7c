#pragma once
// Answers the dialog seam in advance and records what the program asked.
// While an instance lives it replaces Qt's dialogs. A box or dialog that finds
// no answer waiting fails the running test when the instance goes, unless the
// test said it expects unanswered ones (allowUnanswered).

#include "shell/dialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>

class ScriptedDialogs final : public Dialogs::Provider {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answerNext(QMessageBox::StandardButton answer) { answers_.enqueue(answer); }
    void chooseColorNext(std::optional<QColor> colour) { colours_.enqueue(colour); }
    void chooseFileNext(const QString& path) { files_.enqueue(path); }

    // Asked so far, oldest first.
    QList<Dialogs::MessageBoxRequest> messages;
    QList<Dialogs::ColorRequest> colorRequests;
    QList<Dialogs::FileRequest> fileRequests;
    // Boxes and dialogs that found no answer waiting (a test that did not expect them).
    int unanswered = 0;
    QStringList unansweredTexts;
    // For tests that check what happens when the user dismisses a box (Escape).
    void allowUnanswered() { allowUnanswered_ = true; }

    QMessageBox::StandardButton messageBox(QWidget* parent, const Dialogs::MessageBoxRequest& request) override;
    std::optional<QColor> colorDialog(QWidget* parent, const Dialogs::ColorRequest& request) override;
    QString openFileDialog(QWidget* parent, const Dialogs::FileRequest& request) override;

private:
    void noteUnanswered(const QString& what);
    bool allowUnanswered_ = false;
    QQueue<QMessageBox::StandardButton> answers_;
    QQueue<std::optional<QColor>> colours_;
    QQueue<QString> files_;
};
