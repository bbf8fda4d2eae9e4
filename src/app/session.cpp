#include "session.h"

#include "answering/answeringlinks.h"
#include "answering/autoanswermachine.h"
#include "answering/remotecontrol.h"
#include "app/mainformcore.h"
#include "audio/mcilib.h"
#include "audio/mcinotices.h"
#include "audio/mciplayer.h"
#include "audio/mixerconfig.h"
#include "audio/mixerlib.h"
#include "base/genlib.h"
#include "base/services.h"
#include "contacts/contactformcore.h"
#include "games/dartsgame.h"
#include "games/dartslink.h"
#include "host/skypeapihandler.h"
#include "notify/announceback.h"
#include "notify/broadcastrecipients.h"
#include "notify/calltracker.h"
#include "notify/desktopnotifications.h"
#include "notify/friendslist.h"
#include "notify/mailsender.h"
#include "notify/messagetracker.h"
#include "notify/notifications.h"
#include "notify/notifyswitches.h"
#include "notify/secretstore.h"
#include "notify/smtptransport.h"
#include "platform/desktopnotifier.h"
#include "platform/mixer.h"
#include "platform/sound.h"
#include "recording/callrecorder.h"
#include "recording/recordinghistory.h"
#include "recording/recordingstatus.h"

// The main window's state as the trackers and the darts game read it, at the moment of use.
class Session::Links final : public NotifySwitches, public DartsLink {
public:
    Links(MainFormCore& main, SkypeAPIHandler& api) : m_main(main), m_api(api) {}
    bool sendIMSwitch() const override { return m_main.switchOn(MainFormCore::SendIM); }
    bool sendMailSwitch() const override { return m_main.switchOn(MainFormCore::SendMail); }
    bool callbackAnounceSwitch() const override {
        return m_main.switchOn(MainFormCore::CallbackAnounce);
    }
    QString currentUserHandle() const override { return m_main.currentUserHandle(); }
    void sendCommand(const QString& line) override { m_api.SendCommandToSkype(line); }
    void SetUnimodeForm(const QString& name) override { m_main.SetUnimodeForm(name); }

private:
    MainFormCore& m_main;
    SkypeAPIHandler& m_api;
};

Session::Session(Services& services, SessionBackends backends, QObject* parent)
    : QObject(parent), m_services(services), m_main(services, m_api),
      m_api(services, backends.transport, m_main) {
    m_main.plugInto();
    m_mci = std::make_unique<MCILib>(std::move(backends.sound));
    m_notices = std::make_unique<MciNotices>(*m_mci);
    m_mixerDevice = std::move(backends.mixer);
    m_mixer = std::make_unique<MixerLib>(*m_mixerDevice);
    m_mixerConfig = std::make_unique<MixerConfig>(services.settings, *m_mixer);
    m_mail = std::make_unique<MailSender>(services, std::move(backends.smtp),
                                          std::move(backends.secrets));
    m_player = std::make_unique<MCIPlayer>(services, *m_mci);
    m_links = std::make_unique<Links>(m_main, m_api);
    wireSound();
    wireNotifications();
    wireAnswering();
    wireRecording();
    wireContactsAndDarts();
    wireRemoteControl();
    wireDesktop(backends.desktopBus);
    // Before the main window's own follow-up, which loads the windows.
    connect(&m_main, &MainFormCore::loadWindowsRequested, this, &Session::firstAttach);
}

void Session::firstAttach() {
    if (m_attachedOnce)
        return;
    m_attachedOnce = true;
    m_notifications->recipients().Load();
    m_notifications->announceBack().Load();
    m_notifications->friends().SearchFriends();
    m_mixerConfig->loadChoice();
    m_answering->settings().load(m_services.settings);
    m_answering->start();
    m_contacts->Form_Load();
}

Session::~Session() {
    HostLineRouter& lines = router();
    // A recording is saved and the mixer put back while the sound layer still exists; an
    // edited contact list is stored.
    lines.setTarget(HostLineRouter::Step::Recording, nullptr);
    lines.setRecorderBusy({});
    m_recorder->shutDown();
    lines.setAnsweringMachine(nullptr);
    m_answering->finishCall();
    m_contacts->saveIfChanged();
    lines.setTarget(HostLineRouter::Step::Contact, nullptr);
    m_notifications->messages().envelope().setHandler(ControlEnvelope::Feature::Arrowfall, nullptr);
    unplugRemoteControl();
    m_notifications->unplugFrom(lines);
    m_notices->setFallback({});
}

void Session::send(const QString& line) {
    m_api.SendCommandToSkype(line);
}

