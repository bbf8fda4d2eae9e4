#include "dartsgame.h"

#include "base/debugconsole.h"
#include "base/genlibtext.h"
#include "base/languagepack.h"
#include "base/loglib.h"
#include "base/services.h"
#include "games/dartslink.h"
#include "games/dartswire.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/prompts.h"

DartsGame::DartsGame(Services& services, DartsLink& link, QObject* parent)
    : QObject(parent), m_services(services), m_link(link),
      m_random([&clock = services.clock] { return clock.random(); }) {
    m_timer1.setInterval(30);
    m_timer1.setTimerType(Qt::PreciseTimer);
    m_timer2.setInterval(1000);
    m_timer3.setInterval(2000);
    m_timer3.setSingleShot(true);
    connect(&m_timer1, &QTimer::timeout, this, &DartsGame::Timer1_Timer);
    connect(&m_timer2, &QTimer::timeout, this, &DartsGame::Timer2_Timer);
    connect(&m_timer3, &QTimer::timeout, this, &DartsGame::Timer3_Timer);
    resetNow();
}

DartsGame::~DartsGame() = default;

void DartsGame::guarded(std::function<void()> work) {
    if (m_busy) {
        m_pending.push_back(std::move(work));
        return;
    }
    m_busy = true;
    work();
    while (!m_pending.empty()) {
        const std::function<void()> next = std::move(m_pending.front());
        m_pending.pop_front();
        next();
    }
    m_busy = false;
    emit changed();
}

QString DartsGame::text(int number) const {
    return m_services.language.GetLanguageString(number);
}

void DartsGame::trace(const QString& line) const {
    // Peer texts reach the trace log escaped, so no peer can write a line of its own into it.
    m_services.log.WriteLog(GEnLib::LogSafe(line), 1);
}

void DartsGame::box(int textNumber, int titleNumber) {
    emit changed();
    m_services.prompts.message(text(textNumber), text(titleNumber));
}

QString DartsGame::GameState() const {
    switch (m_state) {
    case State::Idle:
        return {};
    case State::Inviting:
        return QStringLiteral("Inviting");
    case State::WaitingAnswerToInvite:
        return QStringLiteral("WaitingAnswerToInvite");
    case State::DecideFirst:
        return QStringLiteral("DecideFirst");
    case State::InLocalGame:
        return QStringLiteral("InLocalGame");
    case State::InRemoteGame:
        return QStringLiteral("InRemoteGame");
    case State::Bye:
        return QStringLiteral("Bye");
    }
    return {};
}

QString DartsGame::stageCaption() const {
    return text(117 + static_cast<int>(m_stage));
}

QString DartsGame::historyPath() const {
    return m_services.folders.userDataPath() + u'/' + RecordLib::fileName();
}

void DartsGame::SkypeMessageHandler(QString& received, QString& sender) {
    guarded([this, received, sender] { handleMessage(received, sender); });
}

void DartsGame::InitGameStatus() {
    guarded([this] { resetNow(); });
}

void DartsGame::resetFromMenu() {
    guarded([this] {
        if (m_state != State::Idle)
            SendBye();
        resetNow();
    });
}

void DartsGame::Form_Activate() {
    m_view.localUserName = m_link.currentUserHandle();
    emit changed();
}

void DartsGame::Command1_Click() {
    guarded([this] {
        if (m_view.command1Enabled)
            pressThrow();
    });
}

void DartsGame::Command2_Click(const QString& partnerText) {
    guarded([this, partnerText] {
        if (m_view.command2Enabled)
            invite(partnerText);
    });
}

void DartsGame::sendControl(const QString& recipient, const QString& words) {
    m_link.sendCommand(ControlEnvelope::BuildControlMessage(
        recipient, ControlEnvelope::Feature::Arrowfall, words));
}

void DartsGame::holdHostLines(bool hold) {
    if (hold == m_holdsHostLines)
        return;
    m_holdsHostLines = hold;
    m_link.SetUnimodeForm(hold ? QStringLiteral("DartsForm") : QString());
}

void DartsGame::resetNow() {
    const QString localUser = m_view.localUserName;
    m_view = DartsView{};
    m_view.localUserName = localUser;
    m_sessionId = -1;
    m_state = State::Idle;
    m_partner.clear();
    m_inviter.clear();
    m_turnCount = 0;
    m_inviteTicks = m_answerTicks = 0;
    m_weInvited = false;
    m_stage = Stage::Ready;
    m_localCount = m_remoteCount = 0;
    m_heldDarts.clear();
    m_timer1.stop();
    m_timer2.stop();
    m_timer3.stop();
    // Every way back to idle gives the host lines back to the contact list.
    holdHostLines(false);
    emit changed();
}
