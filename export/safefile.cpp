#include "safefile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeFile {

namespace {

// Under a file-size limit (ulimit -f) the system ends a process that writes past
// it with SIGXFSZ. Ignored, the write fails with EFBIG instead, which is reported
// like a full disk: a print must never end the program.
void ignoreFileSizeSignal()
{
    static const bool ignored = [] {
        struct sigaction action {};
        action.sa_handler = SIG_IGN;
        sigemptyset(&action.sa_mask);
        return ::sigaction(SIGXFSZ, &action, nullptr) == 0;
    }();
    (void)ignored;
}

bool writeAll(int fd, const QByteArray& data, int* error)
{
    const char* p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        if (n == 0) { // no progress and no error: the device takes nothing more
            *error = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

QString reasonFor(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("il disco è pieno");
    case EDQUOT: return QStringLiteral("lo spazio su disco concesso all'utente è esaurito");
    case EFBIG: return QStringLiteral("il file supera la dimensione massima consentita");
    case EROFS: return QStringLiteral("il disco è in sola lettura");
    case EACCES:
    case EPERM: return QStringLiteral("permesso negato");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("la cartella non esiste");
    case EISDIR: return QStringLiteral("al suo posto c'è una cartella");
    case EIO: return QStringLiteral("errore di lettura o scrittura del disco");
    case ENAMETOOLONG: return QStringLiteral("il nome del file è troppo lungo");
    default:
        return QStringLiteral("errore di sistema %1 (%2)").arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

bool write(const QString& fileName, const QByteArray& data, QString* reason)
{
    ignoreFileSizeSignal();
    auto fail = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (QFileInfo(fileName).isDir())
        return fail(reasonFor(EISDIR));

    // Unbuffered: Qt keeps no copy of its own, so what the checks below see is on disk.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QFileInfo folder(QFileInfo(fileName).path());
        if (!folder.isDir())
            return fail(reasonFor(ENOENT));
        if (!folder.isWritable())
            return fail(reasonFor(EACCES));
        return fail(QStringLiteral("il file non può essere creato (%1)").arg(file.errorString()));
    }
    const int fd = file.handle();
    int error = 0;
    bool complete = writeAll(fd, data, &error);
    // A file system may report a full disk only when the data is synced; one that
    // cannot sync this file (EINVAL) has nothing more to report.
    if (complete && ::fsync(fd) != 0 && errno != EINVAL) {
        error = errno;
        complete = false;
    }
    struct stat written {};
    if (complete && ::fstat(fd, &written) != 0) {
        error = errno;
        complete = false;
    }
    if (complete && written.st_size != data.size()) {
        error = ENOSPC;
        complete = false;
    }
    if (!complete) {
        file.cancelWriting(); // the temporary copy goes, the earlier file stays
        return fail(reasonFor(error));
    }
    if (!file.commit())
        return fail(QStringLiteral("il file non può essere sostituito (%1)").arg(file.errorString()));
    // The file now in place must be the one just written.
    if (QFileInfo(fileName).size() != data.size())
        return fail(reasonFor(EIO));
    return true;
}

} // namespace SafeFile
