#pragma once
// Writing a whole file so that it is either complete on disk or left as it was.
// QSaveFile is not enough: in Qt 6.4 its commit() reports success after a failed
// flush of a small file (the data sat in Qt's buffer), and the truncated file then
// replaces the earlier one; and it follows a symbolic link, replacing the file the
// link points to. Here the data goes to a new file beside the name, every write is
// checked, the data is synced, and the size on disk is compared with the data
// before the file is renamed into the name's place, and once more after.

#include <QByteArray>
#include <QString>

namespace SafeFile {

// Writes `data` to `fileName`. On failure the earlier file (if any) is kept,
// no partial file is left behind, and `reason` (if given) gets an Italian
// sentence fragment saying why ("il disco è pieno"). A symbolic link named
// `fileName` is replaced by the file, never followed: what it points to stays.
bool write(const QString& fileName, const QByteArray& data, QString* reason = nullptr);

// The Italian reason for a failed write with the system error `error` (errno).
QString reasonFor(int error);

} // namespace SafeFile
