#include "browser/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace Trash {

namespace {

bool isWritableFolder(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

// A folder made for the trash is the user's alone.
bool makeFolder(const QString& path)
{
    return QFileInfo(path).isDir() || QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Qt reports where it put the file: it must be a trash's "files" folder, the
// user's own or one named ".Trash-<uid>" or ".Trash/<uid>" on the file's disk.
bool liesInATrash(const QString& moved, const QString& userTrash)
{
    const QFileInfo file(moved);
    QDir files = file.absoluteDir();
    if (files.dirName() != QLatin1String("files"))
        return false;
    if (files.canonicalPath() == QDir(userTrash + QStringLiteral("/files")).canonicalPath())
        return true;
    QDir trash = files;
    if (!trash.cdUp())
        return false;
    if (trash.dirName().startsWith(QLatin1String(".Trash-")))
        return true;
    QDir shared = trash;
    return shared.cdUp() && shared.dirName() == QLatin1String(".Trash");
}

} // namespace

QString userTrash()
{
    // Without a home there is no user trash: Qt would fall back to the current
    // folder and leave the file in a "files" folder there.
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty() || QDir::isRelativePath(home))
        return {};
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || QDir::isRelativePath(data))
        return {};
    if (!QDir().mkpath(data) || !isWritableFolder(data))
        return {};
    const QString trash = QDir(data).filePath(QStringLiteral("Trash"));
    if (!makeFolder(trash) || !isWritableFolder(trash))
        return {};
    for (const QString& sub : {QStringLiteral("files"), QStringLiteral("info")}) {
        const QString folder = QDir(trash).filePath(sub);
        if (!makeFolder(folder) || !isWritableFolder(folder))
            return {};
    }
    return trash;
}

bool moveToTrash(const QString& path)
{
    const QString trash = userTrash();
    if (trash.isEmpty())
        return false;
    QString moved;
    if (!QFile::moveToTrash(path, &moved))
        return false;
    if (liesInATrash(moved, trash))
        return true;
    // Not a trash after all: put the file back and drop the note Qt wrote.
    const QFileInfo wrong(moved);
    QFile::remove(wrong.absoluteDir().filePath(QStringLiteral("../info/") + wrong.fileName()
                                               + QStringLiteral(".trashinfo")));
    QFile::rename(moved, path);
    return false;
}

} // namespace Trash
