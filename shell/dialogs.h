#pragma once
// The one seam for message boxes and the colour and open-file dialogs. Windows
// call these functions; the provider behind them is Qt's own, or a scripted one
// in the tests, which answers in advance and records what was asked. Qt's
// dialogs save nothing between runs (no QtProject.conf).

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <optional>

namespace Dialogs {

enum class Icon { None, Information, Exclamation, Question, Critical };

struct MessageBoxRequest {
    QString text;   // lines may be separated by "\r", as in the program's texts
    QString title;
    Icon icon = Icon::None;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

struct ColorRequest {
    QColor initial; // the colour the dialog last held
};

struct FileRequest {
    QString title;
};

class Provider {
public:
    virtual ~Provider() = default;
    virtual QMessageBox::StandardButton messageBox(QWidget* parent, const MessageBoxRequest& request) = 0;
    // The colour chosen, or nothing when the dialog was cancelled.
    virtual std::optional<QColor> colorDialog(QWidget* parent, const ColorRequest& request) = 0;
    // The file chosen, or an empty text when the dialog was cancelled.
    virtual QString openFileDialog(QWidget* parent, const FileRequest& request) = 0;
};

// nullptr restores Qt's dialogs.
void setProvider(Provider* provider);
Provider& provider();

// A modal message box; the answer is the button pressed (Escape gives the
// escape button: No in a Yes/No box, OK in an OK box).
QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                                   Icon icon, const QString& title,
                                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
std::optional<QColor> ColorDialog(QWidget* parent, const QColor& initial);
QString OpenFileDialog(QWidget* parent, const QString& title);

// The program's texts separate lines with a carriage return alone.
QString displayText(const QString& text);

// Loads Qt's own Italian translations, so standard buttons read "Sì", "No",
// "Annulla" whatever the user's locale. Returns false if they are not installed.
bool installItalianTranslations();

} // namespace Dialogs
