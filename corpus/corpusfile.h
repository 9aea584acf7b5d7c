#pragma once
// The data file format of one archive: comment lines ('#') before the first topic,
// a header "== <number> <title>" per topic, then one massima per non-empty line.
// Shared by the build-time check and the loader, so both read the files alike.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace corpus {

// The longest massima a window can sensibly show.
inline constexpr int MaxMassimaLength = 20000;
// Reading stops at this many faults: a file that bad is not worth reading on.
inline constexpr int MaxFaults = 50;

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
// A topic holds fewer massime than positions (the windows step one position
// past the last massima), each at most MaxMassimaLength characters long. After
// MaxFaults faults a last one says that reading stopped there.
ParsedArchive parseArchiveFile(const QByteArray& bytes, int topics, int positions);

} // namespace corpus
