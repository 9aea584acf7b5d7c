#include "export/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
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
    const QByteArray target = QFile::encodeName(fileName);
    struct stat earlier {};
    const bool hadFile = ::lstat(target.constData(), &earlier) == 0;
    if (hadFile && S_ISDIR(earlier.st_mode))
        return fail(reasonFor(EISDIR));

    // A new file beside the name, made here and never found there: nothing planted
    // under its name is opened.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const int error = errno;
        const QFileInfo folder(QFileInfo(fileName).path());
        if (!folder.isDir())
            return fail(reasonFor(ENOENT));
        if (error == EACCES || error == EPERM || !folder.isWritable())
            return fail(reasonFor(EACCES));
        return fail(QStringLiteral("il file non può essere creato (%1)").arg(reasonFor(error)));
    }
    // An earlier file keeps its permissions; a new one gets the usual ones.
    if (hadFile && S_ISREG(earlier.st_mode))
        ::fchmod(fd, earlier.st_mode & 07777);

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
    if (::close(fd) != 0 && complete && errno != EINTR) {
        error = errno;
        complete = false;
    }
    if (!complete) {
        ::unlink(temporary.constData()); // the temporary copy goes, the earlier file stays
        return fail(reasonFor(error));
    }
    // rename() replaces the name itself: a symbolic link there is replaced, and the
    // file it points to is left as it was.
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.constData());
        return fail(QStringLiteral("il file non può essere sostituito (%1)").arg(reasonFor(renameError)));
    }
    // The file now in place must be the one just written.
    struct stat placed {};
    if (::lstat(target.constData(), &placed) != 0 || !S_ISREG(placed.st_mode) || placed.st_size != data.size())
        return fail(reasonFor(EIO));
    return true;
}

} // namespace SafeFile
