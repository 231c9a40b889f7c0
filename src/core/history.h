// The results worked out in this run, oldest first: the rows of the history
// window, and the text it copies. Nothing of it is ever written to a file.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

// One result exactly as the panel showed it: the statistic, named by its
// result's caption, each figure beside its caption, and the result.
struct HistoryEntry {
    QString statistic;
    QString firstCaption, firstFigure;
    QString thirdsCaption, thirds;  // empty for a statistic without thirds
    QString secondCaption, secondFigure;
    QString result;

    // The list's columns, in order. Every row has them all, so that a
    // spreadsheet lines the figures and results of all three statistics up.
    QStringList columns() const;
    bool operator==(const HistoryEntry &other) const { return columns() == other.columns(); }
};

class History : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void add(const HistoryEntry &entry);
    void clear();
    const QList<HistoryEntry> &entries() const { return m_entries; }

    // The rows given, or every row when none is, one line each in the
    // history's order, their columns separated by tabs; no line break after
    // the last.
    QString tabSeparated(QList<int> rows = {}) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<HistoryEntry> m_entries;
};
