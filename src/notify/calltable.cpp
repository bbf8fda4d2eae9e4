#include "calltable.h"
#include "trackedrows.h"

#include <QColor>

namespace {
const char* const kHeaders[CallTable::ColumnCount] = {"id", "From", "1st Status", "last Status"};
} // namespace

CallTable::CallTable(QObject* parent) : QAbstractTableModel(parent) {}

int CallTable::AddCallID(qint32 id, const QString& from, const QString& status) {
    const int row = rowOf(id);
    if (row < 0) {
        dropOldestRows();
        const int added = size();
        beginInsertRows({}, added, added);
        m_rows.append({id, from, status, status, false});
        m_rowOfId.insert(id, added);
        endInsertRows();
        return -1;
    }
    Row& call = m_rows[row];
    const bool fromStored = !from.isEmpty();
    if (fromStored)
        call.from = from;
    if (!status.isEmpty()) {
        call.lastStatus = status;
        if (call.firstStatus.isEmpty())
            call.firstStatus = status;
    }
    if (fromStored || !status.isEmpty())
        rowChanged(row);
    return fromStored ? row : -1;
}

bool CallTable::IsRecievedCall(qint32 id) const {
    const int row = rowOf(id);
    return row >= 0 && m_rows.at(row).firstStatus == QLatin1String("RINGING");
}

QString CallTable::PartnerHandle(qint32 id) const {
    const int row = rowOf(id);
    return row < 0 ? QString() : m_rows.at(row).from;
}

void CallTable::markHandled(int row) {
    if (row < 0 || row >= size() || m_rows[row].handled)
        return;
    m_rows[row].handled = true;
    rowChanged(row);
}

void CallTable::dropOldestRows() {
    const int count = TrackedRows::rowsToDrop(m_rows.size());
    if (count == 0)
        return;
    beginRemoveRows({}, 0, count - 1);
    TrackedRows::dropOldest(m_rows, m_rowOfId, count);
    endRemoveRows();
}

void CallTable::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int CallTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : size();
}

int CallTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CallTable::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Row& call = m_rows.at(index.row());
    if (role == Qt::BackgroundRole)
        return call.handled ? QVariant(QColor(0, 0, 255)) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case IdColumn:
        return QString::number(call.id);
    case FromColumn:
        return call.from;
    case FirstStatusColumn:
        return call.firstStatus;
    case LastStatusColumn:
        return call.lastStatus;
    default:
        return {};
    }
}

QVariant CallTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(kHeaders[section]);
}
