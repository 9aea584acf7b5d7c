#include "tests/support/corpusdata.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>

namespace {

// The massime of one data file, appended to `list`.
void readDataFile(const corpus::ArchiveInfo& a, QList<DataMassima>& list)
{
    QFile file(compiledDataFolder() + QLatin1Char('/') + a.name + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("data file %s missing", qPrintable(file.fileName()));
    int topic = 0;
    int position = 0;
    QString title;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("== "))) {
            topic = line.section(QLatin1Char(' '), 1, 1).toInt();
            if (topic < 1 || topic > a.topics)
                qFatal("%s: topic header \"%s\" outside 1..%d", qPrintable(file.fileName()), qPrintable(line), a.topics);
            title = line.section(QLatin1Char(' '), 2);
            position = 0;
        } else if (topic > 0 && !line.trimmed().isEmpty()) {
            list << DataMassima{a.archive, topic, ++position, title, line};
        }
    }
}

// Massime per topic of one archive, topic t at index t.
QList<int> topicCounts(const corpus::ArchiveInfo& a)
{
    QList<int> counts(a.topics + 1, 0);
    for (const DataMassima& m : dataMassime())
        if (m.archive == a.archive)
            ++counts[m.topic];
    return counts;
}

} // namespace

const QList<DataMassima>& dataMassime()
{
    static const QList<DataMassima> all = [] {
        QList<DataMassima> list;
        for (const corpus::ArchiveInfo& a : corpus::archives())
            readDataFile(a, list);
        return list;
    }();
    return all;
}

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
