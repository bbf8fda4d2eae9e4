#include "autoanswermachine.h"

#include "answeringports.h"
#include "audio/mcilib.h"
#include "base/debugconsole.h"
#include "base/services.h"
#include "platform/folders.h"

namespace {
const QString kGreeting = QStringLiteral("aap1");
const QString kBeep = QStringLiteral("aap2");
const QString kPlayback = QStringLiteral("aapu");
const QString kRecording = QStringLiteral("aar1");
} // namespace

AutoAnswerMachine::AutoAnswerMachine(Services& services, MCILib& mci, AnsweringPorts& ports,
                                     QObject* parent)
    : QObject(parent), m_services(services), m_mci(mci), m_ports(ports) {
    for (QTimer* timer : {&m_ringingTimer, &m_recordingTimer, &m_guardTimer, &m_remoteTimer})
        timer->setSingleShot(true);
    // A coarse timer may fire 5 % late: 750 ms on a wait of 15 s.
    m_ringingTimer.setTimerType(Qt::PreciseTimer);
    m_recordingTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_ringingTimer, &QTimer::timeout, this, &AutoAnswerMachine::RingingTimer_Timer);
    connect(&m_recordingTimer, &QTimer::timeout, this, &AutoAnswerMachine::RecordingTimer_Timer);
    connect(&m_guardTimer, &QTimer::timeout, this, &AutoAnswerMachine::GuardTimer_Timer);
    m_guardTimer.setInterval(kGuardMs);
    connect(&m_remoteTimer, &QTimer::timeout, this, &AutoAnswerMachine::RemoteTimer_Timer);
    m_remoteTimer.setInterval(kRemoteWaitMs);
}

AutoAnswerMachine::~AutoAnswerMachine() {
    finishCall();
}

QString AutoAnswerMachine::messageFolder() const {
    return m_services.folders.autoAnswerPath();
}

QString AutoAnswerMachine::beepPath() const {
    return m_services.folders.shippedFilesPath() + QStringLiteral("/AutoAnswerStart.wav");
}

bool AutoAnswerMachine::ownsAlias(const QString& alias) {
    const QString name = alias.toLower();
    return name == kGreeting || name == kBeep || name == kPlayback || name == kRecording;
}

QStringList AutoAnswerMachine::aliases() {
    return {kGreeting, kBeep, kPlayback, kRecording};
}

void AutoAnswerMachine::start() {
    backToIdle();
    for (const QString& alias : {kGreeting, kBeep, kPlayback, kRecording})
        closeAlias(alias);
    recoverCapture();
}

void AutoAnswerMachine::setState(AnsweringState state) {
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(answeringStateText(state));
}

int AutoAnswerMachine::mci(const QString& command) {
    QString result;
    const int status = m_mci.mSendString(command, result);
    if (status != 0 && !command.startsWith(QLatin1String("close")))
        console(QStringLiteral("AutoAnswer: [%1] -> %2 %3").arg(command).arg(status).arg(result));
    return status;
}

void AutoAnswerMachine::console(const QString& text) {
    m_services.console.ConsolePrint(text);
}

void AutoAnswerMachine::closeAlias(const QString& alias) {
    // A notice still owed by this device comes after the close and must not move the flow.
    if (m_awaitedAlias == alias)
        m_awaitedAlias.clear();
    mci(QStringLiteral("close ") + alias);
}

bool AutoAnswerMachine::playAlias(const QString& alias, const QString& path) {
    closeAlias(alias);
    if (mci(QStringLiteral("open \"%1\" alias %2").arg(path, alias)) != 0)
        return false;
    if (mci(QStringLiteral("play %1 notify").arg(alias)) != 0) {
        closeAlias(alias);
        return false;
    }
    ++m_owedNotices[alias];
    m_awaitedAlias = alias;
    return true;
}

void AutoAnswerMachine::SetSkypeResponse(QString& line) {
    line = line.trimmed();
    if (line.isEmpty())
        return;
    const QStringList words = line.split(u' ');
    if (words.size() < 4 || words[0] != QLatin1String("CALL"))
        return;
    const QString& callId = words[1];
    if (words[2] == QLatin1String("PARTNER_HANDLE")) {
        m_recordingTag = words[3];
        if (m_partners.size() > 256)
            m_partners.clear();
        m_partners.insert(callId, words[3]);
        if (m_state == AnsweringState::Recording && callId == m_ringingTag)
            writeJournal(words[3]);
    } else if (words[2] == QLatin1String("STATUS")) {
        if (m_firstStatus.size() > 256)
            m_firstStatus.clear();
        const bool fresh = !m_firstStatus.contains(callId);
        if (fresh)
            m_firstStatus.insert(callId, words[3]);
        noteRemoteCall(callId, fresh);
        onStatus(callId, words[3]);
    }
}

void AutoAnswerMachine::onStatus(const QString& callId, const QString& status) {
    if (status == QLatin1String("RINGING"))
        onRinging(callId);
    else if (status == QLatin1String("INPROGRESS"))
        onInProgress(callId);
    else if (status == QLatin1String("FINISHED") || status == QLatin1String("MISSED") ||
             status == QLatin1String("REFUSED") || status == QLatin1String("FAILED"))
        onCallEnded(callId);
}

