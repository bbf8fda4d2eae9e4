#pragma once

#include "contactgridmodel.h"
#include "contactlist.h"
#include "contactpoller.h"
#include "host/hostlinetarget.h"

#include <QObject>
#include <QStringList>

struct Services;

// The contact list window's logic without widgets: the contacts and their storage, the host's
// replies, the display-group filter, sorting, the selection, the entry fields and the Add,
// Del, Call and Close actions. ContactForm shows it; the grid is a view of model().
class ContactFormCore : public QObject, public HostLineTarget {
    Q_OBJECT
public:
    ContactFormCore(Services& services, ContactLink link, QObject* parent = nullptr);

    // The load step: the stored list, the display group, the grid, both timers.
    void Form_Load();
    bool isLoaded() const { return m_loaded; }

    // "USER <handle> <property> <value>" replies; every other line is ignored.
    void SetSkypeResponse(QString& line) override;

    // The controls' inputs.
    void setContactText(const QString& text);
    void setGroupText(const QString& text);
    void chooseDisplayGroup(int item); // 0 is "All"
    void selectRow(int row);           // a data row, or -1 for none
    void headerClicked(int column);
    void Command1_Click(); // Close: saves the list
    void Command2_Click(); // Add
    void Command3_Click(); // Del
    void Command4_Click(); // Call
    void CallMenuItem_Click() { Command4_Click(); }

    void SaveContacts();
    // At shut-down: saves the list if it changed since it was loaded or saved.
    void saveIfChanged();

    const QString& contactText() const { return m_contactText; }
    const QString& groupText() const { return m_groupText; }
    const QStringList& groups() const { return m_groups; } // GroupCombo's items
    QStringList displayItems() const;                      // "All", then the groups
    int displayItem() const { return m_displayItem; }
    QString displayText() const;
    int selectedRow() const { return m_list.markedRow(); }
    bool addEnabled() const { return !m_contactText.isEmpty() && !m_groupText.isEmpty(); }
    bool rowActionsEnabled() const { return selectedRow() >= 0; }
    bool hasUnsavedChanges() const { return m_changed; }

    ContactList& list() { return m_list; }
    const ContactList& list() const { return m_list; }
    ContactGridModel& model() { return m_model; }
    ContactPoller& poller() { return m_poller; }

signals:
    void contactTextChanged(const QString& text);
    void groupTextChanged(const QString& text);
    void groupListsChanged();
    void displayItemChanged(int item);
    void selectionChanged(int row);
    void buttonsChanged();

private:
    void FilterAndSort();
    void RebuildGroupLists();
    void refill(); // FilterAndSort and FillGrid of every row
    void select(int index);
    void UpdateButtons() { emit buttonsChanged(); }

    Services& m_services;
    ContactLink m_link;
    ContactList m_list;
    ContactGridModel m_model{m_list};
    ContactPoller m_poller;
    QString m_contactText;
    QString m_groupText;
    QStringList m_groups;
    int m_displayItem = 0;
    bool m_loaded = false;
    bool m_changed = false;
};
