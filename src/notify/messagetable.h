#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>

// The chat table: the chat messages the host reported or described during the run, by id,
// with its sender, its text, whether the host reported it as received to this user, and the
// handled mark. A row stays while the message is among the latest 1,000 (TrackedRows), so a
// repeated "RECEIVED" never reports a message twice; lookups by id cost the same however many
// rows there are. MessageForm's grid "MessageFlexGrid" is a view over it (columns "id",
// "From", "Message"; handled rows blue).
class MessageTable : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        qint32 id = 0;
        QString from;
        QString body;
        bool received = false; // the host reported "STATUS RECEIVED" for it
        bool handled = false;
    };
    enum Column { IdColumn, FromColumn, MessageColumn, ColumnCount };
    // The grid shows at most this much of a text; the table keeps all of it.
    static constexpr int kShownChars = 1000;

    explicit MessageTable(QObject* parent = nullptr);

    // The host reported the message as received: its row exists from now on, marked received.
    void noteReceived(qint32 id);
    // Records a sender or a text. An unknown id appends a row; a known id takes the non-empty
    // values. Returns the row when a value was stored into a row that existed (the moment the
    // tracker decides), else -1.
    int AddMessageID(qint32 id, const QString& from, const QString& body);

    int rowOf(qint32 id) const { return m_rowOfId.value(id, -1); }
    int size() const { return int(m_rows.size()); }
    const Row& rowAt(int row) const { return m_rows.at(row); }
    void markHandled(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Makes room for one more row (see TrackedRows); row numbers held across it are stale.
    void dropOldestRows();
    int append(const Row& row);
    void rowChanged(int row);

    QList<Row> m_rows;
    QHash<qint32, int> m_rowOfId;
};