namespace {
// A call id as the machine and the recorder keep it (text) in the call table's terms.
QString partnerFromTable(const CallTracker& calls, const QString& callId) {
    bool numeric = false;
    const qint32 id = callId.toInt(&numeric);
    return numeric ? calls.table().PartnerHandle(id) : QString();
}
} // namespace

void Session::wireSound() {
    // Aliases nobody claims go to the window MCINotifyTarget names, as the host link decides.
    m_notices->setFallback([this](const QString&) { m_api.onMciNotify(); });
}

void Session::wireNotifications() {
    m_notifications = std::make_unique<Notifications>(m_services, *m_links,
                                                      [this](const QString& line) { send(line); });
    m_notifications->plugInto(router());
    m_notifications->calls().setMailer(
        [this](const QString& subject) { m_mail->QueueMail(subject, {}, {}); });
}

void Session::wireAnswering() {
    m_answeringLinks = std::make_unique<AnsweringLinks>();
    AnsweringLinks& links = *m_answeringLinks;
    m_answering = std::make_unique<AutoAnswerMachine>(m_services, *m_mci, links);
    const CallTracker& calls = m_notifications->calls();
    links.send = [this](const QString& line) { send(line); };
    links.isReceivedCall = [&calls](qint32 id) { return calls.IsRecievedCall(id); };
    links.partner = [&calls](const QString& id) { return partnerFromTable(calls, id); };
    links.online = [this] { return m_main.userStatus() == QLatin1String("ONLINE"); };
    links.setIcon = [this](int kind) { emit answeringIconChanged(kind); };
    links.mixer = m_mixerConfig.get();
    // Each mail keeps its own subject, body and attachment, so a ring report queued at the
    // same time never mixes with it.
    links.mail = [this](const QString& subject, const QString& body, const QString& file) {
        m_mail->QueueMail(subject, body, file);
    };
    connect(m_mail.get(), &MailSender::mailFinished, m_answering.get(),
            &AutoAnswerMachine::mailFinished);
    AutoAnswerMachine* machine = m_answering.get();
    for (const QString& alias : AutoAnswerMachine::aliases())
        m_notices->claim(alias,
                         [machine](const QString& name) { machine->MCINOTIFYHandler(name); });
    router().setAnsweringMachine(machine);
}

void Session::wireRecording() {
    m_recordingStatus = std::make_unique<RecordingStatus>();
    m_recordingHistory = std::make_unique<RecordingHistory>(m_services, *m_mci, *m_recordingStatus);
    m_recorder = std::make_unique<CallRecorder>(m_services, *m_mci, *m_mixerConfig, *m_mixer,
                                                *m_recordingStatus, *m_recordingHistory);
    CallRecorder* recorder = m_recorder.get();
    RecordingHistory* history = m_recordingHistory.get();
    recorder->setAnsweringMachineOn([this] { return m_main.autoAnswerSwitch(); });
    recorder->setHostSender([this](const QString& line) { send(line); });
    const CallTracker& calls = m_notifications->calls();
    recorder->setPartnerLookup([&calls](const QString& id) { return partnerFromTable(calls, id); });
    m_notices->claim(QStringLiteral("rr"),
                     [recorder](const QString&) { recorder->MCINOTIFYHandler(); });
    m_notices->claim(QStringLiteral("rp"),
                     [history](const QString&) { history->MCINOTIFYHandler(); });
    router().setTarget(HostLineRouter::Step::Recording, recorder);
    router().setRecorderBusy([recorder] { return recorder->recording(); });
}

void Session::wireContactsAndDarts() {
    m_contacts = std::make_unique<ContactFormCore>(
        m_services,
        ContactLink{[this](const QString& line) { send(line); },
                    [this] { return m_main.skypeStatus(); }, GEnLib::IsMessageQueueEmpty});
    router().setTarget(HostLineRouter::Step::Contact, m_contacts.get());
    m_darts = std::make_unique<DartsGame>(m_services, *m_links);
    m_notifications->messages().envelope().setHandler(ControlEnvelope::Feature::Arrowfall,
                                                      m_darts.get());
}

bool Session::answeringSourceIsMonitor() const {
    const QList<MixerDevice> devices = m_mixerDevice->readDevices();
    const int found = m_mixerConfig->foundDeviceIndex();
    if (found < 0 || found >= devices.size())
        return true; // no mixer: nothing to warn about
    const MixerDevice& device = devices[found];
    const qsizetype index = MixerLib::itemTexts(device).indexOf(m_mixerConfig->chosenSource());
    return index >= 0 && device.sources[index].isMonitor;
}
