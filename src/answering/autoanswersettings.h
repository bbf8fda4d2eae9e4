#pragma once

#include "platform/settingsstore.h"

#include <QString>

// Section "AutoAnswer", owned by AutoAnswerSettings: the answering machine's settings, every
// value text; "MailFlagCheck" is a check-box state "0"/"1".
namespace AutoAnswerKeys {
inline constexpr SettingKey AudioFile{"AutoAnswer", "AudioFile", ""};
inline constexpr SettingKey RingingWaitSec1{"AutoAnswer", "RingingWaitSec1", "15"};
inline constexpr SettingKey RingingWaitSec2{"AutoAnswer", "RingingWaitSec2", "5"};
inline constexpr SettingKey RecordingMaxSec{"AutoAnswer", "RecordingMaxSec", "20"};
inline constexpr SettingKey MailFlagCheck{"AutoAnswer", "MailFlagCheck", ""};
inline constexpr SettingKey MailAddress{"AutoAnswer", "MailAddress", ""};
inline constexpr SettingKey RemoteControlKey{"AutoAnswer", "RemoteControlKey", ""};
inline constexpr SettingKey all[] = {AudioFile,       RingingWaitSec1, RingingWaitSec2,
                                     RecordingMaxSec, MailFlagCheck,   MailAddress,
                                     RemoteControlKey};
// The controller list (ControlerList): "Controler001", "Controler002", ...
inline constexpr SettingList Controler{"AutoAnswer", "Controler", "", 3, 1};
inline constexpr SettingList lists[] = {Controler};
} // namespace AutoAnswerKeys

// The values of the window's controls. The times stay the texts the user typed; the machine
// reads them through the checked accessors.
struct AutoAnswerSettings {
    static constexpr int kMaxWaitSec = 3600;
    static constexpr int kMaxRecordingSec = 3600;

    QString audioFile;
    QString ringingWaitSec1 = QStringLiteral("15");
    QString ringingWaitSec2 = QStringLiteral("5");
    QString recordingMaxSec = QStringLiteral("20");
    bool mailFlag = false;
    QString mailAddress;
    QString remoteControlKey;

    // Seconds to ring before answering: 0 (do not answer) for text that is not a whole
    // number in 0..3600.
    int ringingWait(bool online) const;
    // Longest recording in seconds: the default 20 for text that is not a whole number,
    // else kept within 1..3600.
    int recordingMax() const;

    // Missing or empty time keys read as their defaults; "MailFlagCheck" as a number.
    void load(const SettingsStore& store);
    // Writes all seven keys.
    void save(SettingsStore& store) const;
};
