#pragma once

#include "platform/settingsstore.h"

#include <QObject>
#include <QString>

#include <functional>

class FriendsList;
class NotifySwitches;

// Section "AnnounceBack", owned by AnnounceBack: the handle to name in announcements and
// whether only friends are answered ("On"/"Off").
namespace AnnounceBackKeys {
inline constexpr SettingKey CallbackHandle{"AnnounceBack", "CallbackHandle", ""};
inline constexpr SettingKey CallbackOnlyFriends{"AnnounceBack", "CallbackOnlyFriends", "Off"};
inline constexpr SettingKey all[] = {CallbackHandle, CallbackOnlyFriends};
} // namespace AnnounceBackKeys

// Announce back: a chat reply that asks whoever wrote or called to write or call back to
// another handle. The window AnnounceBackForm edits the settings; both trackers call
// Announce, which reads everything at that moment.
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
