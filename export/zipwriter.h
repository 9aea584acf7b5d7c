#pragma once
// Just enough of the zip format for an OpenDocument package: a few named
// entries written in order, the first one ("mimetype") stored as it is.

#include <QByteArray>
#include <QList>
#include <QString>

namespace Zip {

struct Entry {
    QString name;     // path inside the archive, '/' separated
    QByteArray data;
    bool compress = true;
};

QByteArray archive(const QList<Entry>& entries);

quint32 crc32(const QByteArray& data);

} // namespace Zip
