#include "archivetables.h"

#include "corpusfile.h"

#include <QFile>
#include <array>
#include <vector>

namespace corpus {

struct ArchiveTables::Data {
    QStringList titles;                     // 0..N
    std::vector<std::vector<QString>> cells; // (N+1) x (P+1), topic first
    int total = 0;
};

QString dataResourcePath(Archive archive)
{
    return QStringLiteral(":/corpus/%1.txt").arg(info(archive).name);
}

ArchiveTables ArchiveTables::Build(Archive archive)
{
    static std::array<std::shared_ptr<const Data>, ArchiveCount> cache;
    auto& cached = cache[static_cast<size_t>(archive)];
    if (!cached)
        cached = load(archive);
    ArchiveTables tables;
    tables.archive_ = archive;
    tables.data_ = cached;
    return tables;
}

int ArchiveTables::topics() const { return info(archive_).topics; }
int ArchiveTables::positions() const { return info(archive_).positions; }

QString ArchiveTables::Title(int topic) const
{
    if (!data_ || topic < 1 || topic > topics())
        return {};
    return data_->titles.value(topic);
}

QString ArchiveTables::Massima(int topic, int position) const
{
    if (!data_ || topic < 1 || topic > topics() || position < 1 || position > positions())
        return {};
    return data_->cells[topic][position];
}

int ArchiveTables::TopicCount(int topic) const
{
    int count = 0;
    for (int p = 1; p <= positions(); ++p)
        if (!Massima(topic, p).isEmpty())
            ++count;
    return count;
}

int ArchiveTables::ArchiveTotal() const { return data_ ? data_->total : 0; }

QString ArchiveTables::TopicListEntry(int topic) const
{
    const QString number = (topic < 10 ? QStringLiteral("   ") : QStringLiteral(" ")) + QString::number(topic);
    return number + QStringLiteral(") ") + Title(topic);
}

QStringList ArchiveTables::TopicListEntries() const
{
    QStringList entries;
    for (int t = 1; t <= topics(); ++t)
        entries.append(TopicListEntry(t));
    return entries;
}

std::shared_ptr<const ArchiveTables::Data> ArchiveTables::load(Archive archive)
{
    const ArchiveInfo& a = info(archive);
    QFile file(dataResourcePath(archive));
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    // The build has checked the data; a fault here can only leave a topic short.
    const ParsedArchive parsed = parseArchiveFile(bytes, a.topics, a.positions);

    auto data = std::make_shared<Data>();
    data->titles = parsed.titles;
    data->cells.assign(a.topics + 1, std::vector<QString>(a.positions + 1));
    for (int t = 1; t <= a.topics; ++t) {
        const QStringList& list = parsed.massime[t];
        for (int p = 1; p <= list.size() && p <= a.positions; ++p) {
            data->cells[t][p] = list[p - 1];
            if (!list[p - 1].isEmpty())
                ++data->total;
        }
    }
    return data;
}

} // namespace corpus
