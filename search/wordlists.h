#pragma once
// The word lists a publisher may extend (search/data/, compiled into the
// program): the small words a query leaves out, and the forms of a term that
// keep a stem of their own. Words are folded as the index folds them.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace search {

// An article, preposition, conjunction or the like (parolecomuni.txt).
bool isSmallWord(const QString& folded);

// The stem a word takes instead of the stemmer's, when radici.txt lists it: the
// forms on one line share it, and no other word has it.
std::optional<std::string> stemException(const std::string& folded);

// One expression of a synonym group (sinonimi.txt): as written, and its folded words.
struct SynonymForm {
    QString written;
    QStringList words;
};
using SynonymGroup = QList<SynonymForm>;

// The synonym groups, each listing its forms longest first.
const QList<SynonymGroup>& synonymGroups();

} // namespace search
