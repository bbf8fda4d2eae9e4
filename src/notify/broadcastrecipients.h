#pragma once

#include "platform/settingsstore.h"

#include <QObject>
#include <QStringList>

// Section "BroadCastStatus", owned by BroadcastRecipients: one handle a key, "User001",
// "User002", ...; the first missing or empty key ends the list.
namespace BroadCastStatusKeys {
inline constexpr SettingList User{"BroadCastStatus", "User", "", 3, 1};
inline constexpr SettingList lists[] = {User};
} // namespace BroadCastStatusKeys

// The broadcast recipient list: the handles that receive the chat reports of incoming chats
// and calls, in order. Changes take effect for the trackers at once; they are stored only by
// Save (the window's "Close" button).
class BroadcastRecipients : public QObject {
    Q_OBJECT
public:
    explicit BroadcastRecipients(SettingsStore& settings, QObject* parent = nullptr);

    // A handle is one word: not empty, no blank, no comma and no control character. Anything
    // else would split the report's command into another recipient and another text.
    static bool isValidHandle(QStringView handle);

    // Reads the stored list; an entry that is not a valid handle is skipped.
    void Load();
    // Deletes the stored keys from "User001" up to the first missing one, then stores every
    // entry in order.
    void Save();

    const QStringList& users() const { return m_users; }
    // Appends the text trimmed of blanks; false (nothing added) when that is no valid handle.
    // Duplicates are allowed: each entry gets its own report.
    bool add(const QString& text);
    void removeAt(int index);

signals:
    void usersChanged();

private:
    SettingsStore& m_settings;
    QStringList m_users;
};
