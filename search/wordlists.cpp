#include "search/wordlists.h"

#include "search/textfold.h"

#include <QFile>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <unordered_map>

namespace search {

namespace {

// The lines of a list that are neither blank nor notes (#), each split at blanks.
QList<QStringList> listLines(const QString& resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("word list %s missing from the program", qPrintable(resource));
    QList<QStringList> lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')))
            lines << trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return lines;
}

} // namespace

bool isSmallWord(const QString& folded)
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const QStringList& line : listLines(QStringLiteral(":/search/parolecomuni.txt")))
            for (const QString& word : line)
                set.insert(word);
        return set;
    }();
    return words.contains(folded);
}

std::optional<std::string> stemException(const std::string& folded)
{
    // A stem no stemmer makes: the line's first form after a sign that is never in a word.
    static const std::unordered_map<std::string, std::string> stems = [] {
        std::unordered_map<std::string, std::string> map;
        for (const QStringList& line : listLines(QStringLiteral(":/search/radici.txt")))
            for (const QString& word : line)
                map.emplace(word.toStdString(), "=" + line.first().toStdString());
        return map;
    }();
    const auto it = stems.find(folded);
    return it == stems.end() ? std::nullopt : std::optional<std::string>(it->second);
}

const QList<SynonymGroup>& synonymGroups()
{
    static const QList<SynonymGroup> groups = [] {
        QList<SynonymGroup> list;
        for (const QStringList& line : listLines(QStringLiteral(":/search/sinonimi.txt"))) {
            SynonymGroup group;
            for (const QString& written : line.join(QLatin1Char(' ')).split(QLatin1Char('|'))) {
                const QStringList words = foldedText(written).split(QLatin1Char(' '), Qt::SkipEmptyParts);
                if (!words.isEmpty())
                    group.append({written.simplified(), words});
            }
            std::stable_sort(group.begin(), group.end(), [](const SynonymForm& a, const SynonymForm& b) {
                return a.words.size() > b.words.size();
            });
            if (group.size() > 1)
                list.append(group);
        }
        return list;
    }();
    return groups;
}

} // namespace search
