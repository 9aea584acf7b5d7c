#include "export/presentation.h"

#include "export/documentwindow.h"
#include "export/odfwriter.h"
#include "export/safefile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <deque>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Presentation {

namespace {

Mode g_mode = Mode::Open;
Finder g_finder;
QString g_folder;
std::function<void(QWidget*)> g_hook;
std::function<void(QObject*)> g_handoverHook;
int g_written = 0;
int g_handoverTimeout = 0;
constexpr int DefaultHandoverTimeout = 60 * 1000;
// After the word processor opened the document, how long it must keep running
// before the document counts as taken (a crash while loading is still caught).
constexpr int OpenedGrace = 5 * 1000;
// Documents earlier processes wrote this long ago (seconds) have long been read.
constexpr qint64 EarlierDocumentsKept = 60 * 60;
QString g_fallbackFolder; // the fresh folder, once made
QSet<QString> g_sweptFolders; // folders already cleared of earlier documents
std::deque<QString> g_documents; // this process's documents, oldest first

const QString OdtMime = QStringLiteral("application/vnd.oasis.opendocument.text");
const QString WindowNote = QStringLiteral("Il documento è aperto nella finestra dei documenti di Lexoria, "
                                          "da cui si può stampare o salvare.");

// LibreOffice's launchers, which take -n for "a new document based on this file".
bool isLibreOffice(const QString& program)
{
    static const QStringList names = {QStringLiteral("soffice"), QStringLiteral("libreoffice"),
                                      QStringLiteral("lowriter"), QStringLiteral("ooffice")};
    return names.contains(QFileInfo(program).fileName());
}

// Debian's libreoffice-*-nogui packages build LibreOffice without any window
// system: started on a desktop it would run unseen. Such an installation has no
// VCL plugin beside its program. A launcher whose installation cannot be looked
// into (a wrapper of a sandboxed LibreOffice) is trusted.
bool canShowWindows(const QString& launcher)
{
    const QDir folder = QFileInfo(QFileInfo(launcher).canonicalFilePath()).dir();
    if (!folder.exists(QStringLiteral("soffice.bin")))
        return true;
    return !folder.entryList({QStringLiteral("libvclplug_*")}, QDir::Files).isEmpty();
}

// The arguments of a desktop file's Exec line (quoting as the desktop entry format has it).
QStringList splitExec(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                current += exec.at(++i);
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c.isSpace()) {
            if (any || !current.isEmpty())
                arguments.append(current);
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (any || !current.isEmpty())
        arguments.append(current);
    return arguments;
}

std::optional<WordProcessor> fromDesktopFile(const QString& desktopFile, const QString& fileName)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QString exec;
    QString name;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec=")) && exec.isEmpty())
            exec = line.mid(5);
        else if (inEntry && line.startsWith(QLatin1String("Name=")) && name.isEmpty())
            name = line.mid(5);
    }
    QStringList arguments = splitExec(exec);
    if (arguments.isEmpty())
        return std::nullopt;
    const QString program = QStandardPaths::findExecutable(arguments.takeFirst());
    if (program.isEmpty() || (isLibreOffice(program) && !canShowWindows(program)))
        return std::nullopt;

    QStringList result;
    bool placed = false;
    for (const QString& argument : arguments) {
        static const QStringList fileCodes = {QStringLiteral("%f"), QStringLiteral("%F"), QStringLiteral("%u"),
                                              QStringLiteral("%U")};
        if (fileCodes.contains(argument)) {
            if (!placed) {
                if (isLibreOffice(program))
                    result.append(QStringLiteral("-n"));
                result.append(fileName);
                placed = true;
            }
        } else if (argument.size() == 2 && argument.startsWith(QLatin1Char('%')) && argument != QLatin1String("%%")) {
            continue; // %i, %c, %k and the deprecated codes carry nothing we have
        } else {
            QString plain = argument;
            result.append(plain.replace(QLatin1String("%%"), QLatin1String("%")));
        }
    }
    if (!placed) {
        if (isLibreOffice(program))
            result.append(QStringLiteral("-n"));
        result.append(fileName);
    }
    return WordProcessor{name.isEmpty() ? QFileInfo(program).fileName() : name, program, result};
}

