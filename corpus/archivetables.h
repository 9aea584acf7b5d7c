#pragma once
// The topic table and massime table of one archive, with the lookups the
// browser windows, the exports and the chooser use.

#include "corpus/archives.h"

#include <QStringList>

namespace corpus {

namespace generated {
struct ArchiveData;
}

class ArchiveTables {
public:
    ArchiveTables() = default;

    // Both tables of the archive, over the compiled-in data: nothing is read
    // or copied, so every Build is immediate and yields the same tables. The
    // texts returned point into that data and stay valid for the process.
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

    // A print of every archive's titles and massime compiled into the program:
    // equal prints, equal corpus. The search index carries the print of the
    // corpus it was built from.
    static QByteArray Fingerprint();

private:
    Archive archive_ = Archive::edilizia;
    const generated::ArchiveData* data_ = nullptr;
};

} // namespace corpus
