#include "shell/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>

namespace Dialogs {

namespace {

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Qt's dialogs keep what they learn (the file dialog its history, last folder
// and view; the colour dialog its custom colours) in the user's
// QtProject.conf. The program keeps nothing between runs, so while one of them
// lives, user settings go to a private folder that is removed with this
// object; afterwards they point where Qt puts them by default again.
class SettingsKeptPrivate {
public:
    SettingsKeptPrivate()
    {
        // Should no temporary folder be possible, a path below the program
        // file itself can never be created, so nothing is written at all.
        setUserSettingsPath(folder_.isValid()
                                ? folder_.path()
                                : QCoreApplication::applicationFilePath() + QStringLiteral("/no-settings"));
    }
    ~SettingsKeptPrivate()
    {
        setUserSettingsPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    SettingsKeptPrivate(const SettingsKeptPrivate&) = delete;
    SettingsKeptPrivate& operator=(const SettingsKeptPrivate&) = delete;

private:
    static void setUserSettingsPath(const QString& path)
    {
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, path);
    }

    QTemporaryDir folder_;
};

class QtProvider final : public Provider {
public:
    QMessageBox::StandardButton messageBox(QWidget* parent, const MessageBoxRequest& r) override
    {
        QMessageBox box(qtIcon(r.icon), r.title, displayText(r.text), r.buttons, parent);
        if (r.defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(r.defaultButton);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    std::optional<QColor> colorDialog(QWidget* parent, const ColorRequest& r) override
    {
        const SettingsKeptPrivate settings;
        QColorDialog dialog(r.initial, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.selectedColor();
    }

    QString openFileDialog(QWidget* parent, const FileRequest& r) override
    {
        const SettingsKeptPrivate settings;
        // Qt's own dialog: a desktop's native one may record the file in the
        // desktop's list of recent files.
        return QFileDialog::getOpenFileName(parent, r.title, {}, {}, nullptr, QFileDialog::DontUseNativeDialog);
    }
};

Provider* g_provider = nullptr;

} // namespace

void setProvider(Provider* p) { g_provider = p; }

Provider& provider()
{
    static QtProvider qt;
    return g_provider ? *g_provider : qt;
}

QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                                   Icon icon, const QString& title, QMessageBox::StandardButton defaultButton)
{
    return provider().messageBox(parent, {text, title, icon, buttons, defaultButton});
}

std::optional<QColor> ColorDialog(QWidget* parent, const QColor& initial)
{
    return provider().colorDialog(parent, {initial});
}

QString OpenFileDialog(QWidget* parent, const QString& title)
{
    return provider().openFileDialog(parent, {title});
}

QString displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

bool installItalianTranslations()
{
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace Dialogs
