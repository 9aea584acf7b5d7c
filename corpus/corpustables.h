#pragma once
// The shape of the corpus tables that tools/corpustables writes at build time
// from corpus/data/*.txt: one UTF-16 text block per archive and the spans of
// its titles and massime within it. The program reads the texts in place
// (QString::fromRawData): nothing is parsed, decoded or copied at run time.

#include <cstdint>

namespace corpus::generated {

struct Span {
    std::uint32_t offset; // in UTF-16 code units from the start of the block
    std::uint32_t length;
};

struct ArchiveData {
    const char16_t* text;
    const Span* titles;        // topics 1..N at indexes 0..N-1
    const Span* massime;       // every massima, topic after topic, in corpus order
    const std::uint16_t* first; // N+1 entries: topic t's massime are [first[t-1], first[t])
    int topics;
    int total;
};

// In archive order (corpus::indexOf); defined by the generated source.
extern const ArchiveData ArchiveTablesData[];
extern const int ArchiveTablesCount;
// SHA-256 (hex) of every archive's titles and massime, as the tables hold them.
extern const char CorpusPrint[];

} // namespace corpus::generated
