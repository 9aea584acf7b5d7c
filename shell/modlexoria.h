#pragma once
// Process-wide settings and the procedures every window shares.

#include "corpus/archives.h"
#include "export/exports.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <array>
#include <functional>
#include <optional>

class QWidget;

namespace ModLexoria {

struct GlobalSettings {
    // Constants, given their values by InitSettings.
    QString programName;
    QString subtitle;
    QString versionText;
    QString releaseDate;       // day/month/year
    QString closingYearText;   // six digits: day, month, two-digit year of the build
    QString checkMessageTitle;
    QString helpMessageTitle;
    QString deleteDialogTitle;
    // Working values.
    std::array<std::optional<int>, corpus::ArchiveCount> archiveTotal{}; // empty until the archive is built
    quint32 lastBackgroundColour = 0;
    QString priceListHeading;
};

GlobalSettings& Settings();

std::optional<int>& ArchiveTotal(corpus::Archive archive);

void InitSettings();

// A number as labels and documents show it "with sign blank": one blank (the
// place of the sign) before a non-negative number, a minus sign otherwise.
QString WithSignBlank(qint64 number);

// Hands a web address, an e-mail address ("mailto: ...") or a document to the
// desktop's open action. Returns a value above 32 when the desktop took it (the
// shell's convention: 32 or less is an error code); no caller inspects it.
qint32 OpenDocument(const QString& target);
// The URL OpenDocument hands to the desktop.
QUrl documentUrl(const QString& target);
// Tests replace the desktop's open action.
void setOpenUrlHandler(std::function<bool(const QUrl&)> handler);

void ShowChooser();

// Asks whether to leave and, on Yes, closes the windows and shows the closing screen.
void ConfirmExit();

// The window that stays as the closing screen after the exit sequence.
inline constexpr const char* ClosingScreenWindow = "frmSplash";

// The window name of the search window's help page: a page of the help table
// that F1 opens from the search window, outside the guide and its contents.
inline const QString SearchHelpWindow = QStringLiteral("guidaricerca");

// The windows the exit sequence closes: every registered window but the closing
// screen, in registration order, so a window can never be left off the list.
QStringList ExitSequenceWindows();

// A document that could not reach the word processor still opens in the
// built-in window; this tells the user what went wrong, if anything did.
void ReportPrintProblem(const Presentation::Result& shown, QWidget* parent = nullptr);

// Prints one help text: the guide heading, "Guida: " and the title, the text.
void PrintHelpText(const QString& helpTitle, const QString& helpText);
// Prints the licence terms under the guide heading.
void PrintLicence(const QString& licenceText);
// Prints a compact list under the guide heading: the title, then one line each.
Presentation::Result printList(const QString& title, const QStringList& lines);
// Prints the whole guide and saves it as the program name + "-guida" (OpenDocument)
// in the program's folder, or in the user's documents folder when that one cannot
// be written or the save there fails; the user is told where it went, or that it
// was not saved and why (an earlier file is then kept as it was).
void PrintWholeGuide(const QList<Exports::GuidePage>& pages);
// Where the whole guide is saved first.
QString GuideFileName();
// The guide in the user's documents folder; empty without a home folder.
QString GuideDocumentsFileName();
// The choice between the given folders: the program's folder when this user can
// write into it (an installed copy's cannot be), else the documents folder (empty
// when there is none).
QString GuideFileName(const QString& programFolder, const QString& documentsFolder);

// What "Copia" puts on the clipboard, in the search window and the archive
// windows alike: the massima, then a line with its archive heading and topic
// title ("Massime sul condominio: Assemblea"), ready to paste into a brief.
QString MassimaCopyText(corpus::Archive archive, const QString& topicTitle, const QString& massima);
void CopyMassima(corpus::Archive archive, const QString& topicTitle, const QString& massima);

inline constexpr const char* ClosingText = "          elaborazione eseguita con";

} // namespace ModLexoria

// The splash window as the exit sequence uses it.
class ClosingScreen {
public:
    virtual ~ClosingScreen() = default;
    virtual void mediaCommand(const QString& command) = 0; // "play", "pause", ...
    virtual void setSecondLine(const QString& caption) = 0;
};
