#include "search/searchindex_p.h"

#include "search/italianstem.h"
#include "search/provisions.h"
#include "search/textfold.h"

#include <QCollator>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace search {

using namespace terms;

namespace {

// The file: a header, then the compacted Xapian database, which the header's
// checksum covers whole, so that damage anywhere in it is found before a search
// reads it. A file of another format (another version of the indexing code) is
// not opened: the program then builds its index in memory.
//   bytes  0-15  the format, "LEXORIA-INDICE-3"
//   bytes 16-23  the database's length in bytes
//   bytes 24-31  its checksum
// (numbers little-endian).
constexpr char Magic[16] = {'L', 'E', 'X', 'O', 'R', 'I', 'A', '-', 'I', 'N', 'D', 'I', 'C', 'E', '-', '3'};
constexpr qint64 HeaderSize = 32;
const std::string FingerprintKey = "lexoria.fingerprint";
const std::string CountKey = "lexoria.massime";
const std::string FieldsKey = "lexoria.fields";
// Before a word's stem in the file's synonym table: the query parser's stem terms.
const std::string StemPrefix = "Z";

// Words longer than this are left out, as Xapian's own term generator leaves them.
constexpr size_t MaxWordBytes = 64;
// Between the text and the topic title, so that no phrase runs from one into the other.
constexpr Xapian::termpos TitleGap = 100;
// The index is built in this many parts at most, each on its own thread.
constexpr unsigned MaxShards = 4;

std::string utf8(const QString& text) { return text.toStdString(); }

double archiveOrderKey(const MassimaRef& ref)
{
    return corpus::indexOf(ref.archive) * 1e6 + ref.topic * 1e3 + ref.position;
}

int sectionOrder(const QString& section)
{
    static const QStringList romans = {QStringLiteral("I"),   QStringLiteral("II"),  QStringLiteral("III"),
                                       QStringLiteral("IV"),  QStringLiteral("V"),   QStringLiteral("VI"),
                                       QStringLiteral("VII"), QStringLiteral("VIII"), QStringLiteral("IX"),
                                       QStringLiteral("X")};
    const qsizetype roman = romans.indexOf(section);
    if (roman >= 0)
        return int(roman);
    bool numeric = false;
    const int n = section.toInt(&numeric);
    return numeric ? 100 + n : 1000;
}

bool isWordTerm(const std::string& term) { return !term.empty() && !(term[0] >= 'A' && term[0] <= 'Z'); }

// ---- the file's checksum ----

// A 64-bit checksum of four lanes of multiply-rotate rounds over 32-byte
// stripes: a few gigabytes a second, and any change of the data changes it
// but for a chance of one in 2^64. It guards against damage, not forgery.
class Checksum {
public:
    void add(const char* data, size_t size)
    {
        length_ += size;
        if (pending_ > 0) {
            const size_t take = std::min(size, sizeof stripe_ - pending_);
            std::memcpy(stripe_ + pending_, data, take);
            pending_ += take;
            data += take;
            size -= take;
            if (pending_ < sizeof stripe_)
                return;
            mixStripe(stripe_);
            pending_ = 0;
        }
        for (; size >= sizeof stripe_; data += sizeof stripe_, size -= sizeof stripe_)
            mixStripe(data);
        std::memcpy(stripe_, data, size);
        pending_ = size;
    }
    std::uint64_t value()
    {
        std::memset(stripe_ + pending_, 0, sizeof stripe_ - pending_);
        mixStripe(stripe_);
        std::uint64_t h = length_ * Prime1;
        for (std::uint64_t lane : lanes_)
            h = (std::rotl(h ^ lane, 27) + Prime2) * Prime1;
        h ^= h >> 33;
        h *= Prime2;
        return h ^ (h >> 29);
    }

private:
    static constexpr std::uint64_t Prime1 = 0x9E3779B185EBCA87ULL;
    static constexpr std::uint64_t Prime2 = 0xC2B2AE3D27D4EB4FULL;
    void mixStripe(const char* p)
    {
        for (size_t k = 0; k < lanes_.size(); ++k) {
            std::uint64_t word;
            std::memcpy(&word, p + 8 * k, 8);
            lanes_[k] = std::rotl(lanes_[k] + word * Prime2, 31) * Prime1;
        }
    }
    std::array<std::uint64_t, 4> lanes_{Prime1 + Prime2, Prime2, 0, 0 - Prime1};
    char stripe_[32] = {};
    size_t pending_ = 0;
    std::uint64_t length_ = 0;
};

void putNumber(char* at, std::uint64_t n)
{
    for (int i = 0; i < 8; ++i)
        at[i] = char((n >> (8 * i)) & 0xff);
}

std::uint64_t numberAt(const char* at)
{
    std::uint64_t n = 0;
    for (int i = 0; i < 8; ++i)
        n |= std::uint64_t(std::uint8_t(at[i])) << (8 * i);
    return n;
}

// Reads `size` bytes at `offset` whole; false on an error or an early end.
bool readAt(int fd, char* into, size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t n = ::pread(fd, into, size, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        into += n;
        size -= size_t(n);
        offset += n;
    }
    return true;
}

// The checksum of `length` bytes of `fd` from `offset`, read a chunk at a time
// so that checking a large file adds no memory; nothing when it cannot be read.
std::optional<std::uint64_t> checksumOf(int fd, off_t offset, std::uint64_t length)
{
    Checksum sum;
    std::vector<char> chunk(size_t(1) << 20);
    while (length > 0) {
        const size_t n = size_t(std::min<std::uint64_t>(length, chunk.size()));
        if (!readAt(fd, chunk.data(), n, offset))
            return std::nullopt;
        sum.add(chunk.data(), n);
        offset += off_t(n);
        length -= n;
    }
    return sum.value();
}

// ---- records: what a document holds besides its terms ----

QDataStream& versioned(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_6_4);
    return stream;
}