std::optional<WordProcessor> fromDesktopDefault(const QString& fileName)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return std::nullopt;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), OdtMime});
    // A desktop query answers at once; never let a stuck one hold up the program.
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return std::nullopt;
    }
    const QString desktopId =
        QString::fromUtf8(query.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (desktopId.isEmpty())
        return std::nullopt;
    const QString desktopFile = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    return desktopFile.isEmpty() ? std::nullopt : fromDesktopFile(desktopFile, fileName);
}

const QRegularExpression& documentPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^documento-\\d{8}-\\d{6}-\\d+-\\d+\\.odt$"));
    return pattern;
}

// Why `path` is no private folder, empty when it is one: a real directory (a
// symbolic link is never followed), owned by the user, that no one else can
// write in. With `tighten`, one that others can only read is closed to them.
QString privateFolderProblem(const QString& path, bool tighten)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP)
            return QStringLiteral("al suo posto c'è un collegamento simbolico");
        if (errno == ENOTDIR)
            return QStringLiteral("al suo posto c'è un file");
        return SafeFile::reasonFor(errno);
    }
    struct stat info {};
    QString problem;
    if (::fstat(fd, &info) != 0)
        problem = SafeFile::reasonFor(errno);
    else if (info.st_uid != ::geteuid())
        problem = QStringLiteral("la cartella appartiene a un altro utente");
    else if (info.st_mode & (S_IWGRP | S_IWOTH))
        problem = QStringLiteral("altri utenti possono scrivere nella cartella");
    else if ((info.st_mode & 0777) != 0700 && tighten && ::fchmod(fd, 0700) != 0)
        problem = SafeFile::reasonFor(errno);
    else if ((info.st_mode & S_IRWXU) != S_IRWXU && !tighten)
        problem = SafeFile::reasonFor(EACCES);
    ::close(fd);
    return problem;
}

// Makes `path` a private folder (its parent must exist), or checks the one there.
QString makePrivateFolder(const QString& path)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return SafeFile::reasonFor(errno);
    return privateFolderProblem(path, true);
}

QString temporaryCandidate() { return QDir::tempPath() + QStringLiteral("/lexoria-") + QString::number(::getuid()); }

QString runtimeCandidate()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || QDir::isRelativePath(runtime) || !privateFolderProblem(runtime, false).isEmpty())
        return {};
    return runtime + QStringLiteral("/lexoria");
}

// What the program writes into a document folder: its documents and the font
// configuration (wordProcessorEnvironment).
bool isProgramFileName(const QString& name)
{
    return documentPattern().match(name).hasMatch() || name == QLatin1String("fonts.conf")
        || name == QLatin1String("lexoria-fonts.conf");
}

// Whether `path` is a fresh folder an earlier run made (chooseFolder): a real
// directory of the user's, mode 0700, holding nothing but regular files of the
// user's that the program writes there. `changed` gets the latest time the
// folder or a file in it changed.
bool isEarlierFreshFolder(const QString& path, qint64* changed)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()
        || (info.st_mode & 07777) != 0700)
        return false;
    qint64 latest = info.st_mtime;
    const QStringList entries =
        QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : entries) {
        struct stat file {};
        if (!isProgramFileName(name)
            || ::lstat(QFile::encodeName(path + QLatin1Char('/') + name).constData(), &file) != 0
            || !S_ISREG(file.st_mode) || file.st_uid != ::geteuid())
            return false;
        latest = qMax(latest, qint64(file.st_mtime));
    }
    *changed = latest;
    return true;
}

