#pragma once

#include "contactrecord.h"

#include <QHash>

#include <vector>

// The contacts in list order (the order they are saved in and asked about), with a handle
// index for the host's replies and the rows of the contacts on display. One contact can be
// marked (the grid's selection); the mark stays on its contact when records move.
class ContactList {
public:
    int count() const { return static_cast<int>(m_records.size()); }
    const ContactRecord& at(int index) const { return m_records[std::size_t(index)]; }
    ContactRecord& at(int index) { return m_records[std::size_t(index)]; }
    const std::vector<ContactRecord>& records() const { return m_records; }
    // The first contact with exactly this handle, or -1.
    int find(const QString& handle) const { return m_byHandle.value(handle, -1); }

    void clear();
    // Appends the contact hidden; the next filter decides whether it is shown.
    void append(ContactRecord record);
    void removeAt(int index);

    // Rows are the contacts on display, numbered from 0 in list order.
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int indexOfRow(int row) const { return m_rows[std::size_t(row)]; }
    int rowOf(int index) const { return index < 0 ? -1 : m_rowOfIndex[std::size_t(index)]; }

    // Shows every contact (all) or the contacts of exactly that group.
    void filter(bool all, const QString& group);
    // Orders the contacts on display by one column; contacts not on display keep their
    // positions, and equal values keep their order.
    void sort(ContactColumn column, bool ascending);

    int marked() const { return m_marked; }
    void mark(int index) { m_marked = index; }
    int markedRow() const { return rowOf(m_marked); }

private:
    void reindex();
    void rebuildHash();
    void rebuildRows();

    std::vector<ContactRecord> m_records;
    QHash<QString, int> m_byHandle;
    std::vector<int> m_rows;       // row -> index
    std::vector<int> m_rowOfIndex; // index -> row, -1 when not shown
    int m_marked = -1;
};