// The massima's place and its citation as read, so that an opened file answers
// without parsing a citation again.
std::string recordOf(const Hit& hit)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    versioned(out);
    const Citation& c = hit.citation;
    out << qint32(corpus::indexOf(hit.ref.archive)) << qint32(hit.ref.topic) << qint32(hit.ref.position) << c.text
        << qint32(c.ending) << c.court << c.seat << c.section << c.dates << c.years << c.numbers;
    return bytes.toStdString();
}

[[noreturn]] void damaged() { throw Xapian::DatabaseCorruptError("a record of the index cannot be read"); }

Hit hitOfRecord(const std::string& record)
{
    const QByteArray bytes = QByteArray::fromRawData(record.data(), qsizetype(record.size()));
    QDataStream in(bytes);
    versioned(in);
    qint32 archive = -1, topic = 0, position = 0, ending = 0;
    Hit hit;
    Citation& c = hit.citation;
    in >> archive >> topic >> position >> c.text >> ending >> c.court >> c.seat >> c.section >> c.dates >> c.years
        >> c.numbers;
    if (in.status() != QDataStream::Ok || !in.atEnd() || archive < 0 || archive >= corpus::ArchiveCount || topic < 1
        || position < 1 || ending < 0 || ending > int(Citation::Ending::Missing))
        damaged();
    hit.ref = {corpus::archives()[size_t(archive)].archive, topic, position};
    c.ending = Citation::Ending(ending);
    return hit;
}

std::string recordOf(const CitationFields& f)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    versioned(out);
    out << f.courts << f.sections << qint32(f.firstYear) << qint32(f.lastYear) << qint32(f.unreadable)
        << qint32(f.partial);
    return bytes.toStdString();
}

std::optional<CitationFields> fieldsOfRecord(const std::string& record)
{
    const QByteArray bytes = QByteArray::fromRawData(record.data(), qsizetype(record.size()));
    QDataStream in(bytes);
    versioned(in);
    CitationFields f;
    qint32 firstYear = 0, lastYear = 0, unreadable = 0, partial = 0;
    in >> f.courts >> f.sections >> firstYear >> lastYear >> unreadable >> partial;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    f.firstYear = firstYear;
    f.lastYear = lastYear;
    f.unreadable = unreadable;
    f.partial = partial;
    return f;
}

// ---- documents ----

// Adds the folded words of `text` with their positions after `position`; returns the last position.
Xapian::termpos addWords(Xapian::Document& doc, QStringView text, Xapian::termpos position)
{
    forEachFoldedWord(text, [&](const std::string& word) {
        ++position;
        if (word.size() <= MaxWordBytes)
            doc.add_posting(word, position);
    });
    return position;
}