// The fresh folders of earlier runs in the temporary folder: the latest one is
// returned for this run to use again (empty when there is none); the others,
// once nothing in them has changed for longer than documents are kept, are
// cleared away with what the program wrote in them. No other folder is touched.
QString reuseEarlierFreshFolders()
{
    static const QRegularExpression freshName(QStringLiteral("^lexoria-[A-Za-z0-9]{6}$"));
    const QString temporary = QDir::tempPath();
    const QString usual = QFileInfo(temporaryCandidate()).fileName();
    QList<std::pair<qint64, QString>> found;
    for (const QString& name : QDir(temporary).entryList(
             {QStringLiteral("lexoria-*")}, QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        qint64 changed = 0;
        const QString path = temporary + QLatin1Char('/') + name;
        if (name != usual && freshName.match(name).hasMatch() && isEarlierFreshFolder(path, &changed))
            found.append({changed, path});
    }
    if (found.isEmpty())
        return {};
    std::sort(found.begin(), found.end());
    const QString reused = found.takeLast().second;
    const qint64 limit = QDateTime::currentSecsSinceEpoch() - EarlierDocumentsKept;
    for (const auto& [changed, path] : found) {
        if (changed >= limit)
            continue; // perhaps another run's, still in use
        for (const QString& name : QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (isProgramFileName(name))
                QFile::remove(path + QLatin1Char('/') + name);
        }
        ::rmdir(QFile::encodeName(path).constData());
    }
    return reused;
}

QString chooseFolder(QString* problem)
{
    if (!g_folder.isEmpty()) {
        QDir().mkpath(QFileInfo(g_folder).path());
        *problem = makePrivateFolder(g_folder);
        return problem->isEmpty() ? g_folder : QString();
    }
    for (const QString& candidate : {runtimeCandidate(), temporaryCandidate(), g_fallbackFolder}) {
        if (!candidate.isEmpty() && makePrivateFolder(candidate).isEmpty()) {
            problem->clear();
            return candidate;
        }
    }
    // Both usual places are taken (by another user, or by anything not a private
    // folder): an earlier run's fresh folder again, or a new one, kept for the word
    // processor to read.
    g_fallbackFolder = reuseEarlierFreshFolders();
    if (!g_fallbackFolder.isEmpty() && makePrivateFolder(g_fallbackFolder).isEmpty()) {
        problem->clear();
        return g_fallbackFolder;
    }
    QTemporaryDir fresh(QDir::tempPath() + QStringLiteral("/lexoria-XXXXXX"));
    if (!fresh.isValid()) {
        *problem = QStringLiteral("nessuna cartella privata può esservi creata (%1)").arg(fresh.errorString());
        return {};
    }
    fresh.setAutoRemove(false);
    g_fallbackFolder = fresh.path();
    *problem = makePrivateFolder(g_fallbackFolder);
    return problem->isEmpty() ? g_fallbackFolder : QString();
}

bool isOwnRegularFile(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode)
        && info.st_uid == ::geteuid();
}

// Documents earlier processes handed over an hour ago have long been read by the
// word processor. Done once per folder and process, so an export costs the same
// however many documents were written before.
void sweepEarlierDocuments(const QString& folder)
{
    if (g_sweptFolders.contains(folder))
        return;
    g_sweptFolders.insert(folder);
    const QDateTime limit = QDateTime::currentDateTime().addSecs(-EarlierDocumentsKept);
    const QFileInfoList found =
        QDir(folder).entryInfoList({QStringLiteral("documento-*.odt")}, QDir::Files | QDir::System | QDir::Hidden);
    for (const QFileInfo& file : found) {
        if (documentPattern().match(file.fileName()).hasMatch() && isOwnRegularFile(file.absoluteFilePath())
            && file.lastModified() < limit)
            QFile::remove(file.absoluteFilePath());
    }
}

// This process keeps its latest documents only.
void rememberDocument(const QString& fileName)
{
    g_documents.push_back(fileName);
    while (g_documents.size() > size_t(KeptDocuments)) {
        const QString oldest = g_documents.front();
        g_documents.pop_front();
        if (isOwnRegularFile(oldest))
            QFile::remove(oldest);
    }
}

