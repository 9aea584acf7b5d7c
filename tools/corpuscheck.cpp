// Checks corpus data files before they are compiled into the program.
// Usage: corpuscheck [--all] FILE...   (the archive is taken from each file's base name)
// Prints "file:line: message" for every fault, at most MaxReported of them,
// and exits 1 if there was any. With --all (the build's check) every archive of
// the archive table must have its file among those given.

#include "corpus/archives.h"
#include "corpus/corpusfile.h"
#include "search/provisions.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// More fault lines than this help nobody: the first ones show what is wrong.
constexpr int MaxReported = corpus::MaxFaults;
// Far above the largest archive (a few MB): a bigger file is not a data file.
constexpr qint64 MaxFileBytes = 256LL * 1024 * 1024;

// The whole file, when it is a regular file of a sensible size. It is opened
// without blocking, so a FIFO or a device in its place is refused, never waited on.
bool readDataFile(const QString& path, QByteArray& bytes, QString& error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = QStringLiteral("cannot be read: ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = QStringLiteral("not a regular file");
        return false;
    }
    if (info.st_size > MaxFileBytes) {
        ::close(fd);
        error = QStringLiteral("file of %1 bytes, larger than %2").arg(info.st_size).arg(MaxFileBytes);
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = QStringLiteral("cannot be read: ") + file.errorString();
        return false;
    }
    bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxFileBytes) {
        error = QStringLiteral("cannot be read: ") + file.errorString();
        return false;
    }
    return true;
}

// References to an article that the search cannot read as a provision (no code
// or law after it): warnings, so that a publisher sees them; the build goes on.
void warnUnreadableProvisions(const QString& path, const QByteArray& bytes, QTextStream& err)
{
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1String("== ")))
            continue;
        for (const QString& reference : search::readProvisions(line).unreadable)
            err << path << ':' << i + 1 << ": avviso: riferimento normativo non letto: " << reference << '\n';
    }
}

} // namespace

int main(int argc, char** argv)
{
    QTextStream err(stderr);
    const bool all = argc > 1 && qstrcmp(argv[1], "--all") == 0;
    const int first = all ? 2 : 1;
    if (argc <= first) {
        err << "usage: corpuscheck [--all] FILE...\n";
        return 2;
    }
    int faults = 0;
    QSet<corpus::Archive> given;
    auto report = [&](const QString& path, int line, const QString& message) {
        if (faults < MaxReported)
            err << path << ':' << line << ": " << message << '\n';
        ++faults;
    };
    for (int i = first; i < argc && faults < MaxReported; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const auto archive = corpus::archiveByName(QFileInfo(path).completeBaseName());
        if (!archive) {
            report(path, 0, QStringLiteral("not the data file of an archive (the name must be an archive's)"));
            continue;
        }
        given.insert(*archive);
        QByteArray bytes;
        QString error;
        if (!readDataFile(path, bytes, error)) {
            report(path, 0, error);
            continue;
        }
        const corpus::ArchiveInfo& a = corpus::info(*archive);
        const corpus::ParsedArchive parsed = corpus::parseArchiveFile(bytes, a.topics, a.positions);
        for (const corpus::CorpusFault& f : parsed.faults)
            report(path, f.line, f.message);
        warnUnreadableProvisions(path, bytes, err);
    }
    for (const corpus::ArchiveInfo& a : corpus::archives())
        if (all && !given.contains(a.archive) && faults < MaxReported)
            report(a.name + QStringLiteral(".txt"), 0,
                   QStringLiteral("missing: the archive %1 has no data file").arg(a.name));
    if (faults > MaxReported)
        err << "corpuscheck: stopped after " << MaxReported << " faults (" << faults - MaxReported
            << " more not shown)\n";
    return faults == 0 ? 0 : 1;
}
