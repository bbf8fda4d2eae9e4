#pragma once

#include <QObject>

#include <memory>

struct Services;
class AboutDialog;
class AnnounceBackForm;
class AudioForm;
class AutoAnswerForm;
class BlackJackForm;
class BroadCastStatusForm;
class CallForm;
class ConsoleForm;
class ContactForm;
class DartsForm;
class FriendsForm;
class MCIForm;
class MessageForm;
class MixerConfigForm;
class QWidget;
class RecordingForm;
class RemoteAutoAnswerForm;
class SendMailForm;
class Session;

// The other windows the main window opens, over the session's core objects. Each window is
// loaded once (hidden) and stays loaded for the run; opening one shows it modally, owned by
// nobody, while the event loop runs on.
class FeatureWindows : public QObject {
    Q_OBJECT
public:
    FeatureWindows(Services& services, Session& session, QObject* parent = nullptr);
    ~FeatureWindows() override;

    // Loads, hidden and in their fixed order, the windows that exist so far.
    void loadAll();

    ConsoleForm& console();
    AboutDialog& about();
    BlackJackForm& blackJack();
    BroadCastStatusForm& broadcastStatus();
    MessageForm& messages();
    FriendsForm& friends();
    AudioForm& audio();
    CallForm& calls();
    SendMailForm& sendMail();
    MCIForm& player();
    MixerConfigForm& mixerConfig();
    AnnounceBackForm& announceBack();
    AutoAnswerForm& autoAnswer();
    RecordingForm& recording();
    ContactForm& contacts();
    DartsForm& darts();
    // Loaded when the main window's remote control button first opens it.
    RemoteAutoAnswerForm& remoteAutoAnswer();

    // Shows a window modally: the main window stays blocked until it closes.
    static void open(QWidget* window);

private:
    Services& m_services;
    Session& m_session;
    std::unique_ptr<ConsoleForm> m_console;
    std::unique_ptr<AboutDialog> m_about;
    std::unique_ptr<BlackJackForm> m_blackJack;
    std::unique_ptr<BroadCastStatusForm> m_broadcastStatus;
    std::unique_ptr<MessageForm> m_messages;
    std::unique_ptr<FriendsForm> m_friends;
    std::unique_ptr<AudioForm> m_audio;
    std::unique_ptr<CallForm> m_calls;
    std::unique_ptr<SendMailForm> m_sendMail;
    std::unique_ptr<MCIForm> m_player;
    std::unique_ptr<MixerConfigForm> m_mixerConfig;
    std::unique_ptr<AnnounceBackForm> m_announceBack;
    std::unique_ptr<AutoAnswerForm> m_autoAnswer;
    std::unique_ptr<RecordingForm> m_recording;
    std::unique_ptr<ContactForm> m_contacts;
    std::unique_ptr<DartsForm> m_darts;
    std::unique_ptr<RemoteAutoAnswerForm> m_remoteAutoAnswer;
};
