#include "shell/modlexoria.h"

#include "export/exports.h"
#include "shell/dialogs.h"
#include "shell/windowregistry.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

namespace ModLexoria {

namespace {
std::function<bool(const QUrl&)> g_openUrl;
}

GlobalSettings& Settings()
{
    static GlobalSettings settings;
    return settings;
}

std::optional<int>& ArchiveTotal(corpus::Archive archive)
{
    return Settings().archiveTotal[static_cast<size_t>(archive)];
}

void InitSettings()
{
    GlobalSettings& s = Settings();
    s.programName = QStringLiteral("Lexoria");
    s.subtitle = QStringLiteral("massime sull'edilizia");
    s.versionText = QStringLiteral("2.05.05");
    s.releaseDate = QStringLiteral("19/03/2001");
    s.closingYearText = QStringLiteral("281211");
    s.checkMessageTitle = s.programName + QStringLiteral(": controllo dati immessi nella finestra attiva");
    s.helpMessageTitle = s.programName + QStringLiteral(": aiuto in linea");
    s.deleteDialogTitle = QStringLiteral("Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo");
}

QString WithSignBlank(qint64 number)
{
    return number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number);
}

QUrl documentUrl(const QString& target)
{
    QString t = target.trimmed();
    // "mailto: name@host" is how the program writes it; the desktop rejects the blank.
    if (t.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("mailto:") + t.mid(7).trimmed());
    // A document name is taken as a file when one exists under it; anything else
    // as a web address ("www.host" becomes "http://www.host").
    const QUrl local = QUrl::fromUserInput(t, QDir::currentPath(), QUrl::AssumeLocalFile);
    if (local.isLocalFile() && QFileInfo::exists(local.toLocalFile()))
        return local;
    return QUrl::fromUserInput(t, QDir::currentPath());
}

void setOpenUrlHandler(std::function<bool(const QUrl&)> handler) { g_openUrl = std::move(handler); }

qint32 OpenDocument(const QString& target)
{
    constexpr qint32 Done = 42, FileNotFound = 2, NoAssociation = 31;
    const QUrl url = documentUrl(target);
    if (url.isEmpty() || !url.isValid())
        return FileNotFound;
    const bool opened = g_openUrl ? g_openUrl(url) : QDesktopServices::openUrl(url);
    return opened ? Done : NoAssociation;
}

void ShowChooser() { WindowRegistry::instance().show(QStringLiteral("scelta")); }

QStringList ExitSequenceWindows()
{
    QStringList names = WindowRegistry::instance().registeredWindows();
    names.removeAll(QLatin1String(ClosingScreenWindow));
    return names;
}

void ConfirmExit()
{
    const auto answer = Dialogs::MsgBox(QApplication::activeWindow(),
                                        QStringLiteral("Vuoi uscire da ") + Settings().programName + QStringLiteral("?"),
                                        QMessageBox::Yes | QMessageBox::No, Dialogs::Icon::Question,
                                        QStringLiteral("Lexoria: massime sull'edilizia"), QMessageBox::No);
    if (answer == QMessageBox::No)
        return;

    WindowRegistry& registry = WindowRegistry::instance();
    const WindowRegistry::ScopedHold hold;
    for (const QString& name : ExitSequenceWindows())
        if (registry.isLoaded(name))
            registry.unload(name);

    // Referring to the splash creates it anew if a key press closed it earlier;
    // its load step then starts the music from the beginning.
    const QString closingScreen = QLatin1String(ClosingScreenWindow);
    QWidget* splash = registry.load(closingScreen);
    auto* screen = dynamic_cast<ClosingScreen*>(splash);
    if (screen)
        screen->mediaCommand(QStringLiteral("play"));
    registry.show(closingScreen);
    if (screen)
        screen->setSecondLine(QString::fromLatin1(ClosingText));
}

namespace {

Exports::GuideHeading guideHeading() { return {Settings().programName, Settings().subtitle}; }

} // namespace

void ReportPrintProblem(const Presentation::Result& shown, QWidget* parent)
{
    auto report = [](QWidget* over, const QString& message) {
        Dialogs::MsgBox(over ? over : QApplication::activeWindow(), message, QMessageBox::Ok,
                        Dialogs::Icon::Exclamation, Settings().programName + QStringLiteral(": stampa"));
    };
    if (shown.failed())
        report(parent, shown.message);
    // A word processor that fails after it was started: its document is in the
    // built-in window by then, and the user is told why over it.
    if (Presentation::Handover* handover = shown.handover) {
        QObject::connect(handover, &Presentation::Handover::failed, qApp, [report, handover](const QString& message) {
            // Shown from the event loop, not from inside the word processor's watch.
            const QPointer<QWidget> window = handover->window();
            QTimer::singleShot(0, qApp, [report, window, message] { report(window, message); });
        });
    }
}

void PrintHelpText(const QString& helpTitle, const QString& helpText)
{
    ReportPrintProblem(Exports::printHelpText(guideHeading(), helpTitle, helpText));
}

Presentation::Result printList(const QString& title, const QStringList& lines)
{
    return Exports::printList(guideHeading(), title, lines);
}

void PrintLicence(const QString& licenceText) { ReportPrintProblem(Exports::printLicence(guideHeading(), licenceText)); }

namespace {

// The user's documents folder; empty without a home folder, so that no
// "/Documents" is made for no one.
QString documentsFolder()
{
    if (qEnvironmentVariableIsEmpty("HOME"))
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// Whether this process can make a file in `folder`, found by making one: the
// permission bits alone do not tell (read-only mounts, root, access rules).
bool canWriteInto(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".lexoria-XXXXXX")));
    return probe.open();
}

} // namespace

QString GuideDocumentsFileName() { return GuideFileName(QString(), documentsFolder()); }

QString GuideFileName()
{
    return GuideFileName(QCoreApplication::applicationDirPath(), documentsFolder());
}

QString GuideFileName(const QString& programFolder, const QString& documentsFolder)
{
    const QString name = Settings().programName + QStringLiteral("-guida.odt");
    if (canWriteInto(programFolder))
        return QDir(programFolder).filePath(name);
    return documentsFolder.isEmpty() ? QString() : QDir(documentsFolder).filePath(name);
}

void PrintWholeGuide(const QList<Exports::GuidePage>& pages)
{
    QString savedAs;
    const QString fileName = GuideFileName();
    const QString documents = GuideDocumentsFileName();
    const Presentation::Result shown = Exports::printWholeGuide(guideHeading(), pages, fileName, &savedAs,
                                                                documents != fileName ? documents : QString());
    ReportPrintProblem(shown);
    if (!savedAs.isEmpty())
        Dialogs::MsgBox(QApplication::activeWindow(),
                        QStringLiteral("La guida completa è stata salvata nel file:\r") + QDir::toNativeSeparators(savedAs),
                        QMessageBox::Ok, Dialogs::Icon::Information, Settings().helpMessageTitle);
}

QString MassimaCopyText(corpus::Archive archive, const QString& topicTitle, const QString& massima)
{
    return massima + QLatin1Char('\n') + corpus::info(archive).exportHeading + topicTitle;
}

void CopyMassima(corpus::Archive archive, const QString& topicTitle, const QString& massima)
{
    QApplication::clipboard()->setText(MassimaCopyText(archive, topicTitle, massima));
}

} // namespace ModLexoria
