#pragma once
// The search results as the window's list shows them: one row a massima found,
// five columns. Each row's excerpt is made only when a view or a screen reader
// first asks for it, so a long list is filled at once and painted quickly.

#include "search/searchengine.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

class ResultsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ArchiveColumn, TopicColumn, PositionColumn, CitationColumn, SnippetColumn, ColumnCount };
    // The excerpt as HTML, the matched words marked (the snippet column).
    static constexpr int HtmlRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces every row (a model reset: views and screen readers drop what they kept of the old rows).
    void setResults(QList<search::Hit> hits, search::Highlighter highlighter);
    const QList<search::Hit>& hits() const { return hits_; }
    const search::Highlighter& highlighter() const { return highlighter_; }

    // What the citation column shows of a citation.
    static QString listedCitation(const search::Citation& citation);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Excerpt {
        QString html;
        QString plain;
    };
    const Excerpt& excerpt(int row) const;

    QList<search::Hit> hits_;
    search::Highlighter highlighter_;
    mutable std::vector<std::optional<Excerpt>> excerpts_;
};
