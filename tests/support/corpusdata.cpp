#include "tests/support/corpusdata.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>

namespace {

// Massime per topic of one data file, topic t at index t: "== N title" opens
// topic N, and every other non-empty line after the first header is a massima.
QList<int> topicCounts(const corpus::ArchiveInfo& a)
{
    QFile file(compiledDataFolder() + QLatin1Char('/') + a.name + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("data file %s missing", qPrintable(file.fileName()));
    QList<int> counts(a.topics + 1, 0);
    int topic = 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("== ")) {
            topic = line.mid(3).split(' ').value(0).toInt();
            if (topic < 1 || topic > a.topics)
                qFatal("%s: topic header \"%s\" outside 1..%d", qPrintable(file.fileName()), line.constData(), a.topics);
        } else if (topic > 0 && !line.trimmed().isEmpty()) {
            ++counts[topic];
        }
    }
    return counts;
}

} // namespace

bool deliveredData()
{
    static const bool delivered = QFileInfo(compiledDataFolder()).canonicalFilePath()
        == QFileInfo(QStringLiteral(LEXORIA_SOURCE_DIR "/corpus/data")).canonicalFilePath();
    return delivered;
}

QString compiledDataFolder() { return QStringLiteral(LEXORIA_CORPUS_DIR); }

int countInDataFiles(std::optional<corpus::Archive> archive, int topic)
{
    static QHash<int, QList<int>> counts;
    int count = 0;
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        if (archive && a.archive != *archive)
            continue;
        const int key = corpus::indexOf(a.archive);
        if (!counts.contains(key))
            counts.insert(key, topicCounts(a));
        const QList<int>& perTopic = counts[key];
        for (int t = 1; t <= a.topics; ++t)
            count += (topic == 0 || topic == t) ? perTopic[t] : 0;
    }
    return count;
}

int expectedCount(int delivered, std::optional<corpus::Archive> archive, int topic)
{
    return deliveredData() ? delivered : countInDataFiles(archive, topic);
}
