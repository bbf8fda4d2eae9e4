#pragma once

#include "answeringstate.h"
#include "autoanswersettings.h"
#include "host/hostlinetarget.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QTimer>

struct Services;
class AnsweringPorts;
class MCILib;

// The answering machine's logic (AutoAnswerForm without its widgets): lets an incoming call
// ring, answers it, plays the greeting (alias aap1) and the beep (aap2) into it with the
// recording source switched to the answering source, records the caller (aar1) for at most
// RecordingMaxSec, saves the message into the answering machine folder, mails it when asked,
// and plays messages on the local speakers (aapu).
//
// It never gets stuck: every end status of the call it handles brings it back to idle, and a
// state that waits on the host gives up after kGuardMs. It never loses a message: the capture
// is saved on every way out (hang-up, time limit, host loss, shut-down), a failed save is
// retried, and a capture left by a crash is recovered by start().
class AutoAnswerMachine : public QObject, public AnsweringLineTarget {
    Q_OBJECT
public:
    static constexpr int kGuardMs = 10000;
    static constexpr int kAnswerIcon = 3;
    // "Remote" and "RemoteRequest" wait this long for their call to be answered or to ring.
    static constexpr int kRemoteWaitMs = 60000;

    AutoAnswerMachine(Services& services, MCILib& mci, AnsweringPorts& ports,
                      QObject* parent = nullptr);
    ~AutoAnswerMachine() override;

    // The window's load step: idle state, the four aliases closed, a capture that a crash
    // left behind moved into the folder as a message.
    void start();
    // Ends what runs as a hang-up would (a recording is saved); for shut-down and host loss.
    void finishCall();

    AutoAnswerSettings& settings() { return m_settings; }
    const AutoAnswerSettings& settings() const { return m_settings; }
    QString messageFolder() const;
    QString beepPath() const;

    AnsweringState state() const { return m_state; }
    QString stateText() const { return answeringStateText(m_state); }

    // AnsweringLineTarget: one host line; the machine takes lines while it has a greeting
    // file, and until it is idle again once it has started on a call.
    void SetSkypeResponse(QString& line) override;
    bool hasGreetingFile() const override { return !m_settings.audioFile.isEmpty(); }
    bool isBusy() const override {
        return m_state != AnsweringState::Idle && m_state != AnsweringState::Playing;
    }

    // One completion notice of an alias this machine owns (aap1, aap2, aapu).
    void MCINOTIFYHandler(const QString& alias);
    static bool ownsAlias(const QString& alias);
    // The four aliases the machine claims: greeting, beep, playback, recording.
    static QStringList aliases();

    // The machine's own view of a call's direction, for a program without a call tracker:
    // true when the first status it saw for the call was RINGING (a caller's call is ROUTING
    // first).
    bool sawIncoming(qint32 callId) const {
        return m_firstStatus.value(QString::number(callId)) == QLatin1String("RINGING");
    }

    // Timer handlers (tests call them directly).
    void RingingTimer_Timer();
    void RecordingTimer_Timer();
    void GuardTimer_Timer();
    bool ringingTimerActive() const { return m_ringingTimer.isActive(); }
    int ringingInterval() const { return m_ringingTimer.interval(); }
    bool recordingTimerActive() const { return m_recordingTimer.isActive(); }
    int recordingInterval() const { return m_recordingTimer.interval(); }
    bool guardTimerActive() const { return m_guardTimer.isActive(); }
    const QString& ringingTag() const { return m_ringingTag; }

    // The mail sender is done with a mail: the Base64 copy the machine made for it goes.
    void mailFinished(const QString& attachment);

    // Local playback of a message from the list; only from the idle state.
    bool playMessage(const QString& path);
    void stopMessage();
    const QString& playPath() const { return m_playPath; }

    // Remote playback: from idle only, the state becomes "Remote" and the host is asked to
    // "CALL" the handle; the first status line of the new outgoing call names the call, and
    // its INPROGRESS plays the message at path into it ("RemoteAnswer"). Played to its end,
    // the message is marked heard and the call hung up. False, and nothing done, when the
    // machine is not idle.
    bool callBackAndPlay(const QString& handle, const QString& path);
    // From idle only: "RemoteRequest", another machine was asked to call back; its ringing
    // call is left to the user. False when the machine is not idle.
    bool awaitRemoteCallBack();
    // Ends "Remote" (hanging up a call placed but not answered) and "RemoteRequest"; for the
    // end of a remote control session. A message already playing goes on.
    void endRemoteWait();
    void RemoteTimer_Timer();
    bool remoteTimerActive() const { return m_remoteTimer.isActive(); }
    const QString& remoteCallId() const { return m_remoteCallId; }
    const QString& remotePlayPath() const { return m_remotePath; }

signals:
    void stateChanged(const QString& text);
    // The folder changed: a message was saved, recovered or marked heard.
    void messagesChanged();
    // A caller's message was saved to that file (before messagesChanged).
    void messageRecorded(const QString& caller, const QString& path);
    void playbackChanged(bool playing);

private:
    void setState(AnsweringState state);
    int mci(const QString& command);
    void closeAlias(const QString& alias);
    bool playAlias(const QString& alias, const QString& path);
    void console(const QString& text);

    void onStatus(const QString& callId, const QString& status);
    void onRinging(const QString& callId);
    void onInProgress(const QString& callId);
    void onCallEnded(const QString& callId);
    void cancelWait();

    void startGreeting();
    void startBeep();
    void BeginMessageRecording();
    void finishRecording();
    // The recording device ended by itself: the user is told, the caller hung up.
    void recordingStopped();
    bool saveCapture(const QString& target);
    bool saveKeptCapture();
    void mailMessage(const QString& path);
    void endPlayback();
    void noteRemoteCall(const QString& callId, bool fresh);
    void startRemotePlayback();
    void finishRemotePlayback();
    void endRemoteCall();

    void switchMixer();
    void restoreMixer();
    void showIcon(bool answering);
    void backToIdle();

    QString journalPath() const;
    void writeJournal(const QString& handle);
    void recoverCapture();

    Services& m_services;
    MCILib& m_mci;
    AnsweringPorts& m_ports;
    AutoAnswerSettings m_settings;
    AnsweringState m_state = AnsweringState::Idle;

    QTimer m_ringingTimer;
    QTimer m_recordingTimer;
    QTimer m_guardTimer;
    QTimer m_remoteTimer;
    QString m_ringingTag;                  // call id of the call being handled
    QString m_recordingTag;                // partner handle of the latest PARTNER_HANDLE line
    QHash<QString, QString> m_partners;    // call id -> handle, from PARTNER_HANDLE lines
    QHash<QString, QString> m_firstStatus; // call id -> the first status seen

    QDateTime m_recordingStart;
    QString m_recordingHandle;
    bool m_recordingOpen = false;
    bool m_mixerSwitched = false;
    bool m_iconShown = false;

    // Completion notices: how many each alias still owes, and the alias whose notice moves
    // the flow on. A notice of a device closed early, or of an earlier play, is left alone.
    QHash<QString, int> m_owedNotices;
    QString m_awaitedAlias;

    QString m_playPath;
    QString m_remoteHandle;   // the user called back
    QString m_remotePath;     // the message to play into that call
    QString m_remoteCallId;   // learnt from the call's first status line
    QStringList m_mailCopies; // Base64 files of mails still queued
};
