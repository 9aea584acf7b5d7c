#include "scripteddialogs.h"

ScriptedDialogs::ScriptedDialogs() { Dialogs::setProvider(this); }

ScriptedDialogs::~ScriptedDialogs() { Dialogs::setProvider(nullptr); }

QMessageBox::StandardButton ScriptedDialogs::messageBox(QWidget*, const Dialogs::MessageBoxRequest& request)
{
    messages.append(request);
    if (!answers_.isEmpty())
        return answers_.dequeue();
    ++unanswered;
    // Unscripted: behave like a user pressing Escape.
    if (request.buttons.testFlag(QMessageBox::No))
        return QMessageBox::No;
    return request.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : request.defaultButton;
}

std::optional<QColor> ScriptedDialogs::colorDialog(QWidget*, const Dialogs::ColorRequest& request)
{
    colorRequests.append(request);
    if (colours_.isEmpty()) {
        ++unanswered;
        return std::nullopt;
    }
    return colours_.dequeue();
}

QString ScriptedDialogs::openFileDialog(QWidget*, const Dialogs::FileRequest& request)
{
    fileRequests.append(request);
    if (files_.isEmpty()) {
        ++unanswered;
        return {};
    }
    return files_.dequeue();
}