QString newFileName(const QString& folder)
{
    return QStringLiteral("%1/documento-%2-%3-%4.odt")
        .arg(folder, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")))
        .arg(QCoreApplication::applicationPid())
        .arg(++g_written);
}

Result openWindow(const QTextDocument& document, const QString& title, Result result)
{
    auto* window = new DocumentWindow(document, title);
    window->show();
    window->raise();
    window->activateWindow();
    if (g_hook)
        g_hook(window);
    result.route = Route::DocumentWindow;
    result.window = window;
    return result;
}

bool writeIfChanged(const QString& fileName, const QByteArray& data)
{
    QFile existing(fileName);
    if (existing.open(QIODevice::ReadOnly) && existing.size() == data.size() && existing.readAll() == data)
        return true;
    existing.close();
    return SafeFile::write(fileName, data);
}

// Processes started by handovers that may outlive them: a word processor that
// took its document is the user's program, and destroying its QProcess would
// stop it, so it is deleted only when it ends by itself; at exit it is left
// running. Reachable from here, not leaked.
QSet<QProcess*>& releasedProcesses()
{
    static auto* processes = new QSet<QProcess*>;
    return *processes;
}

QSet<Handover*>& pendingHandovers()
{
    static auto* handovers = new QSet<Handover*>;
    return *handovers;
}

// How long the processes of a hung word processor have to end when asked to,
// before they are killed.
constexpr int StopGrace = 3 * 1000;

// Process groups asked to end and not yet killed.
QSet<pid_t>& stoppingGroups()
{
    static auto* groups = new QSet<pid_t>;
    return *groups;
}

void killGroup(pid_t group)
{
    if (stoppingGroups().remove(group))
        ::kill(-group, SIGKILL);
}

// Stops the hung word processor `process`, the leader of a session of its own
// (Handover::start), with every process it started: a launcher's child, the
// office itself, is in the same group. Asked to end first, whatever is left is
// killed after StopGrace, or when Lexoria ends sooner.
void stopWordProcessor(QProcess* process, pid_t leader)
{
    if (leader <= 0 || ::getpgid(leader) != leader) { // no group of its own: the process alone
        process->kill();
        return;
    }
    ::kill(-leader, SIGTERM);
    auto* app = QCoreApplication::instance();
    if (!app) {
        ::kill(-leader, SIGKILL);
        return;
    }
    static const bool atQuit = [app] {
        QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] {
            for (const pid_t group : stoppingGroups())
                ::kill(-group, SIGKILL);
            stoppingGroups().clear();
        });
        return true;
    }();
    (void)atQuit;
    stoppingGroups().insert(leader);
    QTimer::singleShot(StopGrace, app, [leader] { killGroup(leader); });
}

} // namespace

void setMode(Mode mode) { g_mode = mode; }
Mode mode() { return g_mode; }

std::optional<WordProcessor> findWordProcessor(const QString& fileName)
{
    for (const QString& name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty() && canShowWindows(program))
            return WordProcessor{QStringLiteral("LibreOffice Writer"), program, {QStringLiteral("-n"), fileName}};
    }
    return fromDesktopDefault(fileName);
}

void setFinder(Finder finder) { g_finder = std::move(finder); }

void setDocumentFolder(const QString& folder)
{
    g_folder = folder;
    g_fallbackFolder.clear(); // chosen afresh, as by a new run
}

QString documentFolder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    const QString runtime = runtimeCandidate();
    return runtime.isEmpty() ? temporaryCandidate() : runtime;
}

QString usableDocumentFolder(QString* problem)
{
    QString why;
    const QString folder = chooseFolder(&why);
    if (problem)
        *problem = why;
    return folder;
}

QStringList writtenDocuments() { return QStringList(g_documents.begin(), g_documents.end()); }

void setHandoverTimeout(int milliseconds) { g_handoverTimeout = milliseconds; }
int handoverTimeout() { return g_handoverTimeout > 0 ? g_handoverTimeout : DefaultHandoverTimeout; }

void setDocumentWindowHook(std::function<void(QWidget*)> hook) { g_hook = std::move(hook); }
void setHandoverHook(std::function<void(QObject*)> hook) { g_handoverHook = std::move(hook); }

