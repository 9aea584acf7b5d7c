#pragma once
// How a finished document reaches the user. It is written as OpenDocument Text
// into the program's document folder and opened in LibreOffice Writer as a new,
// untitled document based on that file; where no word processor is found, or it
// cannot be started, or the file cannot be written, the built-in document window
// shows it instead. Nothing here ends the program or shows a message box: what
// went wrong comes back as an Italian text for the caller to show.
//
// Which word processor, in this order:
//   1. `soffice`, then `libreoffice`, found on PATH, started as `soffice -n FILE`
//      (not a LibreOffice built without any window system, as Debian's
//      libreoffice-*-nogui packages are: it would run unseen);
//   2. the desktop's handler of OpenDocument Text (`xdg-mime query default
//      application/vnd.oasis.opendocument.text`), started by its desktop file's
//      Exec line (with -n added when that is LibreOffice);
//   3. none: the built-in document window.
// The word processor is started detached with FONTCONFIG_FILE pointing at a
// configuration that adds fontconfig/lexoria-fonts.conf (Century Gothic drawn
// with URW Gothic) to the system's, so it sets the documents in the right face.

#include <QPointer>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

class QTextDocument;

namespace Presentation {

enum class Route {
    WordProcessor,  // written to `fileName` and handed to the word processor
    DocumentWindow, // shown in the built-in document window (`window`)
    Suppressed,     // presentation switched off (tests): nothing written, nothing shown
    NotShown,       // the application object was not made visible
};

struct Result {
    Route route = Route::NotShown;
    QString fileName;          // the document file handed to the word processor
    QString program;           // the word processor started
    QPointer<QWidget> window;  // the built-in document window, while it is open
    // What went wrong, in Italian for the user, lines separated by "\r"; empty when
    // nothing did. A missing word processor alone is no failure: the window opens.
    QString message;

    bool failed() const { return !message.isEmpty(); }
};

// Open (the default) presents every document; Suppressed presents none, so tests
// can run exports and inspect the documents without opening anything.
enum class Mode { Open, Suppressed };
void setMode(Mode mode);
Mode mode();

// A word processor to start: the program and its full argument list (the file included).
struct WordProcessor {
    QString name;       // for messages: "LibreOffice Writer"
    QString program;
    QStringList arguments;
};
using Finder = std::function<std::optional<WordProcessor>(const QString& fileName)>;

// The search described above, for the document `fileName`.
std::optional<WordProcessor> findWordProcessor(const QString& fileName);
// Replaces the search (tests); an empty function restores it.
void setFinder(Finder finder);

// The folder the documents are written to before they are opened. By default a
// private folder "lexoria-<uid>" in the system's temporary folder; an empty text
// restores the default.
void setDocumentFolder(const QString& folder);
QString documentFolder();

// Called with every document window that opens. The built-in window stands for a
// separate program, so main() keeps the process alive while it is open
// (WindowRegistry::holdProcess); the window deletes itself when closed.
void setDocumentWindowHook(std::function<void(QWidget*)> hook);

// The environment the word processor is started with: this process's, with
// FONTCONFIG_FILE set to a configuration written into `folder` that includes the
// system's and the program's font alias. Unchanged if that cannot be written.
QProcessEnvironment wordProcessorEnvironment(const QString& folder);

// Presents `document` as described above; `title` names it in the built-in window.
Result present(const QTextDocument& document, const QString& title);

} // namespace Presentation
