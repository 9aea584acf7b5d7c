#pragma once
// The data file format of one archive: comment lines ('#') before the first topic,
// a header "== <number> <title>" per topic, then one massima per non-empty line.
// Shared by the build-time check and the loader, so both read the files alike.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace corpus {

struct CorpusFault {
    int line; // 1-based; the last line for faults found at the end of the file
    QString message;
};

struct ParsedArchive {
    QStringList titles;                 // index 0 unused, 1..topics
    std::vector<QStringList> massime;   // index 0 unused; each list in corpus order
    std::vector<CorpusFault> faults;    // empty for a sound file
};

// Reads a whole data file for an archive of `topics` topics with `positions`
// positions each. Faulty lines are reported and left out; the rest is kept.
ParsedArchive parseArchiveFile(const QByteArray& bytes, int topics, int positions);

} // namespace corpus
