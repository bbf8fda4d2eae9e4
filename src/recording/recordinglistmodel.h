#pragma once

#include <QAbstractTableModel>

class RecordingHistory;

// RecordingFlexGrid's rows: "Ck" (the selection colour), "Time", "Caller", "Length", newest
// first. The selected row is green, every other row white; a click repaints two rows only.
class RecordingListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordingListModel(RecordingHistory& history, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Column widths in twips, as the grid was designed.
    static int columnTwips(int column);

private:
    void repaintRow(int row);

    RecordingHistory& m_history;
};
