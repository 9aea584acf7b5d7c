#pragma once
// Writing a whole file so that it is either complete on disk or left as it was.
// QSaveFile alone is not enough: in Qt 6.4 its commit() reports success after a
// failed flush of a small file (the data sat in Qt's buffer), and the truncated
// file then replaces the earlier one. Here every write is checked, the data is
// flushed and synced, and the size on disk is compared with the data before the
// earlier file is replaced, and once more after.

#include <QByteArray>
#include <QString>

namespace SafeFile {

// Writes `data` to `fileName`. On failure the earlier file (if any) is kept,
// no partial file is left behind, and `reason` (if given) gets an Italian
// sentence fragment saying why ("il disco è pieno").
bool write(const QString& fileName, const QByteArray& data, QString* reason = nullptr);

// The Italian reason for a failed write with the system error `error` (errno).
QString reasonFor(int error);

} // namespace SafeFile