// The distinct years of a citation in the order written, joined by blanks.
std::string yearsValue(const QList<int>& years)
{
    std::string value;
    QList<int> seen;
    for (int year : years) {
        if (seen.contains(year))
            continue;
        seen << year;
        value += (value.empty() ? "" : " ") + std::to_string(year);
    }
    return value;
}

// The document of one massima: its words with their positions, the fields of
// its citation and its place as boolean terms, the values that sort and count
// the results, and its record.
Xapian::Document documentOf(const Hit& hit)
{
    Xapian::Document doc;
    const Xapian::termpos end = addWords(doc, hit.text, 0);
    addWords(doc, hit.topicTitle, end + TitleGap);

    const Citation& c = hit.citation;
    doc.add_boolean_term(ArchivePrefix + utf8(corpus::info(hit.ref.archive).name));
    if (!c.court.isEmpty())
        for (const QString& name : courtFamilies(c.court))
            doc.add_boolean_term(CourtPrefix + utf8(foldedText(name)));
    if (!c.section.isEmpty())
        doc.add_boolean_term(SectionPrefix + utf8(foldWord(c.section)));
    for (int year : c.years)
        doc.add_boolean_term(YearPrefix + std::to_string(year));
    for (int number : c.numbers)
        doc.add_boolean_term(NumberPrefix + std::to_string(number));
    for (const Provision& p : readProvisions(hit.text).provisions)
        for (const QString& key : p.indexKeys())
            doc.add_boolean_term(ProvisionPrefix + utf8(key));

    doc.add_value(ArchiveOrderSlot, Xapian::sortable_serialise(archiveOrderKey(hit.ref)));
    if (c.date().isValid())
        doc.add_value(DateSlot, Xapian::sortable_serialise(c.date().year() * 10000 + c.date().month() * 100
                                                           + c.date().day()));
    doc.add_value(ArchiveSlot, std::string(1, char('0' + corpus::indexOf(hit.ref.archive))));
    if (!c.court.isEmpty())
        doc.add_value(CourtSlot, utf8(c.court));
    if (!c.years.isEmpty())
        doc.add_value(YearsSlot, yearsValue(c.years));
    doc.add_boolean_term(placeTerm(hit.ref));
    doc.set_data(recordOf(hit));
    return doc;
}

Hit hitOf(const SourceMassima& m) { return Hit{m.ref, m.topicTitle, m.text, parseCitation(m.text)}; }

// The courts and sections the filters offer, the years the citations name, and
// how many citations could not be read.
CitationFields fieldsOf(const std::vector<Hit>& hits)
{
    CitationFields f;
    std::map<QString, QSet<QString>> familyMembers; // court name -> courts it begins (itself included)
    QSet<QString> sectionSet;
    for (const Hit& hit : hits) {
        const Citation& c = hit.citation;
        if (!c.court.isEmpty())
            for (const QString& name : courtFamilies(c.court))
                familyMembers[name].insert(c.court);
        if (!c.section.isEmpty())
            sectionSet.insert(c.section);
        for (int year : c.years) {
            f.firstYear = f.firstYear == 0 ? year : std::min(f.firstYear, year);
            f.lastYear = std::max(f.lastYear, year);
        }
        if (c.isUnreadable())
            ++f.unreadable;
        else if (!c.isParsed())
            ++f.partial;
    }
    for (const auto& [name, members] : familyMembers)
        if (members.contains(name) || members.size() >= 2)
            f.courts << name;
    QCollator collator{QLocale(QLocale::Italian)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(f.courts.begin(), f.courts.end(), collator);
    f.sections = QStringList(sectionSet.begin(), sectionSet.end());
    std::sort(f.sections.begin(), f.sections.end(), [](const QString& a, const QString& b) {
        return sectionOrder(a) != sectionOrder(b) ? sectionOrder(a) < sectionOrder(b) : a < b;
    });
    return f;
}

// The index holds each word as written (folded), with its positions; "anche
// parole simili" asks for every indexed word of the same stem. The words are
// read from the index's own term list, so the groups hold exactly its words.
template <typename Add> void groupWordsByStem(const Xapian::Database& db, Add&& add)
{
    Xapian::Stem stem = italianStem();
    for (auto it = db.allterms_begin(); it != db.allterms_end(); ++it)
        if (const std::string word = *it; isWordTerm(word))
            add(stem(word), word);
}

// One shard holds the massime first, first + step, first + 2 * step...: with
// the shards joined in order, Xapian numbers the documents of n shards
// (shard document - 1) * n + shard + 1, which gives massima i the id i + 1.
// Each shard fills its own entries of `hits`.
void indexShard(Xapian::WritableDatabase& shard, const QList<SourceMassima>& massime, std::vector<Hit>& hits,
                size_t first, size_t step)
{
    for (size_t i = first; i < hits.size(); i += step) {
        hits[i] = hitOf(massime[qsizetype(i)]);
        shard.add_document(documentOf(hits[i]));
    }
    shard.commit();
}

} // namespace

