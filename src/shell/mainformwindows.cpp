#include "mainformwindows.h"

#include "aboutdialog.h"
#include "answering/autoanswerform.h"
#include "answering/remoteautoanswerform.h"
#include "app/session.h"
#include "audio/audioform.h"
#include "audio/mciform.h"
#include "audio/mixerconfigform.h"
#include "blackjackform.h"
#include "consoleform.h"
#include "contacts/contactform.h"
#include "games/dartsform.h"
#include "notify/announcebackform.h"
#include "notify/broadcaststatusform.h"
#include "notify/notifications.h"
#include "notify/sendmailform.h"
#include "notify/trackerforms.h"
#include "recording/recordingform.h"

FeatureWindows::FeatureWindows(Services& services, Session& session, QObject* parent)
    : QObject(parent), m_services(services), m_session(session) {}

FeatureWindows::~FeatureWindows() {
    // The router must not hand a line to a window that is gone.
    if (m_audio)
        m_session.router().setTarget(HostLineRouter::Step::Audio, nullptr);
}

void FeatureWindows::loadAll() {
    // The order of the program's windows: ConsoleForm, BroadCastStatusForm, MessageForm,
    // FriendsForm, AudioForm, CallForm, SendMailForm, MCIForm, MixerConfigForm,
    // AnnounceBackForm, AutoAnswerForm, RecordingForm, ContactForm, DartsForm,
    // ControlerListDialog. A window already loaded stays as it is.
    console();
    broadcastStatus();
    messages();
    friends();
    audio();
    calls();
    sendMail();
    player();
    mixerConfig();
    announceBack();
    autoAnswer();
    recording();
    contacts();
    darts();
}

ConsoleForm& FeatureWindows::console() {
    if (!m_console) {
        m_console = std::make_unique<ConsoleForm>(m_services);
        // Lines typed into the console go to the host as they are.
        connect(m_console.get(), &ConsoleForm::commandEntered, &m_session, &Session::send);
    }
    return *m_console;
}

AboutDialog& FeatureWindows::about() {
    if (!m_about)
        m_about = std::make_unique<AboutDialog>(m_services);
    return *m_about;
}

BlackJackForm& FeatureWindows::blackJack() {
    if (!m_blackJack)
        m_blackJack = std::make_unique<BlackJackForm>();
    return *m_blackJack;
}

BroadCastStatusForm& FeatureWindows::broadcastStatus() {
    if (!m_broadcastStatus)
        m_broadcastStatus = std::make_unique<BroadCastStatusForm>(
            m_services, m_session.notifications().recipients());
    return *m_broadcastStatus;
}

MessageForm& FeatureWindows::messages() {
    if (!m_messages)
        m_messages =
            std::make_unique<MessageForm>(m_services, m_session.notifications().messages());
    return *m_messages;
}

FriendsForm& FeatureWindows::friends() {
    if (!m_friends)
        m_friends = std::make_unique<FriendsForm>(m_services, m_session.notifications().friends());
    return *m_friends;
}

AudioForm& FeatureWindows::audio() {
    if (!m_audio) {
        Session& session = m_session;
        m_audio = std::make_unique<AudioForm>(
            m_services, [&session](const QString& line) { session.send(line); });
        session.router().setTarget(HostLineRouter::Step::Audio, m_audio.get());
    }
    return *m_audio;
}

CallForm& FeatureWindows::calls() {
    if (!m_calls)
        m_calls = std::make_unique<CallForm>(m_services, m_session.notifications().calls());
    return *m_calls;
}

SendMailForm& FeatureWindows::sendMail() {
    if (!m_sendMail)
        m_sendMail = std::make_unique<SendMailForm>(m_services, m_session.mail());
    return *m_sendMail;
}

MCIForm& FeatureWindows::player() {
    if (!m_player)
        m_player = std::make_unique<MCIForm>(m_services, m_session.player());
    return *m_player;
}

MixerConfigForm& FeatureWindows::mixerConfig() {
    if (!m_mixerConfig)
        m_mixerConfig = std::make_unique<MixerConfigForm>(m_services, m_session.mixerConfig());
    return *m_mixerConfig;
}

AnnounceBackForm& FeatureWindows::announceBack() {
    if (!m_announceBack)
        m_announceBack = std::make_unique<AnnounceBackForm>(
            m_services, m_session.notifications().announceBack());
    return *m_announceBack;
}

AutoAnswerForm& FeatureWindows::autoAnswer() {
    if (!m_autoAnswer) {
        m_autoAnswer =
            std::make_unique<AutoAnswerForm>(m_services, m_session.answering(), m_session.mci());
        m_autoAnswer->setMixerWindow([this] { open(&mixerConfig()); });
        m_autoAnswer->setMonitorCheck([this] { return m_session.answeringSourceIsMonitor(); });
    }
    return *m_autoAnswer;
}

RecordingForm& FeatureWindows::recording() {
    if (!m_recording)
        m_recording = std::make_unique<RecordingForm>(m_services, m_session.recordingHistory());
    return *m_recording;
}

ContactForm& FeatureWindows::contacts() {
    if (!m_contacts)
        m_contacts = std::make_unique<ContactForm>(m_services, m_session.contacts());
    return *m_contacts;
}

DartsForm& FeatureWindows::darts() {
    if (!m_darts)
        m_darts = std::make_unique<DartsForm>(m_services, m_session.darts());
    return *m_darts;
}

RemoteAutoAnswerForm& FeatureWindows::remoteAutoAnswer() {
    if (!m_remoteAutoAnswer)
        m_remoteAutoAnswer = std::make_unique<RemoteAutoAnswerForm>(m_services, m_session.remote());
    return *m_remoteAutoAnswer;
}

void FeatureWindows::open(QWidget* window) {
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
}
