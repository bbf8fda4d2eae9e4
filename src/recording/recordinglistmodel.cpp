#include "recordinglistmodel.h"

#include "recordinghistory.h"

#include <QColor>

namespace {
const QColor kSelected(64, 196, 64);
const QColor kOther(255, 255, 255);
constexpr int kColumns = 4;
} // namespace

RecordingListModel::RecordingListModel(RecordingHistory& history, QObject* parent)
    : QAbstractTableModel(parent), m_history(history) {
    connect(&history, &RecordingHistory::listChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&history, &RecordingHistory::currentRowChanged, this, [this](int previous, int row) {
        repaintRow(previous);
        repaintRow(row);
    });
}

int RecordingListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_history.entries().size());
}

int RecordingListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant RecordingListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const RecordingEntry& entry = m_history.entries().at(index.row());
    if (role == Qt::BackgroundRole)
        return index.row() == m_history.currentRow() ? kSelected : kOther;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 1:
        return entry.time;
    case 2:
        return entry.caller;
    case 3:
        return QString::number(entry.seconds);
    default:
        return QString();
    }
}

QVariant RecordingListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const headers[kColumns] = {"Ck", "Time", "Caller", "Length"};
    return QString::fromLatin1(headers[section]);
}

int RecordingListModel::columnTwips(int column) {
    static const int twips[kColumns] = {200, 2000, 2000, 1000};
    return column >= 0 && column < kColumns ? twips[column] : 0;
}

void RecordingListModel::repaintRow(int row) {
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, kColumns - 1), {Qt::BackgroundRole});
}
