#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>

// The call table: the calls the host reported during the run, by id, with the other party's
// handle, the first and the latest status word and the handled mark. A call is incoming when
// the first status the host reported for it was "RINGING". The call tracker (CallTracker)
// fills it from the host lines; the answering machine and the call recorder ask it whether a
// call is incoming and who the other party is. A row stays while its call is among the
// latest 1,000 (TrackedRows), so a repeated status line never reports a call twice; lookups by
// id cost the same however many rows there are.
//
// It is a Qt table model: CallForm's grid "CallFlexGrid" is a view over it (columns "id",
// "From", "1st Status", "last Status"; handled rows show a blue background).
class CallTable : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        qint32 id = 0;
        QString from;
        QString firstStatus;
        QString lastStatus;
        bool handled = false;
    };
    enum Column { IdColumn, FromColumn, FirstStatusColumn, LastStatusColumn, ColumnCount };

    explicit CallTable(QObject* parent = nullptr);

    // Records what is known of one call. An unknown id appends a row with from and with the
    // status as both first and latest status. A known id takes a non-empty from, and a
    // non-empty status as its latest status (and as its first while that is still empty);
    // empty arguments never overwrite. Returns the row when from was stored into a row that
    // already existed (the moment the call tracker decides about the call), else -1.
    int AddCallID(qint32 id, const QString& from, const QString& status);

    // True when the call is in the table and its first status is "RINGING"; false for an id
    // never seen.
    bool IsRecievedCall(qint32 id) const;
    // The other party's handle; empty while it is unknown and for an id never seen.
    QString PartnerHandle(qint32 id) const;

    // The row of the id, or -1.
    int rowOf(qint32 id) const { return m_rowOfId.value(id, -1); }
    int size() const { return int(m_rows.size()); }
    const Row& rowAt(int row) const { return m_rows.at(row); }
    // Gives the row its handled mark (shown blue).
    void markHandled(int row);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Makes room for one more row (see TrackedRows); row numbers held across it are stale.
    void dropOldestRows();
    void rowChanged(int row);

    QList<Row> m_rows;
    QHash<qint32, int> m_rowOfId;
};
