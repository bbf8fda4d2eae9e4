#pragma once

#include <QObject>
#include <QString>

#include <functional>

class FriendsList;
class NotifySwitches;
class SettingsStore;

// Announce back: a chat reply that asks whoever wrote or called to write or call back to
// another handle. Settings in section "AnnounceBack": "CallbackHandle" (the handle to name)
// and "CallbackOnlyFriends" ("On": answer only friends). The window AnnounceBackForm edits
// them; both trackers call Announce, which reads everything at that moment.
class AnnounceBack : public QObject {
    Q_OBJECT
public:
    enum class Kind { Message, Call };

    AnnounceBack(SettingsStore& settings, const NotifySwitches& switches,
                 const FriendsList& friends, std::function<void(const QString&)> sendCommand,
                 QObject* parent = nullptr);

    // CallbackHandleText and CallbackOnlyToFriendsCheck.
    const QString& callbackHandle() const { return m_callbackHandle; }
    void setCallbackHandle(const QString& text);
    bool onlyToFriends() const { return m_onlyToFriends; }
    void setOnlyToFriends(bool on);

    void Load();
    // Deletes the keys that hold a value, then stores both anew (the handle trimmed).
    void Save();

    // The rule: with CallbackAnounceCheck ticked, a callback handle that is not empty once
    // trimmed of blanks, and (when limited to friends) a sender who is a friend, sends
    // "MESSAGE <sender> =Quenlark= Please messageback to <handle>" for a chat or "... Please
    // callback to <handle>" for a call. True when it was sent.
    bool Announce(const QString& sender, Kind kind);

signals:
    void settingsChanged();

private:
    SettingsStore& m_settings;
    const NotifySwitches& m_switches;
    const FriendsList& m_friends;
    std::function<void(const QString&)> m_send;
    QString m_callbackHandle;
    bool m_onlyToFriends = false;
};
