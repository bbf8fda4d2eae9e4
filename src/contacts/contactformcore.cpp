#include "contactformcore.h"

#include "base/debugconsole.h"
#include "base/languagepack.h"
#include "base/services.h"
#include "contactreply.h"
#include "contactstore.h"
#include "platform/prompts.h"

#include <QSet>

namespace {
const QString kAll = QStringLiteral("All");
} // namespace

ContactFormCore::ContactFormCore(Services& services, ContactLink link, QObject* parent)
    : QObject(parent), m_services(services), m_link(link), m_poller(m_list, std::move(link)) {}

void ContactFormCore::Form_Load() {
    if (m_loaded)
        return;
    m_model.setSortMarker(ContactColumn::Name, true); // InitGridHeader
    m_model.beginRefill();
    const QString saved =
        ContactStore::LoadContacts(m_services.settings, m_list, m_services.console);
    // Everything is sorted once with "All" on display, then the stored group is shown.
    m_displayItem = 0;
    FilterAndSort();
    RebuildGroupLists();
    m_displayItem = std::max(0, static_cast<int>(displayItems().indexOf(saved)));
    FilterAndSort();
    m_model.endRefill();
    m_poller.start();
    m_loaded = true;
    m_changed = false;
    emit displayItemChanged(m_displayItem);
    emit selectionChanged(selectedRow());
    UpdateButtons();
}

void ContactFormCore::SetSkypeResponse(QString& line) {
    const std::optional<UserReply> reply = parseUserReply(line);
    if (!reply)
        return;
    const int index = m_list.find(reply->handle);
    if (index < 0)
        return;
    applyUserReply(m_list.at(index), *reply);
    m_model.rowChanged(m_list.rowOf(index)); // nothing to draw for a contact not shown
}

void ContactFormCore::setContactText(const QString& text) {
    if (text == m_contactText)
        return;
    m_contactText = text;
    emit contactTextChanged(text);
    UpdateButtons();
}

void ContactFormCore::setGroupText(const QString& text) {
    if (text == m_groupText)
        return;
    m_groupText = text;
    emit groupTextChanged(text);
    UpdateButtons();
}

QStringList ContactFormCore::displayItems() const {
    return QStringList{kAll} + m_groups;
}

QString ContactFormCore::displayText() const {
    return m_displayItem == 0 ? kAll : m_groups.value(m_displayItem - 1);
}

void ContactFormCore::FilterAndSort() {
    // "All" is the first item, not a group name: a group called "All" shows on its own.
    m_list.filter(m_displayItem == 0, displayText());
    m_list.sort(m_model.sortColumn(), m_model.ascending());
}

void ContactFormCore::RebuildGroupLists() {
    const QString shown = displayText();
    m_groups.clear();
    QSet<QString> seen;
    for (const ContactRecord& record : m_list.records()) {
        if (!seen.contains(record.Group)) {
            seen.insert(record.Group);
            m_groups.append(record.Group);
        }
    }
    if (m_displayItem > 0)
        m_displayItem = static_cast<int>(m_groups.indexOf(shown)) + 1; // 0 when it is gone
    emit groupListsChanged();
    if (!m_groups.contains(m_groupText))
        setGroupText(QString());
}

void ContactFormCore::refill() {
    m_model.beginRefill();
    FilterAndSort();
    m_model.endRefill();
    emit selectionChanged(selectedRow());
    UpdateButtons();
}

void ContactFormCore::chooseDisplayGroup(int item) {
    if (item < 0 || item > m_groups.size())
        return;
    m_displayItem = item;
    m_changed = true;
    refill();
    emit displayItemChanged(item);
}

void ContactFormCore::select(int index) {
    const int before = selectedRow();
    m_list.mark(index);
    m_model.rowChanged(before);
    m_model.rowChanged(selectedRow());
    emit selectionChanged(selectedRow());
    UpdateButtons();
}

void ContactFormCore::selectRow(int row) {
    select(row >= 0 && row < m_list.rowCount() ? m_list.indexOfRow(row) : -1);
}

void ContactFormCore::headerClicked(int column) {
    if (column < 0 || column >= kContactColumns)
        return;
    const bool flip = column == int(m_model.sortColumn());
    m_model.setSortMarker(static_cast<ContactColumn>(column), !flip || !m_model.ascending());
    m_changed = true; // the records move, and the saved order follows them
    refill();
}
