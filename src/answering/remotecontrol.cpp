#include "remotecontrol.h"

#include "autoanswerlist.h"
#include "autoanswermachine.h"
#include "base/genlib.h"
#include "base/genlibtext.h"
#include "base/loglib.h"
#include "base/services.h"
#include "controlerlist.h"
#include "platform/clock.h"

#include <cmath>

namespace {
const QString kAuth = QStringLiteral("AUTH");
const QString kOk = QStringLiteral("OK");
const QString kRefuse = QStringLiteral("REFUSE");
const QString kBye = QStringLiteral("BYE ");

// A nonce or session key as this program draws them: a whole number 0..10000.
bool isSmallNumber(const QString& word) {
    if (word.isEmpty() || word.size() > 5)
        return false;
    for (QChar c : word) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

QString forLog(const QString& text) {
    return GEnLib::LogSafe(QStringView(text).left(64)) +
           (text.size() > 64 ? QStringLiteral("...") : QString());
}
} // namespace

RemoteControl::RemoteControl(Services& services, AutoAnswerMachine& machine, MCILib& mci,
                             std::function<void(const QString&)> sendCommand, QObject* parent)
    : QObject(parent), m_services(services), m_machine(machine), m_mci(mci),
      m_send(std::move(sendCommand)) {
    m_timer2.setInterval(kTickMs);
    connect(&m_timer2, &QTimer::timeout, this, &RemoteControl::Timer2_Timer);
}

QString RemoteControl::OpenSession(double random) {
    return QString::number(qint64(std::nearbyint(random * 10000 + 0.5)));
}

QString RemoteControl::accessKeyProblem(const QString& key) {
    if (key.isEmpty())
        return QStringLiteral("No access key is set.");
    if (key.size() > kMaxKeyLength)
        return QStringLiteral("The access key is longer than %1 characters.").arg(kMaxKeyLength);
    bool other = false;
    for (QChar c : key) {
        if (!GEnLib::kCryptAlphabet.contains(c))
            return QStringLiteral("The access key may hold only the letters a-z and A-Z, the "
                                  "digits 0-9, \"_\" and \".\".");
        other = other || c != u'.';
    }
    // "." vanishes from the scrambled text: a key of dots only would match a bare salt.
    if (!other)
        return QStringLiteral("The access key needs at least one letter, digit or \"_\".");
    return {};
}

void RemoteControl::sendTo(const QString& user, const QString& words) {
    if (m_send)
        m_send(ControlEnvelope::BuildControlMessage(user, ControlEnvelope::Feature::AutoAnswer,
                                                    words));
}

void RemoteControl::trace(const QString& text) {
    m_services.log.WriteLog(QStringLiteral("RemoteControl: ") + text, -1);
}

void RemoteControl::SkypeMessageHandler(QString& text, QString& sender) {
    const QStringList words = text.split(u' ');
    if (m_controllerMode)
        controllerRole(words, sender);
    else if (ControlerList::contains(m_services.settings, sender))
        machineRole(words, sender);
}

bool RemoteControl::sessionMessage(const QStringList& words, const QString& sender) const {
    return !m_sessionKey.isEmpty() && sender == m_remoteUser && words.size() >= 2 &&
           words[1] == m_sessionKey;
}

void RemoteControl::machineRole(const QStringList& words, const QString& sender) {
    const QString& verb = words[0];
    if (verb == kAuth) {
        // An answer to a request is no business of the machine role.
        if (words.size() < 3 || (words[2] != kOk && words[2] != kRefuse))
            authRequest(words, sender);
    } else if (verb == QLatin1String("LIST")) {
        if (sessionMessage(words, sender) && words.size() == 2)
            list(sender);
    } else if (verb == QLatin1String("PLAY")) {
        if (sessionMessage(words, sender) && words.size() == 5)
            play(words, sender);
    } else if (verb == QLatin1String("BYE")) {
        if (sessionMessage(words, sender) && words.size() == 2) {
            endSession();
            sendTo(sender, kBye + words[1]);
        }
    }
}

void RemoteControl::authRequest(const QStringList& words, const QString& sender) {
    if (words.size() != 3 || !isSmallNumber(words[1])) {
        trace(QStringLiteral("AUTH from %1 ignored: not \"AUTH nonce key\"").arg(forLog(sender)));
        return;
    }
    if (muted(sender)) {
        trace(QStringLiteral("AUTH from %1 ignored: muted after too many refusals")
                  .arg(forLog(sender)));
        return;
    }
    const QString& accessKey = m_machine.settings().remoteControlKey;
    const QString& scrambled = words[2];
    const bool keyOk = accessKeyProblem(accessKey).isEmpty() &&
                       scrambled.size() <= kMaxKeyLength + 2 &&
                       GEnLib::IsCryptStringOf(scrambled, accessKey);
    if (!keyOk)
        noteRefusal(sender);
    const QString& nonce = words[1];
    if (!keyOk || !m_sessionKey.isEmpty()) {
        trace(QStringLiteral("AUTH from %1 refused: %2")
                  .arg(forLog(sender),
                       keyOk ? QStringLiteral("a session is open") : QStringLiteral("wrong key")));
        sendTo(sender, kAuth + u' ' + nonce + u' ' + kRefuse);
        return;
    }
    m_sessionKey = OpenSession(m_services.clock.random());
    m_remoteUser = sender;
    m_controllerMode = false;
    m_sessionMinutes = 0;
    m_timer2.start();
    trace(QStringLiteral("AUTH from %1 granted").arg(forLog(sender)));
    sendTo(sender, kAuth + u' ' + nonce + u' ' + kOk + u' ' + m_sessionKey);
}

void RemoteControl::list(const QString& sender) {
    AutoAnswerList messages(m_mci);
    messages.UpdateAutoanswerList(m_machine.messageFolder(), false);
    for (const QString& line : messages.recordLines(m_sessionKey))
        sendTo(sender, line);
}

void RemoteControl::play(const QStringList& words, const QString& sender) {
    // Only a message of the list, by its exact date and caller; the file is the row's own.
    AutoAnswerList messages(m_mci);
    messages.UpdateAutoanswerList(m_machine.messageFolder(), false);
    const int row = messages.indexOf(words[2] + u' ' + words[3], words[4]);
    if (row < 0) {
        trace(QStringLiteral("PLAY from %1 ignored: no such message").arg(forLog(sender)));
        return;
    }
    if (!m_machine.callBackAndPlay(sender, messages.messages()[row].path))
        trace(QStringLiteral("PLAY from %1 ignored: the machine is busy").arg(forLog(sender)));
}

void RemoteControl::controllerRole(const QStringList& words, const QString& sender) {
    // Only the answers of the machine asked.
    if (sender != m_remoteUser)
        return;
    const QString& verb = words[0];
    if (verb == kAuth && words.size() >= 3 && m_sessionKey.isEmpty() && !m_nonce.isEmpty() &&
        words[1] == m_nonce) {
        if (words[2] == kOk && words.size() == 4 && isSmallNumber(words[3])) {
            m_sessionKey = words[3];
            m_nonce.clear();
            emit recordReceived({}, {}, {});
            sendTo(sender, QStringLiteral("LIST ") + m_sessionKey);
        } else if (words[2] == kRefuse && words.size() == 3) {
            m_nonce.clear();
            emit refused();
        }
    } else if (verb == QLatin1String("RECORD")) {
        if (sessionMessage(words, sender) && words.size() >= 5)
            emit recordReceived(words[2], words[3], words[4]);
    } else if (verb == QLatin1String("BYE")) {
        if (sessionMessage(words, sender) && words.size() == 2) {
            endSession();
            sendTo(sender, kBye + words[1]);
        }
    }
}

void RemoteControl::endSession() {
    m_sessionKey.clear();
    m_remoteUser.clear();
    m_nonce.clear();
    m_controllerMode = false;
    m_timer2.stop();
    m_sessionMinutes = 0;
    m_machine.endRemoteWait();
    emit sessionEnded();
}

void RemoteControl::Timer2_Timer() {
    if (m_controllerMode || m_sessionKey.isEmpty()) {
        m_timer2.stop();
        return;
    }
    if (++m_sessionMinutes < kSessionTicks)
        return;
    const QString user = m_remoteUser;
    const QString key = m_sessionKey;
    endSession();
    sendTo(user, kBye + key);
}

bool RemoteControl::requestAccess(const QString& user, const QString& plainKey) {
    if (user.isEmpty() || !accessKeyProblem(plainKey).isEmpty())
        return false;
    const QString scrambled = GEnLib::GetCryptString(plainKey, m_services.clock);
    if (scrambled.isEmpty())
        return false;
    // A session this copy serves as a machine ends first, politely.
    if (!m_controllerMode && !m_sessionKey.isEmpty()) {
        const QString served = m_remoteUser;
        const QString key = m_sessionKey;
        endSession();
        sendTo(served, kBye + key);
    }
    const QString nonce = OpenSession(m_services.clock.random());
    SetRemoteInfo({}, user);
    m_nonce = nonce;
    sendTo(user, kAuth + u' ' + nonce + u' ' + scrambled);
    return true;
}

void RemoteControl::SetRemoteInfo(const QString& key, const QString& user) {
    if (key.isEmpty() && user.isEmpty() && !m_sessionKey.isEmpty() && !m_remoteUser.isEmpty()) {
        const QString partner = m_remoteUser;
        const QString held = m_sessionKey;
        endSession();
        sendTo(partner, kBye + held);
        return;
    }
    m_sessionKey = key;
    m_remoteUser = user;
    m_nonce.clear();
    m_controllerMode = key.isEmpty() && !user.isEmpty();
    m_timer2.stop();
    m_sessionMinutes = 0;
    m_machine.endRemoteWait();
    if (user.isEmpty())
        emit sessionEnded();
}

bool RemoteControl::SendPlayOrder(const QString& item) {
    if (!m_controllerMode || m_remoteUser.isEmpty() || m_sessionKey.isEmpty() ||
        item.split(u' ').size() != 3)
        return false;
    if (!m_machine.awaitRemoteCallBack())
        return false;
    sendTo(m_remoteUser, QStringLiteral("PLAY ") + m_sessionKey + u' ' + item);
    return true;
}

bool RemoteControl::muted(const QString& sender) {
    const auto it = m_mutedUntil.constFind(sender);
    if (it == m_mutedUntil.constEnd())
        return false;
    if (m_services.clock.now() < *it)
        return true;
    m_mutedUntil.remove(sender);
    return false;
}

void RemoteControl::noteRefusal(const QString& sender) {
    const QDateTime now = m_services.clock.now();
    QList<QDateTime>& times = m_refusals[sender];
    times.removeIf([&now](const QDateTime& t) { return t.secsTo(now) >= kRefusalWindowSec; });
    times.append(now);
    if (times.size() < kRefusalLimit)
        return;
    m_refusals.remove(sender);
    m_mutedUntil.insert(sender, now.addSecs(kBlockSec));
    trace(QStringLiteral("AUTH from %1 muted for %2 minutes after %3 refusals")
              .arg(forLog(sender))
              .arg(kBlockSec / 60)
              .arg(kRefusalLimit));
}
