#include "history.h"

#include <algorithm>

namespace {

constexpr int ColumnCount = 8;
// The figures, the thirds and the result; the other columns name them.
const QList<int> figureColumns = {2, 4, 6, 7};

}  // namespace

QStringList HistoryEntry::columns() const
{
    return {statistic, firstCaption, firstFigure, thirdsCaption, thirds, secondCaption, secondFigure, result};
}

void History::add(const HistoryEntry &entry)
{
    const int row = int(m_entries.size());
    beginInsertRows(QModelIndex(), row, row);
    m_entries.append(entry);
    endInsertRows();
}

void History::clear()
{
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

QString History::tabSeparated(QList<int> rows) const
{
    if (rows.isEmpty()) {
        for (int r = 0; r < m_entries.size(); ++r)
            rows.append(r);
    }
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (int r : std::as_const(rows)) {
        if (r >= 0 && r < m_entries.size())
            lines.append(m_entries.at(r).columns().join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n'));
}

int History::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int History::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant History::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_entries.at(index.row()).columns().at(index.column());
    // Figures and results line up on their last digits; names on their first letters.
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment side = figureColumns.contains(index.column()) ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(side | Qt::AlignVCenter);
    }
    return QVariant();
}
