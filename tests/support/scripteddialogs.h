#pragma once
// Answers the dialog seam in advance and records what the program asked.
// While an instance lives it replaces Qt's dialogs.

#include "dialogs.h"

#include <QList>
#include <QQueue>

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

    QMessageBox::StandardButton messageBox(QWidget* parent, const Dialogs::MessageBoxRequest& request) override;
    std::optional<QColor> colorDialog(QWidget* parent, const Dialogs::ColorRequest& request) override;
    QString openFileDialog(QWidget* parent, const Dialogs::FileRequest& request) override;

private:
    QQueue<QMessageBox::StandardButton> answers_;
    QQueue<std::optional<QColor>> colours_;
    QQueue<QString> files_;
};
