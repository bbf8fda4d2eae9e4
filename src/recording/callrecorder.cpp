#include "callrecorder.h"

#include "audio/mcilib.h"
#include "audio/mixerconfig.h"
#include "audio/mixerlib.h"
#include "platform/clock.h"
#include "recordinghistory.h"
#include "recordingmci.h"
#include "recordingstatus.h"
#include "base/debugconsole.h"
#include "base/services.h"

namespace {
// Statuses after which a call carries no more sound.
bool callIsOver(const QString& status) {
    static const QStringList ends = {QStringLiteral("FINISHED"),  QStringLiteral("MISSED"),
                                     QStringLiteral("REFUSED"),   QStringLiteral("FAILED"),
                                     QStringLiteral("CANCELLED"), QStringLiteral("BUSY")};
    return ends.contains(status);
}
// Calls and handles the host reports without ever ending the calls are dropped past this many.
constexpr qsizetype kMaxCalls = 256;
} // namespace

CallRecorder::CallRecorder(Services& services, MCILib& mci, MixerConfig& mixerConfig,
                           MixerLib& mixer, RecordingStatus& status, RecordingHistory& history,
                           QObject* parent)
    : QObject(parent), m_services(services), m_mci(mci), m_mixerConfig(mixerConfig), m_mixer(mixer),
      m_status(status), m_history(history) {}

int CallRecorder::mci(const QString& command) {
    return sendRecordingMci(m_mci, m_services.console, command);
}

void CallRecorder::reportError(const QString& text) {
    m_services.console.ConsolePrint(QStringLiteral("Recording error: ") + text);
    m_status.setError(text);
}

void CallRecorder::SetSkypeResponse(QString& line) {
    // With the answering machine on, calls are not recorded by hand; a recording that runs
    // (the switch came back with a re-attach) still follows its call to the end.
    if (m_answeringOn && m_answeringOn() && !m_recording) {
        m_callsInProgress.clear();
        m_partners.clear();
        if (std::exchange(m_buttonEnabled, false))
            emit changed();
        return;
    }
    line = line.trimmed();
    const QStringList words = line.split(u' ');
    if (words.size() < 4 || words.at(0) != QLatin1String("CALL"))
        return;
    if (words.at(2) == QLatin1String("PARTNER_HANDLE")) {
        if (m_partners.size() >= kMaxCalls)
            m_partners.clear();
        m_partners.insert(words.at(1), words.at(3));
        // A handle that arrives after the start still names the file.
        if (m_recording && words.at(1) == m_call && m_partner.isEmpty())
            m_partner = words.at(3);
    } else if (words.at(2) == QLatin1String("STATUS")) {
        callStatus(words.at(1), words.at(3));
    }
}

void CallRecorder::callStatus(const QString& id, const QString& status) {
    if (status == QLatin1String("INPROGRESS")) {
        // A call that resumes from hold is the same call; it moves to the end of the list.
        m_callsInProgress.removeAll(id);
        m_callsInProgress.append(id);
        if (m_callsInProgress.size() > kMaxCalls)
            m_callsInProgress.removeFirst();
    } else if (callIsOver(status)) {
        m_callsInProgress.removeAll(id);
        m_partners.remove(id);
        // Only the end of the recorded call stops the recording, never another call's end.
        if (m_recording && (id == m_call || m_call.isEmpty()))
            StopRecording();
    } else {
        return;
    }
    m_buttonEnabled = !m_callsInProgress.isEmpty();
    emit changed();
}

QString CallRecorder::partnerOf(const QString& id) const {
    const QString known = m_partnerLookup ? m_partnerLookup(id) : QString();
    return known.isEmpty() ? m_partners.value(id) : known;
}

void CallRecorder::RecordButton_Click() {
    if (m_recording)
        StopRecording();
    else if (m_buttonEnabled)
        StartRecording();
}

void CallRecorder::StartRecording() {
    if (m_recording)
        return;
    // A recording whose save failed is never thrown away by a new one.
    if (m_unsaved && !saveKept(false))
        return;
    // One sound device at a time: the call goes before a recording played from the history.
    m_history.stopPlayback();
    mci(QStringLiteral("close rr"));
    m_recording = true;
    m_stopping = false;
    emit changed();
    switchMixer();
    if (mci(QStringLiteral("open new alias rr type waveaudio")) != 0) {
        failStart(QStringLiteral("The recording could not be opened."));
        return;
    }
    if (mci(QStringLiteral("record rr notify")) != 0) {
        mci(QStringLiteral("close rr"));
        failStart(QStringLiteral("The recording could not be started."));
        return;
    }
    m_call = m_callsInProgress.value(m_callsInProgress.size() - 1);
    m_partner = partnerOf(m_call);
    // The reply names the file when it comes (a PARTNER_HANDLE line during the recording).
    if (m_partner.isEmpty() && !m_call.isEmpty() && m_send)
        m_send(QStringLiteral("GET CALL %1 PARTNER_HANDLE").arg(m_call));
    m_start = m_services.clock.now();
    m_status.setState(RecordingStatus::State::Recording);
}

void CallRecorder::switchMixer() {
    m_mixerConfig.SaveCurrentSetting();
    m_mixerConfig.SetMixerConfig(true);
    // The microphone is heard in the mix, so the recording of the mix holds the user's voice.
    m_microphoneWasAudible = m_mixer.GetMicrophoneMute(0) == 0;
    m_mixer.SetMicrophoneMute(0, 0);
}

void CallRecorder::restoreMixer() {
    m_mixerConfig.SetMixerConfig(false);
    if (!m_microphoneWasAudible)
        m_mixer.SetMicrophoneMute(0, 1);
}

void CallRecorder::failStart(const QString& error) {
    restoreMixer();
    m_recording = false;
    m_status.setState(RecordingStatus::State::Idle);
    reportError(error);
    emit changed();
}

void CallRecorder::StopRecording() {
    if (!m_recording || m_stopping)
        return;
    // The device reports the end of "record rr notify"; the notice saves the file.
    if (mci(QStringLiteral("stop rr")) == 0)
        m_stopping = true;
    else
        finish(false); // the device is gone: the notice will never come
}

void CallRecorder::MCINOTIFYHandler() {
    // Stopped, or broken (the sound server went away, the disk refused): what was captured is
    // saved either way.
    if (m_recording)
        finish(false);
}