void AutoAnswerMachine::onRinging(const QString& callId) {
    bool numeric = false;
    const qint32 id = callId.toInt(&numeric);
    if (!numeric || !m_ports.IsRecievedCall(id)) {
        // An outgoing call stops a ring wait, and nothing else the machine is doing.
        if (m_state == AnsweringState::CheckRinging)
            cancelWait();
        return;
    }
    if (m_state == AnsweringState::Idle) {
        setState(AnsweringState::CheckRinging);
        const int seconds = m_settings.ringingWait(m_ports.userOnline());
        m_ringingTimer.setInterval(seconds * 1000);
        // A wait of 0 s switches answering off for that user status.
        if (m_ringingTimer.interval() >= 11) {
            m_ringingTag = callId;
            m_ringingTimer.start();
        } else {
            setState(AnsweringState::Idle);
        }
    } else if (m_state == AnsweringState::RemoteRequest) {
        // The other machine calls back: the user answers it to listen.
        m_remoteTimer.stop();
        cancelWait();
    }
}

void AutoAnswerMachine::cancelWait() {
    m_ringingTimer.stop();
    m_ringingTag.clear();
    setState(AnsweringState::Idle);
}

void AutoAnswerMachine::RingingTimer_Timer() {
    m_ringingTimer.stop();
    if (m_state != AnsweringState::CheckRinging || m_ringingTag.isEmpty())
        return;
    // State first: the host's INPROGRESS may be handled before the send returns.
    setState(AnsweringState::RingingTimeout);
    m_guardTimer.start();
    m_ports.SendCommandToSkype(QStringLiteral("SET CALL %1 STATUS INPROGRESS").arg(m_ringingTag));
}

void AutoAnswerMachine::onInProgress(const QString& callId) {
    if (m_state == AnsweringState::Remote && !m_remoteCallId.isEmpty() &&
        callId == m_remoteCallId) {
        startRemotePlayback();
        return;
    }
    if (callId != m_ringingTag)
        return;
    if (m_state == AnsweringState::CheckRinging) {
        // The user took the call by hand during the wait: it is theirs.
        cancelWait();
    } else if (m_state == AnsweringState::RingingTimeout && !m_ringingTimer.isActive()) {
        startGreeting();
    }
}

void AutoAnswerMachine::GuardTimer_Timer() {
    m_guardTimer.stop();
    if (m_state == AnsweringState::RingingTimeout) {
        console(QStringLiteral("AutoAnswer: call %1 was not answered; waiting for the next call")
                    .arg(m_ringingTag));
        backToIdle();
    } else if (m_state == AnsweringState::Recording) {
        // The hang-up after the maximum time brought no FINISHED: save as it would have.
        finishRecording();
    }
}

void AutoAnswerMachine::startGreeting() {
    m_guardTimer.stop();
    setState(AnsweringState::Answering);
    showIcon(true);
    switchMixer();
    if (!playAlias(kGreeting, m_settings.audioFile)) {
        // Without a playable greeting the caller still gets the beep and may speak.
        console(QStringLiteral("AutoAnswer: the greeting cannot be played"));
        startBeep();
    }
}

void AutoAnswerMachine::startBeep() {
    closeAlias(kGreeting);
    if (playAlias(kBeep, beepPath())) {
        setState(AnsweringState::PlayingBeep);
    } else {
        console(QStringLiteral("AutoAnswer: the beep cannot be played"));
        BeginMessageRecording();
    }
}

void AutoAnswerMachine::MCINOTIFYHandler(const QString& alias) {
    const QString name = alias.toLower();
    int& owed = m_owedNotices[name];
    owed = qMax(0, owed - 1);
    // A notice of an earlier play, or of a device closed early, changes nothing.
    if (owed > 0 || name != m_awaitedAlias)
        return;
    m_awaitedAlias.clear();
    if (m_state == AnsweringState::Answering && name == kGreeting) {
        closeAlias(kBeep);
        startBeep();
    } else if (m_state == AnsweringState::PlayingBeep && name == kBeep) {
        closeAlias(kBeep);
        BeginMessageRecording();
    } else if (m_state == AnsweringState::Playing && name == kPlayback) {
        endPlayback();
    } else if (m_state == AnsweringState::RemoteAnswer && name == kGreeting) {
        finishRemotePlayback();
    } else if (m_state == AnsweringState::Recording && name == kRecording) {
        recordingStopped();
    }
}

void AutoAnswerMachine::onCallEnded(const QString& callId) {
    if (!m_remoteCallId.isEmpty() && callId == m_remoteCallId) {
        endRemoteCall();
        return;
    }
    if (m_ringingTag.isEmpty() || callId != m_ringingTag)
        return;
    m_ringingTimer.stop();
    m_recordingTimer.stop();
    m_guardTimer.stop();
    switch (m_state) {
    case AnsweringState::Answering:
    case AnsweringState::PlayingBeep:
        closeAlias(kGreeting);
        closeAlias(kBeep);
        break;
    case AnsweringState::Recording:
        finishRecording();
        break;
    default:
        break;
    }
    backToIdle();
}

void AutoAnswerMachine::switchMixer() {
    m_ports.SaveCurrentSetting();
    m_ports.SetMixerConfig(true);
    m_mixerSwitched = true;
}

void AutoAnswerMachine::restoreMixer() {
    if (!m_mixerSwitched)
        return;
    m_mixerSwitched = false;
    m_ports.SetMixerConfig(false);
}

void AutoAnswerMachine::showIcon(bool answering) {
    if (answering == m_iconShown)
        return;
    m_iconShown = answering;
    m_ports.SetIcon(answering ? kAnswerIcon : 0);
}

void AutoAnswerMachine::backToIdle() {
    m_ringingTimer.stop();
    m_recordingTimer.stop();
    m_guardTimer.stop();
    m_remoteTimer.stop();
    m_ringingTag.clear();
    m_remoteHandle.clear();
    m_remotePath.clear();
    m_remoteCallId.clear();
    restoreMixer();
    showIcon(false);
    if (m_state != AnsweringState::Playing)
        setState(AnsweringState::Idle);
}