QProcessEnvironment wordProcessorEnvironment(const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QFile alias(QStringLiteral(":/export/fontconfig/lexoria-fonts.conf"));
    if (!alias.open(QIODevice::ReadOnly))
        return environment;
    const QString aliasFile = folder + QStringLiteral("/lexoria-fonts.conf");
    if (!writeIfChanged(aliasFile, alias.readAll()))
        return environment;

    QString system = environment.value(QStringLiteral("FONTCONFIG_FILE"));
    if (system.isEmpty() || QFileInfo(system).isRelative() || system == folder + QStringLiteral("/fonts.conf"))
        system = QStringLiteral("/etc/fonts/fonts.conf");
    QByteArray wrapper;
    QXmlStreamWriter w(&wrapper);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeDTD(QStringLiteral("<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">"));
    w.writeStartElement(QStringLiteral("fontconfig"));
    for (const QString& file : {system, aliasFile}) {
        w.writeStartElement(QStringLiteral("include"));
        w.writeAttribute(QStringLiteral("ignore_missing"), QStringLiteral("yes"));
        w.writeCharacters(file);
        w.writeEndElement();
    }
    w.writeEndDocument();
    const QString wrapperFile = folder + QStringLiteral("/fonts.conf");
    if (!writeIfChanged(wrapperFile, wrapper))
        return environment;
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), wrapperFile);
    return environment;
}

Result present(const QTextDocument& document, const QString& title)
{
    Result result;
    if (g_mode == Mode::Suppressed) {
        result.route = Route::Suppressed;
        return result;
    }

    QString problem;
    const QString folder = chooseFolder(&problem);
    if (folder.isEmpty()) {
        const QString shown = g_folder.isEmpty() ? QDir::tempPath() : g_folder;
        result.message =
            QStringLiteral("Non è stato possibile scrivere il documento nella cartella temporanea %1: %2.\r")
                .arg(QDir::toNativeSeparators(shown), problem)
            + WindowNote;
        return openWindow(document, title, result);
    }
    sweepEarlierDocuments(folder);
    const QString fileName = newFileName(folder);
    if (!Odf::write(document, fileName, &problem)) {
        result.message = problem + QLatin1Char('\r') + WindowNote;
        return openWindow(document, title, result);
    }
    rememberDocument(fileName);

    const std::optional<WordProcessor> processor = g_finder ? g_finder(fileName) : findWordProcessor(fileName);
    if (!processor)
        return openWindow(document, title, result);

    auto* handover = new Handover(document, title, *processor, fileName);
    if (handover->start(wordProcessorEnvironment(folder), &problem)) {
        result.route = Route::WordProcessor;
        result.fileName = fileName;
        result.program = processor->program;
        result.handover = handover;
        if (g_handoverHook)
            g_handoverHook(handover);
        return result;
    }
    delete handover;
    result.message = problem + QLatin1Char('\r') + WindowNote;
    return openWindow(document, title, result);
}

// ---- Handover ----

Handover::Handover(const QTextDocument& document, const QString& title, const WordProcessor& processor,
                   const QString& fileName)
        : document_(document.clone()),
          title_(title),
          processor_(processor),
          fileName_(fileName)
{
    pendingHandovers().insert(this);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &Handover::timeUp);
}

Handover::~Handover()
{
    pendingHandovers().remove(this);
    delete notifier_; // before its descriptor is closed
    notifier_ = nullptr;
    if (inotify_ >= 0)
        ::close(inotify_);
    releaseProcess();
}

