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
// The word processor is started in a session of its own with FONTCONFIG_FILE
// pointing at a configuration that adds fontconfig/lexoria-fonts.conf (Century
// Gothic drawn with URW Gothic) to the system's, so it sets the documents in the
// right face.
//
// A started word processor is watched (Handover) without blocking the window
// until it is known whether it took the document:
//   - it ends with status 0 (a LibreOffice launcher that handed the document to
//     an office already running ends so): taken;
//   - it ends with an error or a crash before that: failed;
//   - it opened the document file and is still running a few seconds later: taken;
//     from then on it is the user's program and is never stopped by Lexoria;
//   - it has not opened the document when the handover time runs out (one
//     minute): it is considered hung, stopped with every process it started (a
//     launcher's child, the office itself, too), and the handover failed. So a
//     hanging word processor is never left running, one more per print.
// A failed handover shows the document in the built-in document window and
// reports why in one Italian line (Handover::failed). Where the system cannot
// tell whether the file was opened (no inotify), a word processor still running
// at the end of the handover time is taken as having the document.

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;
class QTextDocument;

namespace Presentation {

class Handover;

enum class Route {
    WordProcessor, // written to `fileName` and handed to the word processor
    DocumentWindow, // shown in the built-in document window (`window`)
    Suppressed, // presentation switched off (tests): nothing written, nothing shown
    NotShown, // the application object was not made visible
};

struct Result {
    Route route = Route::NotShown;
    QString fileName; // the document file handed to the word processor
    QString program; // the word processor started
    QPointer<QWidget> window; // the built-in document window, while it is open
    QPointer<Handover> handover; // the watch of the word processor started, until it is decided
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
    QString name; // for messages: "LibreOffice Writer"
    QString program;
    QStringList arguments;
};
using Finder = std::function<std::optional<WordProcessor>(const QString& fileName)>;

// The search described above, for the document `fileName`.
std::optional<WordProcessor> findWordProcessor(const QString& fileName);
// Replaces the search (tests); an empty function restores it.
void setFinder(Finder finder);

// The folder the documents are written to before they are opened. Only a
// private folder is used: a real directory (a symbolic link is never followed),
// owned by the user, that no one else can write in; one left readable by others
// is closed to them (mode 0700). By default the first of these that is or can be
// made private:
//   1. "lexoria" in $XDG_RUNTIME_DIR, when that is itself private;
//   2. "lexoria-<uid>" in the system's temporary folder;
//   3. a fresh folder "lexoria-XXXXXX" there, chosen once per process: an earlier
//      run's (a real folder of the user's, mode 0700, holding only documents and
//      font settings the program wrote) is used again, else a new one is made.
//      Earlier runs' other such folders, unchanged for an hour, are cleared away,
//      so they do not pile up; no other folder there is touched.
// A folder set here (tests) is used alone: made private, or reported. An empty
// text restores the default. Either way the folder is chosen afresh, as by a new
// run.
void setDocumentFolder(const QString& folder);
// The folder as set, or the default's first candidate (nothing is made or checked).
QString documentFolder();
// The folder the next document goes to, made private if need be; empty, with an
// Italian `problem`, when there is none.
QString usableDocumentFolder(QString* problem = nullptr);

// What the program clears in the document folder, and nothing else: documents it
// wrote there ("documento-<date>-<time>-<pid>-<n>.odt", regular files of the
// user). This process keeps only its latest KeptDocuments; earlier processes'
// documents older than an hour are cleared once, the first time the folder is
// used. The word processor has long read them by then.
inline constexpr int KeptDocuments = 20;
// The documents this process wrote that are still in the folder, oldest first.
QStringList writtenDocuments();

// How long a started word processor has to open the document (see above); tests
// shorten it. Zero or less restores the default of one minute.
void setHandoverTimeout(int milliseconds);
int handoverTimeout();

// Called with every document window that opens. The built-in window stands for a
// separate program, so main() keeps the process alive while it is open
// (WindowRegistry::holdProcess); the window deletes itself when closed.
void setDocumentWindowHook(std::function<void(QWidget*)> hook);
// Called with every handover that starts: while it waits for the word processor
// it should keep the process alive as well, so a document that the word
// processor fails to take still reaches the user.
void setHandoverHook(std::function<void(QObject*)> hook);

// The environment the word processor is started with: this process's, with
// FONTCONFIG_FILE set to a configuration written into `folder` that includes the
// system's and the program's font alias. Unchanged if that cannot be written.
QProcessEnvironment wordProcessorEnvironment(const QString& folder);

// Presents `document` as described above; `title` names it in the built-in window.
Result present(const QTextDocument& document, const QString& title);

// The watch of one word processor started on one document (see above). It
// deletes itself once decided; the word processor it started is never stopped
// after it took the document, not even when Lexoria ends.
class Handover : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Waiting, Taken, Failed };

    ~Handover() override;

    Outcome outcome() const { return outcome_; }
    QString fileName() const { return fileName_; }
    qint64 processId() const { return processId_; }
    bool documentOpened() const { return opened_; }
    // The built-in window showing the document after a failure.
    QWidget* window() const { return window_; }

signals:
    void taken();
    // One Italian line: why the word processor did not show the document, and
    // that the built-in window shows it.
    void failed(const QString& message);
    void decided(); // after taken() or failed()

private:
    friend Result present(const QTextDocument&, const QString&);
    Handover(const QTextDocument& document, const QString& title, const WordProcessor& processor,
             const QString& fileName);
    // Starts the word processor; false, with an Italian `error`, when it cannot be started.
    bool start(const QProcessEnvironment& environment, QString* error);
    void watchFile();
    void fileEvent();
    void processFinished(int exitCode, QProcess::ExitStatus status);
    void timeUp();
    void take();
    void fail(const QString& why);
    void releaseProcess();

    std::unique_ptr<QTextDocument> document_;
    QString title_;
    WordProcessor processor_;
    QString fileName_;
    QProcess* process_ = nullptr; // parentless: see releaseProcess()
    qint64 processId_ = 0;
    QTimer timer_;
    int inotify_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    bool opened_ = false;
    Outcome outcome_ = Outcome::Waiting;
    QPointer<QWidget> window_;
};

} // namespace Presentation
