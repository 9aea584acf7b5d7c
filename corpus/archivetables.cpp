#include "corpus/archivetables.h"

#include "corpus/corpustables.h"

namespace corpus {

namespace {

QString inPlace(const char16_t* text, const generated::Span& span)
{
    return QString::fromRawData(reinterpret_cast<const QChar*>(text + span.offset), qsizetype(span.length));
}

} // namespace

ArchiveTables ArchiveTables::Build(Archive archive)
{
    ArchiveTables tables;
    tables.archive_ = archive;
    const int index = indexOf(archive);
    if (index >= 0 && index < generated::ArchiveTablesCount && generated::ArchiveTablesData[index].topics == info(archive).topics)
        tables.data_ = &generated::ArchiveTablesData[index];
    return tables;
}

int ArchiveTables::topics() const { return info(archive_).topics; }
int ArchiveTables::positions() const { return info(archive_).positions; }

QString ArchiveTables::Title(int topic) const
{
    if (!data_ || topic < 1 || topic > topics())
        return {};
    return inPlace(data_->text, data_->titles[topic - 1]);
}

QString ArchiveTables::Massima(int topic, int position) const
{
    if (!data_ || topic < 1 || topic > topics() || position < 1 || position > positions())
        return {};
    const int index = data_->first[topic - 1] + position - 1;
    if (index >= data_->first[topic])
        return {};
    return inPlace(data_->text, data_->massime[index]);
}

int ArchiveTables::TopicCount(int topic) const
{
    if (!data_ || topic < 1 || topic > topics())
        return 0;
    return std::min(data_->first[topic] - data_->first[topic - 1], positions());
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
    entries.reserve(topics());
    for (int t = 1; t <= topics(); ++t)
        entries.append(TopicListEntry(t));
    return entries;
}

QByteArray ArchiveTables::Fingerprint() { return QByteArray(generated::CorpusPrint); }

} // namespace corpus
