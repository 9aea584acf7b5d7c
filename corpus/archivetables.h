#pragma once
// The topic table and massime table of one archive, with the lookups the
// browser windows, the exports and the chooser use.

#include "archives.h"

#include <QStringList>
#include <memory>

namespace corpus {

class ArchiveTables {
public:
    ArchiveTables() = default;

    // Fills both tables from the compiled-in data of the archive. The data is read
    // once per process and shared; every Build yields the same tables.
    static ArchiveTables Build(Archive archive);

    bool isBuilt() const { return data_ != nullptr; }
    Archive archive() const { return archive_; }
    const ArchiveInfo& archiveInfo() const { return info(archive_); }
    int topics() const;
    int positions() const;

    // Empty text outside 1..N (and 1..P), as for an empty slot.
    QString Title(int topic) const;
    QString Massima(int topic, int position) const;
    // Non-empty slots among positions 1..P of the topic.
    int TopicCount(int topic) const;
    // Non-empty slots over the whole archive.
    int ArchiveTotal() const;
    // "   9) Ascensore", " 10) Assemblea"
    QString TopicListEntry(int topic) const;
    QStringList TopicListEntries() const;

private:
    struct Data;
    static std::shared_ptr<const Data> load(Archive archive);
    Archive archive_ = Archive::edilizia;
    std::shared_ptr<const Data> data_;
};

// The resource path of an archive's data file.
QString dataResourcePath(Archive archive);

} // namespace corpus
