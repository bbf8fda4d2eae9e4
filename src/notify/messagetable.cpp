#include "messagetable.h"
#include "trackedrows.h"

#include <QColor>

namespace {
const char* const kHeaders[MessageTable::ColumnCount] = {"id", "From", "Message"};
} // namespace

MessageTable::MessageTable(QObject* parent) : QAbstractTableModel(parent) {}

int MessageTable::append(const Row& row) {
    dropOldestRows();
    const int added = size();
    beginInsertRows({}, added, added);
    m_rows.append(row);
    m_rowOfId.insert(row.id, added);
    endInsertRows();
    return added;
}

void MessageTable::noteReceived(qint32 id) {
    const int row = rowOf(id);
    if (row < 0) {
        append({id, {}, {}, true, false});
    } else if (!m_rows[row].received) {
        m_rows[row].received = true;
        rowChanged(row);
    }
}

int MessageTable::AddMessageID(qint32 id, const QString& from, const QString& body) {
    const int row = rowOf(id);
    if (row < 0) {
        append({id, from, body, false, false});
        return -1;
    }
    if (from.isEmpty() && body.isEmpty())
        return -1;
    Row& message = m_rows[row];
    if (!from.isEmpty())
        message.from = from;
    if (!body.isEmpty())
        message.body = body;
    rowChanged(row);
    return row;
}

void MessageTable::markHandled(int row) {
    if (row < 0 || row >= size() || m_rows[row].handled)
        return;
    m_rows[row].handled = true;
    rowChanged(row);
}

void MessageTable::dropOldestRows() {
    const int count = TrackedRows::rowsToDrop(m_rows.size());
    if (count == 0)
        return;
    beginRemoveRows({}, 0, count - 1);
    TrackedRows::dropOldest(m_rows, m_rowOfId, count);
    endRemoveRows();
}

void MessageTable::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int MessageTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : size();
}

int MessageTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MessageTable::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Row& message = m_rows.at(index.row());
    if (role == Qt::BackgroundRole)
        return message.handled ? QVariant(QColor(0, 0, 255)) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case IdColumn:
        return QString::number(message.id);
    case FromColumn:
        return message.from;
    case MessageColumn:
        return message.body.left(kShownChars);
    default:
        return {};
    }
}

QVariant MessageTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(kHeaders[section]);
}
