#pragma once

#include "host/hostlinetarget.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class MCILib;
class MixerConfig;
class MixerLib;
class RecordingHistory;
class RecordingStatus;
struct Services;

// The call recorder of RecordingForm: records the call in progress through the sound device
// "rr" while the mixer records the mix and the microphone is heard in it, so both sides of the
// call reach the file "<recordings folder>/yyyymmddhhmmss_<partner>.wav".
//
// The main window's RecordButton and AutoAnswerCheck show this state: the button is enabled
// while a call is in progress and the answering machine is off, reads "Record Stop" (text 11)
// while recording, and the check box is disabled meanwhile. The state lives here and never in a
// caption, which a language switch rewrites.
class CallRecorder : public QObject, public HostLineTarget {
    Q_OBJECT
public:
    CallRecorder(Services& services, MCILib& mci, MixerConfig& mixerConfig, MixerLib& mixer,
                 RecordingStatus& status, RecordingHistory& history, QObject* parent = nullptr);

    // AutoAnswerCheck is ticked: calls are then left to the answering machine.
    void setAnsweringMachineOn(std::function<bool()> query) { m_answeringOn = std::move(query); }
    // The partner of a call by its id (the call table); the handles of PARTNER_HANDLE lines
    // seen here serve when it knows none.
    void setPartnerLookup(std::function<QString(const QString&)> lookup) {
        m_partnerLookup = std::move(lookup);
    }

    // Sends a command line to the host; the recorder asks it for a partner nobody knows yet.
    void setHostSender(std::function<void(const QString&)> send) { m_send = std::move(send); }

    // Call status lines: INPROGRESS enables the button, the end of the recorded call stops it.
    void SetSkypeResponse(QString& line) override;
    // RecordButton: starts, or stops what records.
    void RecordButton_Click();
    void StartRecording();
    void StopRecording();
    // The recording device reported the end of "record rr notify": stopped, or broken.
    void MCINOTIFYHandler();
    // Program end: a recording is saved now, the mixer and the microphone are put back.
    void shutDown();

    bool recording() const { return m_recording; }
    bool recordButtonEnabled() const { return m_recording || m_buttonEnabled; }
    bool autoAnswerCheckEnabled() const { return !m_recording; }
    // A recording whose save failed; it is kept on the device until a save succeeds.
    bool hasUnsavedRecording() const { return m_unsaved; }
    const QString& recordedCall() const { return m_call; }
    const QString& lastSavedPath() const { return m_savedPath; }

signals:
    // The button, its caption or the check box changed.
    void changed();
    void recordingSaved(const QString& path);

private:
    int mci(const QString& command);
    void callStatus(const QString& id, const QString& status);
    QString partnerOf(const QString& id) const;
    void switchMixer();
    void restoreMixer();
    void failStart(const QString& error);
    void finish(bool atExit);
    bool saveCapture(const QString& folder);
    bool saveKept(bool atExit);
    void reportError(const QString& text);

    Services& m_services;
    MCILib& m_mci;
    MixerConfig& m_mixerConfig;
    MixerLib& m_mixer;
    RecordingStatus& m_status;
    RecordingHistory& m_history;
    std::function<bool()> m_answeringOn;
    std::function<QString(const QString&)> m_partnerLookup;
    std::function<void(const QString&)> m_send;

    QStringList m_callsInProgress;      // ids, latest last
    QHash<QString, QString> m_partners; // from PARTNER_HANDLE lines, by call id
    bool m_buttonEnabled = false;
    bool m_recording = false;
    bool m_stopping = false;
    bool m_unsaved = false;
    bool m_microphoneWasAudible = false;
    QString m_call;
    QString m_partner;
    QDateTime m_start;
    QString m_savedPath;
};
