#include "presentation.h"

#include "documentwindow.h"
#include "odfwriter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextDocument>
#include <QXmlStreamWriter>
#include <unistd.h>

namespace Presentation {

namespace {

Mode g_mode = Mode::Open;
Finder g_finder;
QString g_folder;
std::function<void(QWidget*)> g_hook;
int g_written = 0;

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
    const QString desktopId = QString::fromUtf8(query.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (desktopId.isEmpty())
        return std::nullopt;
    const QString desktopFile = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    return desktopFile.isEmpty() ? std::nullopt : fromDesktopFile(desktopFile, fileName);
}

QString defaultFolder()
{
    return QDir::tempPath() + QStringLiteral("/lexoria-") + QString::number(::getuid());
}

// The folder exists, is ours and can be written; `problem` says why not.
bool prepareFolder(const QString& folder, QString* problem)
{
    if (!QDir().mkpath(folder)) {
        *problem = QStringLiteral("la cartella non può essere creata");
        return false;
    }
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable() || info.ownerId() != ::getuid()) {
        *problem = QStringLiteral("la cartella non è scrivibile");
        return false;
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

// Documents handed over days ago have long been read by the word processor,
// and so have all but the newest few: the folder stays small (and clearing it
// quick) however many documents are printed.
constexpr qsizetype KeptDocuments = 20;

void removeOldDocuments(const QString& folder)
{
    const QDateTime limit = QDateTime::currentDateTime().addDays(-2);
    const QFileInfoList old = QDir(folder).entryInfoList({QStringLiteral("documento-*.odt")}, QDir::Files, QDir::Time);
    for (qsizetype i = 0; i < old.size(); ++i) { // newest first
        if (i >= KeptDocuments || old[i].lastModified() < limit)
            QFile::remove(old[i].absoluteFilePath());
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
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == data)
        return true;
    existing.close();
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
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

void setDocumentFolder(const QString& folder) { g_folder = folder; }
QString documentFolder() { return g_folder.isEmpty() ? defaultFolder() : g_folder; }

void setDocumentWindowHook(std::function<void(QWidget*)> hook) { g_hook = std::move(hook); }

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

    const QString folder = documentFolder();
    QString problem;
    if (!prepareFolder(folder, &problem)) {
        result.message = QStringLiteral("Non è stato possibile scrivere il documento nella cartella temporanea %1: %2.\r")
                             .arg(QDir::toNativeSeparators(folder), problem)
                         + WindowNote;
        return openWindow(document, title, result);
    }
    removeOldDocuments(folder);
    const QString fileName = newFileName(folder);
    if (!Odf::write(document, fileName, &problem)) {
        result.message = problem + QLatin1Char('\r') + WindowNote;
        return openWindow(document, title, result);
    }

    const std::optional<WordProcessor> processor = g_finder ? g_finder(fileName) : findWordProcessor(fileName);
    if (!processor)
        return openWindow(document, title, result);

    QProcess process;
    process.setProgram(processor->program);
    process.setArguments(processor->arguments);
    process.setProcessEnvironment(wordProcessorEnvironment(folder));
    process.setWorkingDirectory(QDir::homePath());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (process.startDetached()) {
        result.route = Route::WordProcessor;
        result.fileName = fileName;
        result.program = processor->program;
        return result;
    }
    result.message = QStringLiteral("Non è stato possibile avviare %1 (%2).\r")
                         .arg(processor->name, QDir::toNativeSeparators(processor->program))
                     + WindowNote;
    return openWindow(document, title, result);
}

} // namespace Presentation
