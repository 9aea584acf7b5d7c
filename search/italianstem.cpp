#include "search/italianstem.h"

#include "search/wordlists.h"

#include <string>
#include <unordered_map>

namespace search {

namespace {

// Snowball's Italian stemmer, which leaves adjectives in -ale apart from their
// noun ("condominiale" stems to "condominial", "condominio" to "condomin"):
// those endings are taken off too, so the derived adjective finds its noun.
// The terms radici.txt lists keep a stem of their own, so that similar words
// never join two different legal terms (legittimazione and legittimità).
//
// The highlights ask for the stem of every word of every listed massima, and
// the texts repeat their words: each stem is computed once per stemmer and then
// remembered. A stemmer serves one thread, so its memory needs no lock.
class ItalianStem final : public Xapian::StemImplementation {
public:
    std::string operator()(const std::string& word) override
    {
        const auto known = remembered_.find(word);
        if (known != remembered_.end())
            return known->second;
        if (remembered_.size() >= MaxRemembered)
            remembered_.clear();
        return remembered_.emplace(word, computeStem(word)).first->second;
    }
    std::string get_description() const override { return "italian+adjectives"; }

private:
    static constexpr size_t MaxRemembered = 200000;

    std::string computeStem(const std::string& word)
    {
        if (std::optional<std::string> own = stemException(word))
            return *own;
        std::string stem = snowball_(word);
        const auto endsWith = [&stem](const char* end) {
            const size_t n = std::char_traits<char>::length(end);
            return stem.size() >= n && stem.compare(stem.size() - n, n, end) == 0;
        };
        if ((endsWith("ial") || endsWith("ual")) && stem.size() >= 7)
            stem.resize(stem.size() - 3);
        else if (endsWith("al") && stem.size() >= 6)
            stem.resize(stem.size() - 2);
        return stem;
    }

    Xapian::Stem snowball_{"italian"};
    std::unordered_map<std::string, std::string> remembered_;
};

} // namespace

Xapian::Stem italianStem() { return Xapian::Stem(new ItalianStem); }

QString stemOf(const QString& folded)
{
    thread_local Xapian::Stem stem = italianStem();
    return QString::fromStdString(stem(folded.toStdString()));
}

} // namespace search
