#include "mainformwindows.h"

#include "aboutdialog.h"
#include "answering/answeringlinks.h"
#include "answering/autoanswerform.h"
#include "answering/autoanswermachine.h"
#include "app/dartshostlink.h"
#include "app/mainformcore.h"
#include "audio/audioform.h"
#include "audio/mciform.h"
#include "audio/mcilib.h"
#include "audio/mixerconfigform.h"
#include "audio/mixerlib.h"
#include "blackjackform.h"
#include "consoleform.h"
#include "games/dartsform.h"
#include "games/dartsgame.h"
#include "host/skypeapihandler.h"
#include "notify/sendmailform.h"
#include "platform/mixer.h"
#include "recording/callrecorder.h"
#include "recording/recordingform.h"
#include "recording/recordinghistory.h"
#include "recording/recordingstatus.h"

FeatureWindows::FeatureWindows(Services& services, MainFormCore& core, QObject* parent)
    : QObject(parent), m_services(services), m_core(core), m_mci(std::make_unique<MCILib>()),
      m_mixer(createMixer()), m_mixerLib(std::make_unique<MixerLib>(*m_mixer)) {
    // Completion notices reach the window MCINotifyTarget names, on this (the GUI) thread.
    connect(m_mci.get(), &MCILib::mciNotify, this, &FeatureWindows::routeMciNotice);
    connect(m_mci.get(), &MCILib::statusTextChanged, this, &FeatureWindows::mciStatusChanged);
}

FeatureWindows::~FeatureWindows() {
    // The windows go before the sound layer and the mixer they hold (declaration order); the
    // router must not hand a line to a window that is gone.
    if (m_audio)
        m_core.api().router().setTarget(HostLineRouter::Step::Audio, nullptr);
    // The machine and the recorder save a recording in progress while the mixer and sound
    // layer still exist.
    shutDownRecorder();
    m_core.api().router().setAnsweringMachine(nullptr);
    m_autoAnswer.reset();
    m_answering.reset();
}

void FeatureWindows::loadAll() {
    // The order of the program's windows: ConsoleForm, BroadCastStatusForm, MessageForm,
    // FriendsForm, AudioForm, CallForm, SendMailForm, MCIForm, MixerConfigForm,
    // AnnounceBackForm, AutoAnswerForm, RecordingForm, ContactForm, DartsForm,
    // ControlerListDialog. A window already loaded stays as it is.
    console();
    audio();
    sendMail();
    player();
    mixerConfig();
    autoAnswer();
    recording();
    darts();
}

ConsoleForm& FeatureWindows::console() {
    if (!m_console) {
        m_console = std::make_unique<ConsoleForm>(m_services);
        // Lines typed into the console go to the host as they are.
        connect(m_console.get(), &ConsoleForm::commandEntered, this,
                [this](const QString& line) { m_core.api().SendCommandToSkype(line); });
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

AudioForm& FeatureWindows::audio() {
    if (!m_audio) {
        SkypeAPIHandler& api = m_core.api();
        m_audio = std::make_unique<AudioForm>(
            m_services, [&api](const QString& line) { api.SendCommandToSkype(line); });
        api.router().setTarget(HostLineRouter::Step::Audio, m_audio.get());
    }
    return *m_audio;
}

SendMailForm& FeatureWindows::sendMail() {
    if (!m_sendMail) {
        m_sendMail = std::make_unique<SendMailForm>(m_services);
        connect(m_sendMail.get(), &SendMailForm::mailStatusChanged, this,
                &FeatureWindows::mailStatusChanged);
    }
    return *m_sendMail;
}

MCIForm& FeatureWindows::player() {
    if (!m_player)
        m_player = std::make_unique<MCIForm>(m_services, *m_mci);
    return *m_player;
}

MixerConfigForm& FeatureWindows::mixerConfig() {
    if (!m_mixerConfig)
        m_mixerConfig = std::make_unique<MixerConfigForm>(m_services, *m_mixerLib);
    return *m_mixerConfig;
}

DartsForm& FeatureWindows::darts() {
    if (!m_darts) {
        m_dartsLink = std::make_unique<MainDartsLink>(m_core);
        m_dartsGame = std::make_unique<DartsGame>(m_services, *m_dartsLink);
        m_darts = std::make_unique<DartsForm>(m_services, *m_dartsGame);
    }
    return *m_darts;
}

void FeatureWindows::open(QWidget* window) {
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
}
