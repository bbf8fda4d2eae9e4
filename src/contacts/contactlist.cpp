#include "contactlist.h"

#include <algorithm>

namespace {

// The value a contact is sorted by, laid out next to the others so that comparisons do not
// chase every record.
struct SortKey {
    QStringView text;
    qint64 number = 0;
    int index = 0;
};

QStringView sortText(const ContactRecord& record, ContactColumn column) {
    const QString* text = contactText(record, column);
    return text ? QStringView(*text) : QStringView();
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
    rebuildRows();
}

void ContactList::sort(ContactColumn column, bool ascending) {
    // The shown contacts are ordered among the positions they occupy; a stable sort keeps
    // equal values in their previous order. Texts compare by character codes (letter case
    // matters), the last-online time as a number.
    std::vector<SortKey> keys;
    keys.reserve(m_rows.size());
    for (int index : m_rows) {
        const ContactRecord& record = m_records[std::size_t(index)];
        keys.push_back({sortText(record, column), record.LastOnline, index});
    }
    const bool numeric = column == ContactColumn::LastOnline;
    std::stable_sort(keys.begin(), keys.end(), [=](const SortKey& a, const SortKey& b) {
        const int c =
            numeric ? (a.number > b.number) - (a.number < b.number) : a.text.compare(b.text);
        return ascending ? c < 0 : c > 0;
    });
    std::vector<ContactRecord> moved;
    moved.reserve(keys.size());
    for (const SortKey& key : keys)
        moved.push_back(std::move(m_records[std::size_t(key.index)]));
    int marked = m_marked;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const int position = m_rows[k];
        m_records[std::size_t(position)] = std::move(moved[k]);
        if (keys[k].index == m_marked)
            marked = position;
    }
    m_marked = marked;
    rebuildHash(); // the rows stay where they were: only the records in them moved
}

void ContactList::reindex() {
    rebuildHash();
    rebuildRows();
}

void ContactList::rebuildHash() {
    m_byHandle.clear();
    m_byHandle.reserve(count());
    // A handle stored twice finds its first record.
    for (int i = count() - 1; i >= 0; --i)
        m_byHandle.insert(m_records[std::size_t(i)].Handle, i);
}

void ContactList::rebuildRows() {
    m_rows.clear();
    m_rowOfIndex.assign(m_records.size(), -1);
    for (int i = 0; i < count(); ++i) {
        if (m_records[std::size_t(i)].Shown) {
            m_rowOfIndex[std::size_t(i)] = rowCount();
            m_rows.push_back(i);
        }
    }
}
