#pragma once

#include <QString>

// One watched contact: the handle and group the user entered, and what the host last said
// about it. A new or loaded contact starts cleared: empty texts, LastOnline and QueriedAt 0.
struct ContactRecord {
    QString Handle; // the host user name; the key of the contact, compared exactly
    QString Group;  // the user's group name
    QString OnlineStatus;
    qint64 LastOnline = 0; // seconds since 1970-01-01 UTC; 0 = unknown
    QString FullName;
    QString Country;      // first word only
    qint32 QueriedAt = 0; // QuerySequence when last asked; 0 = ask at the next chance
    bool Shown = false;   // belongs to the group on display
    bool Sendable = true; // the handle may go onto a host command line
};

// The grid's columns, in order.
enum class ContactColumn { Name, FullName, OnlineStatus, Country, Group, LastOnline };
inline constexpr int kContactColumns = 6;

// The text a column shows as stored; LastOnline is a number and has none (nullptr).
inline const QString* contactText(const ContactRecord& record, ContactColumn column) {
    switch (column) {
    case ContactColumn::Name:
        return &record.Handle;
    case ContactColumn::FullName:
        return &record.FullName;
    case ContactColumn::OnlineStatus:
        return &record.OnlineStatus;
    case ContactColumn::Country:
        return &record.Country;
    case ContactColumn::Group:
        return &record.Group;
    case ContactColumn::LastOnline:
        break;
    }
    return nullptr;
}

// A handle goes onto a host command line only without blanks, commas and control characters:
// the host splits its commands at blanks and its lists at commas.
bool isSendableHandle(const QString& handle);