// ---------------------------------------------------------------------------

SearchIndex::SearchIndex() : d(std::make_unique<Data>()) {}
SearchIndex::~SearchIndex() = default;

bool SearchIndex::isFile() const { return d->file; }
int SearchIndex::size() const { return int(d->db.get_doccount()); }
const CitationFields& SearchIndex::fields() const { return d->fields; }

Hit SearchIndex::Data::hit(Xapian::docid id) const
{
    if (!file)
        return hits[size_t(id - 1)];
    Hit hit = hitOfRecord(db.get_document(id, Xapian::DOC_ASSUME_VALID).get_data());
    const std::optional<SourceMassima> massima = find ? find(hit.ref) : std::nullopt;
    if (!massima)
        damaged(); // a place the corpus does not have
    hit.topicTitle = massima->topicTitle;
    hit.text = massima->text;
    return hit;
}

std::vector<std::string> SearchIndex::Data::wordsWithStem(const std::string& stem) const
{
    if (!file) {
        const auto group = wordsByStem.find(stem);
        return group == wordsByStem.end() ? std::vector<std::string>{} : group->second;
    }
    return {db.synonyms_begin(StemPrefix + stem), db.synonyms_end(StemPrefix + stem)};
}

std::unique_ptr<SearchIndex> SearchIndex::build(QList<SourceMassima> massime)
{
    std::unique_ptr<SearchIndex> index(new SearchIndex);
    Data& d = *index->d;
    d.massime = std::move(massime);
    d.hits.resize(size_t(d.massime.size()));

    // Reading and indexing the texts is the bulk of the work: the shards share it out.
    const unsigned shardCount = std::clamp(std::thread::hardware_concurrency(), 1u, MaxShards);
    for (unsigned k = 0; k < shardCount; ++k)
        d.shards.emplace_back(std::string(), Xapian::DB_BACKEND_INMEMORY);
    std::vector<std::exception_ptr> failures(shardCount);
    const auto indexOne = [&](unsigned k) {
        try {
            indexShard(d.shards[k], d.massime, d.hits, k, shardCount);
        } catch (...) {
            failures[k] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned k = 1; k < shardCount; ++k)
        helpers.emplace_back(indexOne, k);
    indexOne(0);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);

    for (const Xapian::WritableDatabase& shard : d.shards)
        d.db.add_database(shard);
    groupWordsByStem(d.db, [&d](const std::string& stem, const std::string& word) {
        d.wordsByStem[stem].push_back(word);
    });
    d.fields = fieldsOf(d.hits);
    return index;
}