bool Handover::start(const QProcessEnvironment& environment, QString* error)
{
    process_ = new QProcess;
    process_->setProgram(processor_.program);
    process_->setArguments(processor_.arguments);
    process_->setProcessEnvironment(environment);
    process_->setWorkingDirectory(QDir::homePath());
    process_->setStandardInputFile(QProcess::nullDevice());
    process_->setStandardOutputFile(QProcess::nullDevice());
    process_->setStandardErrorFile(QProcess::nullDevice());
    // A session of its own, as a detached program has: the word processor does not
    // share Lexoria's terminal signals, and gets the default file-size signal back.
    process_->setChildProcessModifier([] {
        ::setsid();
        ::signal(SIGXFSZ, SIG_DFL);
    });
    watchFile();
    process_->start();
    // Only the start itself is awaited (the system answers at once); what the word
    // processor does next is watched through signals.
    if (!process_->waitForStarted(30 * 1000)) {
        *error = QStringLiteral("Non è stato possibile avviare %1 (%2).")
                     .arg(processor_.name, QDir::toNativeSeparators(processor_.program));
        process_->kill();
        process_->waitForFinished(1000);
        delete process_;
        process_ = nullptr;
        return false;
    }
    processId_ = process_->processId();
    connect(process_, &QProcess::finished, this, &Handover::processFinished);
    timer_.start(handoverTimeout());
    return true;
}

// The document file is watched for being opened: that is when the word processor
// takes it. Only the user can reach the folder, so no one else opens it.
void Handover::watchFile()
{
    inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify_ < 0)
        return;
    if (::inotify_add_watch(inotify_, QFile::encodeName(fileName_).constData(), IN_OPEN) < 0) {
        ::close(inotify_);
        inotify_ = -1;
        return;
    }
    notifier_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &Handover::fileEvent);
}

void Handover::fileEvent()
{
    // Only an open counts; the watch also reports the file's removal.
    alignas(inotify_event) char events[4096];
    bool openedNow = false;
    for (ssize_t n; (n = ::read(inotify_, events, sizeof events)) > 0;) {
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            openedNow = openedNow || (event->mask & IN_OPEN);
            at += ssize_t(sizeof(inotify_event)) + event->len;
        }
    }
    if (!openedNow || opened_ || outcome_ != Outcome::Waiting)
        return;
    opened_ = true;
    notifier_->setEnabled(false);
    timer_.start(qMin(OpenedGrace, qMax(0, timer_.remainingTime())));
}

void Handover::processFinished(int exitCode, QProcess::ExitStatus status)
{
    if (outcome_ != Outcome::Waiting)
        return;
    if (status == QProcess::NormalExit && exitCode == 0) {
        take();
        return;
    }
    if (status == QProcess::CrashExit)
        fail(QStringLiteral("%1 si è interrotto in modo anomalo prima di mostrare il documento").arg(processor_.name));
    else
        fail(QStringLiteral("%1 si è chiuso con un errore (codice %2) prima di mostrare il documento")
                 .arg(processor_.name)
                 .arg(exitCode));
}

void Handover::timeUp()
{
    if (outcome_ != Outcome::Waiting)
        return;
    // Without a watch on the file there is no telling a hung word processor from
    // one the user works in: it is never stopped then.
    if (opened_ || inotify_ < 0) {
        take();
        return;
    }
    stopWordProcessor(process_, pid_t(processId_));
    fail(QStringLiteral("%1 non ha aperto il documento entro %2 secondi ed è stato chiuso")
             .arg(processor_.name)
             .arg(qMax(1, handoverTimeout() / 1000)));
}

void Handover::take()
{
    outcome_ = Outcome::Taken;
    timer_.stop();
    emit taken();
    emit decided();
    deleteLater();
}

void Handover::fail(const QString& why)
{
    outcome_ = Outcome::Failed;
    timer_.stop();
    Result shown;
    shown.message = why + QStringLiteral(": il documento è aperto nella finestra dei documenti di Lexoria.");
    shown = openWindow(*document_, title_, shown);
    window_ = shown.window;
    emit failed(shown.message);
    emit decided();
    deleteLater();
}

void Handover::releaseProcess()
{
    if (!process_)
        return;
    QProcess* process = process_;
    process_ = nullptr;
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    releasedProcesses().insert(process);
    QObject::connect(process, &QProcess::finished, process, [process] {
        releasedProcesses().remove(process);
        process->deleteLater();
    });
}

} // namespace Presentation
