// The session with the partner's copy: invitation, answers, darts, BYE and the time-outs.
#include "dartsgame.h"

#include "base/services.h"
#include "games/dartslink.h"
#include "games/dartswire.h"
#include "platform/clock.h"
#include "platform/prompts.h"

#include <cmath>

namespace {
// A host handle is one word; anything else cannot be answered and is not a partner.
bool plausibleHandle(const QString& handle) {
    if (handle.isEmpty() || handle.size() > 256)
        return false;
    for (const QChar c : handle)
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    return true;
}
} // namespace

void DartsGame::handleMessage(const QString& received, const QString& sender) {
    trace(QStringLiteral("DartsForm.SkypeMessageHandler: [") + received + QStringLiteral("][") +
          sender + u']');
    const QStringList words = received.split(u' ');
    if (words.size() < 2 || !plausibleHandle(sender))
        return;
    // During a session only the partner is heard; an idle window hears anyone.
    if (m_state != State::Idle && sender != m_partner)
        return;
    const QString& verb = words[0];
    if (verb == QLatin1String("INVITE"))
        onInvite(words, received, sender);
    else if (verb == QLatin1String("THROW"))
        onThrow(words);
    else if (verb == QLatin1String("BYE"))
        onBye(words);
}

void DartsGame::onInvite(const QStringList& words, const QString& received, const QString& sender) {
    if (m_state == State::Inviting || m_state == State::WaitingAnswerToInvite) {
        onInvitedAnswer(words);
        return;
    }
    if (m_state != State::Idle || words.size() != 2)
        return;
    const auto number = DartsWire::parseSessionNumber(words[1]);
    if (!number)
        return;
    // The user may take a while to answer: the peer program hears at once that the
    // invitation arrived.
    sendControl(sender, DartsWire::replyWords(received, QStringLiteral("WAITING")));
    emit changed();
    const bool accepted = m_services.prompts.confirm(
        text(70) + u'[' + sender + QStringLiteral("]\r\n") + text(71), text(72));
    if (!accepted) {
        sendControl(sender, DartsWire::replyWords(received, QStringLiteral("REFUSE")));
        m_sessionId = -1;
        m_inviter.clear();
        m_partner.clear();
        m_state = State::Idle;
        m_turnCount = 0;
        return;
    }
    sendControl(sender, DartsWire::replyWords(received, QStringLiteral("OK")));
    m_sessionId = *number;
    m_partner = m_inviter = sender;
    m_state = State::DecideFirst;
    m_view.remoteUserName = sender;
    sessionAgreed();
}

void DartsGame::onInvitedAnswer(const QStringList& words) {
    if (words.size() != 3 || DartsWire::parseSessionNumber(words[1]) != m_sessionId)
        return;
    const QString& answer = words[2];
    if (answer == QLatin1String("REFUSE")) {
        refused();
    } else if (answer == QLatin1String("WAITING") && m_state == State::Inviting) {
        m_state = State::WaitingAnswerToInvite;
        m_answerTicks = 0;
        m_timer2Tag = QStringLiteral("WaitingAnswerToInvite");
        m_view.announce = text(66);
    } else if (answer == QLatin1String("OK") && m_state == State::WaitingAnswerToInvite) {
        m_state = State::DecideFirst;
        m_inviteTicks = m_answerTicks = 0;
        m_timer2.stop();
        m_view.remoteUserName = m_partner;
        sessionAgreed();
    }
}

void DartsGame::sessionAgreed() {
    holdHostLines(true);
    m_view.announce = text(65);
    // Once the first darts fly, the session can only end by the game, a BYE or a reset.
    m_view.command2Enabled = false;
    m_view.command3Enabled = false;
    m_view.command1Enabled = true;
    pressThrow();
}

void DartsGame::refused() {
    const bool waitingAnswer = m_state == State::WaitingAnswerToInvite;
    m_state = State::Idle;
    m_partner.clear();
    m_view.announce.clear();
    m_view.command3Enabled = true;
    if (waitingAnswer) {
        m_inviteTicks = m_answerTicks = 0;
        m_timer2.stop();
    }
    box(67, 73);
}

void DartsGame::onThrow(const QStringList& words) {
    if (words.size() < 4 || words[1] != QString::number(m_sessionId))
        return;
    const auto x = DartsWire::parseCoordinate(words[2]);
    const auto y = DartsWire::parseCoordinate(words[3]);
    if (!x || !y)
        return;
    if (m_state == State::DecideFirst)
        partnerFirstDart({*x, *y});
    else if (m_state == State::InRemoteGame)
        partnerDart({*x, *y});
}

void DartsGame::onBye(const QStringList& words) {
    // A late BYE of an earlier session must not end the invitation now under way.
    const bool inviting = m_state == State::Inviting || m_state == State::WaitingAnswerToInvite;
    if (inviting && words[1] != QString::number(m_sessionId))
        return;
    SendBye();
    resetNow();
}

void DartsGame::invite(const QString& partnerText) {
    m_view.announce = text(68);
    m_sessionId = static_cast<qint32>(std::nearbyint(m_random() * 10000 + 0.5));
    m_inviter = m_view.localUserName.trimmed();
    m_state = State::Inviting;
    m_partner = partnerText.trimmed();
    m_turnCount = 0;
    m_gameStamp = m_services.clock.now().toString(QStringLiteral("yyyyMMddHHmmss"));
    m_weInvited = true;
    sendControl(m_partner, DartsWire::inviteWords(m_sessionId));
    m_inviteTicks = m_answerTicks = 0;
    m_timer2Tag = QStringLiteral("Inviting");
    m_timer2.start(1000);
    m_view.command1Enabled = false;
    m_view.command3Enabled = false;
}

void DartsGame::Timer2_Timer() {
    // Ticks that come while a box is open count once: the box took the time, not the partner.
    if (m_busy && m_timer2Queued)
        return;
    m_timer2Queued = m_busy;
    guarded([this] {
        m_timer2Queued = false;
        if (m_timer2Tag == QLatin1String("Inviting"))
            ++m_inviteTicks;
        else if (m_timer2Tag == QLatin1String("WaitingAnswerToInvite"))
            ++m_answerTicks;
        const bool invitingOver = m_timer2Tag == QLatin1String("Inviting") &&
                                  m_state == State::Inviting && m_inviteTicks >= 5;
        const bool answerOver = m_timer2Tag == QLatin1String("WaitingAnswerToInvite") &&
                                m_state == State::WaitingAnswerToInvite && m_answerTicks >= 30;
        if (invitingOver || answerOver)
            timeOut();
    });
}

void DartsGame::timeOut() {
    m_state = State::Idle;
    m_timer2.stop();
    emit changed();
    m_services.prompts.message(text(74) + u'[' + m_timer2Tag + u']', text(73));
    SendBye();
    resetNow();
}

void DartsGame::SendBye() {
    if (m_partner.isEmpty() || m_sessionId == 0)
        return;
    sendControl(m_partner, DartsWire::byeWords(m_sessionId));
    m_state = State::Bye;
}

QPoint DartsGame::SendThrow(QPointF landing) {
    // The thrower keeps its dart exactly as the partner will read it back from the message.
    const QString x = DartsWire::formatCoordinate(float(landing.x()));
    const QString y = DartsWire::formatCoordinate(float(landing.y()));
    sendControl(m_partner, DartsWire::throwWords(m_sessionId, x, y));
    const auto readX = DartsWire::parseCoordinate(x);
    const auto readY = DartsWire::parseCoordinate(y);
    return {readX.value_or(0), readY.value_or(0)};
}
