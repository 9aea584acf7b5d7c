#include "tests/support/scripteddialogs.h"

#include <QTest>

ScriptedDialogs::ScriptedDialogs() { Dialogs::setProvider(this); }

ScriptedDialogs::~ScriptedDialogs()
{
    Dialogs::setProvider(nullptr);
    if (unanswered > 0 && !allowUnanswered_)
        QTest::qFail(qPrintable(QStringLiteral("unexpected dialog: ") + unansweredTexts.join(QLatin1String(" | "))),
                     __FILE__, __LINE__);
}

void ScriptedDialogs::noteUnanswered(const QString& what)
{
    ++unanswered;
    unansweredTexts.append(what);
}

QMessageBox::StandardButton ScriptedDialogs::messageBox(QWidget*, const Dialogs::MessageBoxRequest& request)
{
    messages.append(request);
    if (!answers_.isEmpty())
        return answers_.dequeue();
    noteUnanswered(QStringLiteral("message box \"%1\"").arg(request.text));
    // Unscripted: behave like a user pressing Escape.
    if (request.buttons.testFlag(QMessageBox::No))
        return QMessageBox::No;
    return request.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : request.defaultButton;
}

std::optional<QColor> ScriptedDialogs::colorDialog(QWidget*, const Dialogs::ColorRequest& request)
{
    colorRequests.append(request);
    if (colours_.isEmpty()) {
        noteUnanswered(QStringLiteral("colour dialog"));
        return std::nullopt;
    }
    return colours_.dequeue();
}

QString ScriptedDialogs::openFileDialog(QWidget*, const Dialogs::FileRequest& request)
{
    fileRequests.append(request);
    if (files_.isEmpty()) {
        noteUnanswered(QStringLiteral("file dialog \"%1\"").arg(request.title));
        return {};
    }
    return files_.dequeue();
}
