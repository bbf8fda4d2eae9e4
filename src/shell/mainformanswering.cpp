// The answering machine among the feature windows: its links to the host, the main window,
// the mixer and the mail sender, and the completion notices of its aliases.
#include "answering/answeringlinks.h"
#include "answering/autoanswerform.h"
#include "answering/autoanswermachine.h"
#include "app/mainformcore.h"
#include "audio/mcilib.h"
#include "audio/mixerconfigform.h"
#include "audio/mixerlib.h"
#include "host/skypeapihandler.h"
#include "mainformwindows.h"
#include "notify/mailsender.h"
#include "notify/sendmailform.h"
#include "platform/mixer.h"

void FeatureWindows::routeMciNotice(const QString& alias) {
    // The owner of the alias gets its notice, so another window's playback never ends the
    // greeting; aliases nobody claims go to the window MCINotifyTarget names.
    if (m_answering && AutoAnswerMachine::ownsAlias(alias))
        m_answering->MCINOTIFYHandler(alias);
    else if (!routeRecordingNotice(alias))
        m_core.api().onMciNotify();
}

AutoAnswerForm& FeatureWindows::autoAnswer() {
    if (m_autoAnswer)
        return *m_autoAnswer;
    SkypeAPIHandler& api = m_core.api();
    m_answeringLinks = std::make_unique<AnsweringLinks>();
    AnsweringLinks& links = *m_answeringLinks;
    m_answering = std::make_unique<AutoAnswerMachine>(m_services, *m_mci, links);
    AutoAnswerMachine* machine = m_answering.get();
    links.send = [&api](const QString& line) { api.SendCommandToSkype(line); };
    links.isReceivedCall = [machine](qint32 id) { return machine->sawIncoming(id); };
    links.online = [this] { return m_core.userStatus() == QLatin1String("ONLINE"); };
    links.setIcon = [this](int kind) { emit answeringIconChanged(kind); };
    links.mixer = &mixerConfig().config();
    MailSender& mail = sendMail().mailSender();
    links.mail = [&mail](const QString& subject, const QString& body, const QString& file) {
        mail.setSubject(subject);
        mail.setBody(body);
        mail.setAttachment(file);
        mail.SendMail();
        // The next plain mail must not carry this attachment.
        mail.setAttachment(QString());
    };
    connect(&mail, &MailSender::mailFinished, machine, &AutoAnswerMachine::mailFinished);
    connect(machine, &AutoAnswerMachine::stateChanged, this,
            &FeatureWindows::answeringStateChanged);
    m_autoAnswer = std::make_unique<AutoAnswerForm>(m_services, *machine, *m_mci);
    m_autoAnswer->setMixerWindow([this] { open(&mixerConfig()); });
    m_autoAnswer->setMonitorCheck([this] { return answeringSourceIsMonitor(); });
    api.router().setAnsweringMachine(machine);
    return *m_autoAnswer;
}

bool FeatureWindows::answeringSourceIsMonitor() const {
    const MixerConfig& config = m_mixerConfig->config();
    const QList<MixerDevice> devices = m_mixer->readDevices();
    const int found = config.foundDeviceIndex();
    if (found < 0 || found >= devices.size())
        return true; // no mixer: nothing to warn about
    const MixerDevice& device = devices[found];
    const qsizetype index = MixerLib::itemTexts(device).indexOf(config.chosenSource());
    return index >= 0 && device.sources[index].isMonitor;
}
