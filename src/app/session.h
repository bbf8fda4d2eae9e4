#pragma once

#include "app/mainformcore.h"
#include "host/skypeapihandler.h"
#include "notify/secretstore.h"
#include "notify/smtptransport.h"
#include "platform/mixer.h"
#include "platform/sound.h"

#include <QDBusConnection>
#include <QObject>

#include <memory>

struct Services;
class AutoAnswerMachine;
class CallRecorder;
class ContactFormCore;
class DartsGame;
class DesktopNotifications;
class DesktopNotifier;
class HostTransport;
class MailSender;
class MCILib;
class MciNotices;
class MCIPlayer;
class MixerConfig;
class MixerLib;
class Notifications;
class RecordingHistory;
class RecordingStatus;
class RemoteControl;
struct AnsweringLinks;

// What main() (or a test) chooses for the session: the host transport, the sound backend
// and the mixer, and optionally the mail transport and secret store (null: a real socket and
// the desktop's secret store).
struct SessionBackends {
    HostTransport& transport;
    std::unique_ptr<SoundBackend> sound;
    std::unique_ptr<Mixer> mixer;
    std::unique_ptr<SmtpTransport> smtp;
    std::unique_ptr<SecretStore> secrets;
    // The bus of the desktop's notification server: main() passes the session bus; the
    // default, a connection that is not connected, shows no notification.
    QDBusConnection desktopBus = QDBusConnection(QString());
};

// The program put together, without a widget: the host link and its router, the sound layer
// and the mixer, and every feature's core object, wired to one another once, here. The
// windows (FeatureWindows, MainForm) only show and edit these objects; a test builds a whole
// Session on test backends and drives flows that cross features.
//
// The router's steps, in their fixed order: friends list, AudioForm (a window), chat tracker,
// call tracker, main window, answering machine, call recorder, contact list.
class Session : public QObject {
    Q_OBJECT
public:
    Session(Services& services, SessionBackends backends, QObject* parent = nullptr);
    // Saves what would be lost (a recording in progress, a changed contact list) and
    // unplugs every target, while the sound layer and the mixer still exist.
    ~Session() override;

    Services& services() { return m_services; }
    MainFormCore& main() { return m_main; }
    SkypeAPIHandler& api() { return m_api; }
    HostLineRouter& router() { return m_api.router(); }
    MCILib& mci() { return *m_mci; }
    MciNotices& notices() { return *m_notices; }
    Mixer& mixerDevice() { return *m_mixerDevice; }
    MixerLib& mixer() { return *m_mixer; }
    MixerConfig& mixerConfig() { return *m_mixerConfig; }
    MailSender& mail() { return *m_mail; }
    MCIPlayer& player() { return *m_player; }
    Notifications& notifications() { return *m_notifications; }
    AutoAnswerMachine& answering() { return *m_answering; }
    RecordingStatus& recordingStatus() { return *m_recordingStatus; }
    RecordingHistory& recordingHistory() { return *m_recordingHistory; }
    CallRecorder& recorder() { return *m_recorder; }
    ContactFormCore& contacts() { return *m_contacts; }
    DartsGame& darts() { return *m_darts; }
    RemoteControl& remote() { return *m_remote; }
    DesktopNotifications& desktop() { return *m_desktop; }

    // Sends one line to the host (SkypeAPIHandler::SendCommandToSkype).
    void send(const QString& line);
    // Whether the recording source MixerConfig chose is a sink's monitor, where the caller's
    // voice is heard; true (nothing to warn about) when no mixer device is found.
    bool answeringSourceIsMonitor() const;

signals:
    // The answering machine's tray picture (AutoAnsweringStatusLabel follows its stateChanged).
    void answeringIconChanged(int kind);

private:
    class Links;
    // The first attach: what the windows' load steps would do, so every feature works
    // whether or not its window was ever loaded. Later attaches change nothing here.
    void firstAttach();
    void wireSound();
    void wireNotifications();
    void wireAnswering();
    void wireRecording();
    void wireContactsAndDarts();
    void wireRemoteControl(); // sessionremote.cpp
    void unplugRemoteControl();
    void wireDesktop(const QDBusConnection& bus); // sessiondesktop.cpp

    Services& m_services;
    // The main window's core and the link refer to each other; neither uses the other before
    // both are built.
    MainFormCore m_main;
    SkypeAPIHandler m_api;
    std::unique_ptr<MCILib> m_mci;
    std::unique_ptr<MciNotices> m_notices;
    std::unique_ptr<Mixer> m_mixerDevice;
    std::unique_ptr<MixerLib> m_mixer;
    std::unique_ptr<MixerConfig> m_mixerConfig;
    std::unique_ptr<MailSender> m_mail;
    std::unique_ptr<MCIPlayer> m_player;
    std::unique_ptr<Links> m_links;
    std::unique_ptr<Notifications> m_notifications;
    std::unique_ptr<AnsweringLinks> m_answeringLinks;
    std::unique_ptr<AutoAnswerMachine> m_answering;
    std::unique_ptr<RecordingStatus> m_recordingStatus;
    std::unique_ptr<RecordingHistory> m_recordingHistory;
    std::unique_ptr<CallRecorder> m_recorder;
    std::unique_ptr<ContactFormCore> m_contacts;
    std::unique_ptr<DartsGame> m_darts;
    std::unique_ptr<RemoteControl> m_remote;
    // Last: they go first, before the cores whose events they show.
    std::unique_ptr<DesktopNotifier> m_desktopNotifier;
    std::unique_ptr<DesktopNotifications> m_desktop;
    bool m_attachedOnce = false;
};
