#pragma once

#include <QHash>
#include <QList>
#include <QtGlobal>

// The call and chat tables keep the latest kKeptRows rows: a call's or a message's status
// lines arrive within minutes, long after which a program left running for weeks would
// otherwise hold every call and chat it ever saw. When a row is appended to a full table the
// oldest kDroppedRows go at once, so the id index is rebuilt rarely.
namespace TrackedRows {
constexpr int kKeptRows = 1000;
constexpr int kDroppedRows = 250;

// How many of the oldest rows to drop before one more is appended; 0 while there is room.
inline int rowsToDrop(qsizetype size) {
    return size < kKeptRows ? 0 : kDroppedRows;
}

// Drops the first count rows and renumbers the index of the rest.
template <typename Row> void dropOldest(QList<Row>& rows, QHash<qint32, int>& rowOfId, int count) {
    rows.remove(0, count);
    rowOfId.clear();
    for (int row = 0; row < rows.size(); ++row)
        rowOfId.insert(rows.at(row).id, row);
}
} // namespace TrackedRows
