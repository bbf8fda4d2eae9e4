#include "autoanswersettings.h"

#include <algorithm>

int AutoAnswerSettings::ringingWait(bool online) const {
    bool ok = false;
    const int seconds = (online ? ringingWaitSec1 : ringingWaitSec2).trimmed().toInt(&ok);
    return ok && seconds >= 0 && seconds <= kMaxWaitSec ? seconds : 0;
}

int AutoAnswerSettings::recordingMax() const {
    bool ok = false;
    const int seconds = recordingMaxSec.trimmed().toInt(&ok);
    if (!ok)
        return QString::fromLatin1(AutoAnswerKeys::RecordingMaxSec.defaultValue).toInt();
    return std::clamp(seconds, 1, kMaxRecordingSec);
}

void AutoAnswerSettings::load(const SettingsStore& store) {
    audioFile = readSetting(store, AutoAnswerKeys::AudioFile);
    ringingWaitSec1 = readSetting(store, AutoAnswerKeys::RingingWaitSec1);
    ringingWaitSec2 = readSetting(store, AutoAnswerKeys::RingingWaitSec2);
    recordingMaxSec = readSetting(store, AutoAnswerKeys::RecordingMaxSec);
    mailFlag = readFlag(store, AutoAnswerKeys::MailFlagCheck);
    mailAddress = readSetting(store, AutoAnswerKeys::MailAddress);
    remoteControlKey = readSetting(store, AutoAnswerKeys::RemoteControlKey);
}

void AutoAnswerSettings::save(SettingsStore& store) const {
    writeSetting(store, AutoAnswerKeys::AudioFile, audioFile);
    writeSetting(store, AutoAnswerKeys::RingingWaitSec1, ringingWaitSec1);
    writeSetting(store, AutoAnswerKeys::RingingWaitSec2, ringingWaitSec2);
    writeSetting(store, AutoAnswerKeys::RecordingMaxSec, recordingMaxSec);
    writeFlag(store, AutoAnswerKeys::MailFlagCheck, mailFlag);
    writeSetting(store, AutoAnswerKeys::MailAddress, mailAddress);
    writeSetting(store, AutoAnswerKeys::RemoteControlKey, remoteControlKey);
}
