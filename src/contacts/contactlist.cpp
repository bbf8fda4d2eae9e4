#include "contactlist.h"

#include <algorithm>

namespace {

int compareColumn(const ContactRecord& a, const ContactRecord& b, ContactColumn column) {
    // Texts compare by character codes, so letter case matters.
    switch (column) {
    case ContactColumn::Name:
        return QString::compare(a.Handle, b.Handle);
    case ContactColumn::FullName:
        return QString::compare(a.FullName, b.FullName);
    case ContactColumn::OnlineStatus:
        return QString::compare(a.OnlineStatus, b.OnlineStatus);
    case ContactColumn::Country:
        return QString::compare(a.Country, b.Country);
    case ContactColumn::Group:
        return QString::compare(a.Group, b.Group);
    case ContactColumn::LastOnline:
        return a.LastOnline < b.LastOnline ? -1 : (a.LastOnline > b.LastOnline ? 1 : 0);
    }
    return 0;
}

} // namespace

bool isSendableHandle(const QString& handle) {
    if (handle.isEmpty() || !handle.isValidUtf16())
        return false;
    return std::none_of(handle.cbegin(), handle.cend(), [](QChar c) {
        return c.isSpace() || c == u',' || c.category() == QChar::Other_Control ||
               c.category() == QChar::Other_Format;
    });
}

void ContactList::clear() {
    m_records.clear();
    m_marked = -1;
    reindex();
}

void ContactList::append(ContactRecord record) {
    record.Shown = false;
    record.Sendable = isSendableHandle(record.Handle);
    const int index = count();
    m_byHandle.insert(record.Handle, m_byHandle.value(record.Handle, index));
    m_records.push_back(std::move(record));
    m_rowOfIndex.push_back(-1);
}

void ContactList::removeAt(int index) {
    m_records.erase(m_records.begin() + index);
    if (m_marked == index)
        m_marked = -1;
    else if (m_marked > index)
        --m_marked;
    reindex();
}

void ContactList::filter(bool all, const QString& group) {
    for (ContactRecord& record : m_records)
        record.Shown = all || record.Group == group;
    if (m_marked >= 0 && !m_records[std::size_t(m_marked)].Shown)
        m_marked = -1;
    reindex();
}

void ContactList::sort(ContactColumn column, bool ascending) {
    // The shown contacts are ordered among the positions they occupy; a stable sort keeps
    // equal values in their previous order.
    const std::vector<int> positions = m_rows;
    std::vector<int> order = positions;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = compareColumn(m_records[std::size_t(a)], m_records[std::size_t(b)], column);
        return ascending ? c < 0 : c > 0;
    });
    std::vector<ContactRecord> moved;
    moved.reserve(order.size());
    for (int from : order)
        moved.push_back(std::move(m_records[std::size_t(from)]));
    int marked = m_marked;
    for (std::size_t k = 0; k < order.size(); ++k) {
        m_records[std::size_t(positions[k])] = std::move(moved[k]);
        if (order[k] == m_marked)
            marked = positions[k];
    }
    m_marked = marked;
    reindex();
}

void ContactList::reindex() {
    m_byHandle.clear();
    m_byHandle.reserve(count());
    m_rows.clear();
    m_rowOfIndex.assign(m_records.size(), -1);
    for (int i = 0; i < count(); ++i) {
        const ContactRecord& record = m_records[std::size_t(i)];
        if (!m_byHandle.contains(record.Handle))
            m_byHandle.insert(record.Handle, i);
        if (record.Shown) {
            m_rowOfIndex[std::size_t(i)] = rowCount();
            m_rows.push_back(i);
        }
    }
}