bool SearchIndex::write(const QList<SourceMassima>& massime, const QByteArray& fingerprint, const QString& path,
                        QString* problem)
{
    const QFileInfo target(path);
    QTemporaryDir scratch(target.absolutePath() + QStringLiteral("/.indice-XXXXXX"));
    if (!scratch.isValid()) {
        *problem = QStringLiteral("cartella temporanea non creata accanto a %1").arg(path);
        return false;
    }
    const std::string glass = utf8(scratch.filePath(QStringLiteral("glass")));
    const QString database = scratch.filePath(QStringLiteral("database"));
    const QString single = scratch.filePath(QStringLiteral("single"));
    try {
        {
            // One writer in massima order: massima i is document i + 1, as in memory.
            Xapian::WritableDatabase db(glass, Xapian::DB_CREATE_OR_OVERWRITE | Xapian::DB_BACKEND_GLASS
                                                   | Xapian::DB_NO_SYNC);
            std::vector<Hit> hits;
            hits.reserve(size_t(massime.size()));
            for (const SourceMassima& m : massime) {
                hits.push_back(hitOf(m));
                db.add_document(documentOf(hits.back()));
            }
            db.commit();
            std::vector<std::pair<std::string, std::string>> stems; // read the terms whole, then write
            groupWordsByStem(db, [&stems](const std::string& stem, const std::string& word) {
                stems.emplace_back(StemPrefix + stem, word);
            });
            for (const auto& [stem, word] : stems)
                db.add_synonym(stem, word);
            db.set_metadata(FingerprintKey, fingerprint.toStdString());
            db.set_metadata(CountKey, std::to_string(massime.size()));
            db.set_metadata(FieldsKey, recordOf(fieldsOf(hits)));
            db.commit();
            db.close();
        }
        Xapian::Database(glass).compact(utf8(database), Xapian::DBCOMPACT_SINGLE_FILE);
    } catch (const Xapian::Error& e) {
        *problem = QString::fromStdString(e.get_description());
        return false;
    }
    QFile in(database);
    QFile out(single);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        *problem = QStringLiteral("indice compattato non leggibile");
        return false;
    }
    const std::optional<std::uint64_t> sum = checksumOf(in.handle(), 0, std::uint64_t(in.size()));
    char header[HeaderSize] = {};
    std::memcpy(header, Magic, sizeof Magic);
    putNumber(header + 16, std::uint64_t(in.size()));
    putNumber(header + 24, sum.value_or(0));
    const QByteArray body = in.readAll();
    if (!sum || body.size() != in.size() || out.write(header, HeaderSize) != HeaderSize
        || out.write(body) != body.size() || !out.flush()) {
        *problem = QStringLiteral("%1 non scritto").arg(single);
        return false;
    }
    out.close();
    // rename() puts the whole new file in the place of the old one, or leaves the old one.
    if (std::rename(QFile::encodeName(single).constData(), QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        *problem = QStringLiteral("%1 non scritto").arg(path);
        return false;
    }
    return true;
}

std::unique_ptr<SearchIndex> SearchIndex::open(const QString& path, const IndexFile& expected, Finder find,
                                               QString* problem)
{
    // Non-blocking, so that a pipe planted under the name is refused, not waited on.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        *problem = errno == ENOENT ? QStringLiteral("l'indice non c'è") : QStringLiteral("l'indice non è leggibile");
        return nullptr;
    }
    struct stat info {};
    char header[HeaderSize];
    const auto refuse = [fd, problem](const QString& why) {
        ::close(fd);
        *problem = why;
        return nullptr;
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return refuse(QStringLiteral("l'indice non è un file"));
    if (!readAt(fd, header, HeaderSize, 0) || std::memcmp(header, Magic, sizeof Magic) != 0)
        return refuse(QStringLiteral("l'indice manca della sua intestazione o è di un'altra versione del programma"));
    const std::uint64_t length = numberAt(header + 16);
    if (std::uint64_t(info.st_size) != HeaderSize + length)
        return refuse(QStringLiteral("l'indice è troncato o allungato"));
    if (checksumOf(fd, HeaderSize, length) != numberAt(header + 24))
        return refuse(QStringLiteral("l'indice è danneggiato"));
    if (::lseek(fd, HeaderSize, SEEK_SET) != HeaderSize)
        return refuse(QStringLiteral("l'indice non è leggibile"));

    std::unique_ptr<SearchIndex> index(new SearchIndex);
    Data& d = *index->d;
    try {
        d.db = Xapian::Database(fd); // the database now owns the descriptor
        if (d.db.get_metadata(FingerprintKey) != expected.fingerprint.toStdString()) {
            *problem = QStringLiteral("l'indice è di un'altra raccolta di massime");
            return nullptr;
        }
        const std::optional<CitationFields> fields = fieldsOfRecord(d.db.get_metadata(FieldsKey));
        const Xapian::doccount count = d.db.get_doccount();
        if (!fields || d.db.get_metadata(CountKey) != std::to_string(count) || count == 0
            || (expected.massime >= 0 && count != Xapian::doccount(expected.massime))) {
            *problem = QStringLiteral("l'indice non corrisponde alla raccolta di massime");
            return nullptr;
        }
        d.fields = *fields;
    } catch (const Xapian::Error&) {
        *problem = QStringLiteral("l'indice è danneggiato");
        return nullptr;
    }
    d.file = true;
    d.find = std::move(find);
    return index;
}

} // namespace search
