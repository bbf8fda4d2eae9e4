#pragma once

#include "contactrecord.h"

#include <QAbstractTableModel>

class ContactList;

// ContactFlexGrid's rows: one per contact on display, six columns. The header carries the
// sort marker (" +" ascending, " -" descending) on the sort column. Colours are worked out
// when a cell is drawn: the marked row yellow, then columns 0 to 2 of an "ONLINE" row green.
class ContactGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ContactGridModel(const ContactList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setSortMarker(ContactColumn column, bool ascending);
    ContactColumn sortColumn() const { return m_sortColumn; }
    bool ascending() const { return m_ascending; }
    // The header text of a column, with its marker.
    QString headerText(int column) const;

    // The list is about to change as a whole, and has changed (FillGrid of every row).
    void beginRefill() { beginResetModel(); }
    void endRefill() { endResetModel(); }
    // One row's cells, or its colours, need drawing again.
    void rowChanged(int row);

    static QString cellText(const ContactRecord& record, ContactColumn column);
    // LastOnline in local time as yyyy/mm/dd hh:mm.ss; empty for 0.
    static QString lastOnlineText(qint64 seconds);

private:
    const ContactList& m_list;
    ContactColumn m_sortColumn = ContactColumn::Name;
    bool m_ascending = true;
};
