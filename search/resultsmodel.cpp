#include "search/resultsmodel.h"

#include "search/shortcitation.h"

#include <QTextDocumentFragment>

void ResultsModel::setResults(QList<search::Hit> hits, search::Highlighter highlighter)
{
    beginResetModel();
    hits_ = std::move(hits);
    highlighter_ = std::move(highlighter);
    excerpts_.assign(size_t(hits_.size()), std::nullopt);
    endResetModel();
}

// The short citation of the first decision, "e altra" standing for the second:
// the column holds court, date and number without the width of two decisions;
// the tooltip gives the citation whole.
QString ResultsModel::listedCitation(const search::Citation& citation)
{
    const QString full = search::shortCitation(citation);
    if (citation.dates.size() < 2 && citation.numbers.size() < 2)
        return full;
    const qsizetype second = full.indexOf(QLatin1String(" e "));
    return second < 0 ? full : full.left(second) + QStringLiteral(" e altra");
}

int ResultsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(hits_.size()); }

int ResultsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

const ResultsModel::Excerpt& ResultsModel::excerpt(int row) const
{
    std::optional<Excerpt>& e = excerpts_[size_t(row)];
    if (!e) {
        const QString html = highlighter_.snippet(hits_[row].text);
        e = Excerpt{html, QTextDocumentFragment::fromHtml(html).toPlainText()};
    }
    return *e;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= hits_.size())
        return {};
    const search::Hit& hit = hits_[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ArchiveColumn: return corpus::info(hit.ref.archive).label;
        case TopicColumn: return hit.topicTitle;
        case PositionColumn: return QString::number(hit.ref.position);
        case CitationColumn: return listedCitation(hit.citation);
        case SnippetColumn: return excerpt(index.row()).plain;
        default: return {};
        }
    }
    if (role == HtmlRole && index.column() == SnippetColumn)
        return excerpt(index.row()).html;
    // The topic may be cut by its column: the tooltip shows it whole, and the
    // citation as the massima writes it.
    if (role == Qt::ToolTipRole && index.column() == TopicColumn)
        return hit.topicTitle;
    if (role == Qt::ToolTipRole && index.column() == CitationColumn)
        return hit.citation.text;
    return {};
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ArchiveColumn: return QStringLiteral("Archivio");
    case TopicColumn: return QStringLiteral("Argomento");
    case PositionColumn: return QStringLiteral("N.");
    case CitationColumn: return QStringLiteral("Citazione");
    case SnippetColumn: return QStringLiteral("Estratto");
    default: return {};
    }
}
