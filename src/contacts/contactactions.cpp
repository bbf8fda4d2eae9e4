// The contact list window's buttons: Add, Del, Call and Close.
#include "base/debugconsole.h"
#include "base/languagepack.h"
#include "base/services.h"
#include "contactformcore.h"
#include "contactstore.h"
#include "platform/prompts.h"

void ContactFormCore::Command2_Click() {
    const QString handle = m_contactText; // as typed, not trimmed
    setContactText(QString());            // emptied also when the add is refused
    if (handle.isEmpty() || m_groupText.isEmpty() || m_list.find(handle) >= 0)
        return;
    if (!isSendableHandle(handle)) {
        // 150: "A contact name cannot hold blanks, commas or control characters."
        m_services.prompts.message(m_services.language.GetLanguageString(150));
        return;
    }
    ContactRecord record;
    record.Handle = handle;
    record.Group = m_groupText;
    m_model.beginRefill();
    m_list.append(std::move(record)); // asked about when its turn comes
    FilterAndSort();
    m_model.endRefill();
    m_changed = true;
    RebuildGroupLists();
    emit selectionChanged(selectedRow());
    UpdateButtons();
}

void ContactFormCore::Command3_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    m_model.beginRefill();
    // The record of the selected row itself: another contact is never taken for it.
    m_list.removeAt(m_list.indexOfRow(row));
    FilterAndSort();
    m_changed = true;
    RebuildGroupLists();
    const bool emptied = m_list.rowCount() == 0;
    if (emptied) {
        m_displayItem = 0; // nothing left on display: show "All"
        FilterAndSort();
    } else {
        m_list.mark(m_list.indexOfRow(std::min(row, m_list.rowCount() - 1)));
    }
    m_model.endRefill();
    if (emptied)
        emit displayItemChanged(0);
    emit selectionChanged(selectedRow());
    UpdateButtons();
}

void ContactFormCore::Command4_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const ContactRecord& record = m_list.at(m_list.indexOfRow(row));
    if (!record.Sendable) {
        m_services.console.ConsolePrint(
            QStringLiteral("Contact: no call, the handle holds blanks, commas or control "
                           "characters"));
        return;
    }
    m_link.send(QStringLiteral("CALL ") + record.Handle);
}

void ContactFormCore::Command1_Click() {
    SaveContacts();
}

void ContactFormCore::SaveContacts() {
    ContactStore::SaveContacts(m_services.settings, m_list, displayText());
    m_changed = false;
}

void ContactFormCore::saveIfChanged() {
    if (m_loaded && m_changed)
        SaveContacts();
}
