#include "announceback.h"

#include "base/genlibtext.h"
#include "notify/friendslist.h"
#include "notify/notifyswitches.h"

AnnounceBack::AnnounceBack(SettingsStore& settings, const NotifySwitches& switches,
                           const FriendsList& friends,
                           std::function<void(const QString&)> sendCommand, QObject* parent)
    : QObject(parent), m_settings(settings), m_switches(switches), m_friends(friends),
      m_send(std::move(sendCommand)) {}

void AnnounceBack::setCallbackHandle(const QString& text) {
    if (m_callbackHandle == text)
        return;
    m_callbackHandle = text;
    emit settingsChanged();
}

void AnnounceBack::setOnlyToFriends(bool on) {
    if (m_onlyToFriends == on)
        return;
    m_onlyToFriends = on;
    emit settingsChanged();
}

void AnnounceBack::Load() {
    m_callbackHandle = readSetting(m_settings, AnnounceBackKeys::CallbackHandle);
    // Only the exact text "On" ticks the box.
    m_onlyToFriends = readOnOff(m_settings, AnnounceBackKeys::CallbackOnlyFriends);
    emit settingsChanged();
}

void AnnounceBack::Save() {
    for (const SettingKey& key : AnnounceBackKeys::all)
        deleteIfPresent(m_settings, key);
    writeSetting(m_settings, AnnounceBackKeys::CallbackHandle,
                 GEnLib::TrimmedBlanks(m_callbackHandle).toString());
    writeOnOff(m_settings, AnnounceBackKeys::CallbackOnlyFriends, m_onlyToFriends);
}

bool AnnounceBack::Announce(const QString& sender, Kind kind) {
    // A handle of blanks only would announce nothing useful.
    const QStringView handle = GEnLib::TrimmedBlanks(m_callbackHandle);
    if (!m_switches.callbackAnounceSwitch() || handle.isEmpty())
        return false;
    if (m_onlyToFriends && !m_friends.IsFriend(sender))
        return false;
    if (m_send)
        m_send(QStringLiteral("MESSAGE ") + sender + QStringLiteral(" =Quenlark= ") +
               (kind == Kind::Message ? QStringLiteral("Please messageback to ")
                                      : QStringLiteral("Please callback to ")) +
               handle.toString());
    return true;
}
