#include "remoteclient.h"

#include "remotecontrol.h"

namespace {
const QString kTitle = QStringLiteral("Remote Auto Answer");
}

RemoteAutoAnswerClient::RemoteAutoAnswerClient(RemoteControl& remote, QObject* parent)
    : QObject(parent), m_remote(remote) {
    m_timer1.setSingleShot(true);
    m_timer1.setInterval(kRequestTimeoutMs);
    connect(&m_timer1, &QTimer::timeout, this, &RemoteAutoAnswerClient::Timer1_Timer);
    connect(&m_remote, &RemoteControl::recordReceived, this,
            &RemoteAutoAnswerClient::AddRecordToList);
    connect(&m_remote, &RemoteControl::refused, this,
            [this] { emit notice(QStringLiteral("REFUSE From Remote User"), kTitle); });
}

bool RemoteAutoAnswerClient::Command2_Click(const QString& user, const QString& key) {
    const QString handle = user.trimmed();
    const QString plain = key.trimmed();
    if (handle.isEmpty() || plain.isEmpty())
        return false;
    const QString problem = RemoteControl::accessKeyProblem(plain);
    if (!problem.isEmpty()) {
        emit notice(problem, kTitle);
        return false;
    }
    if (!m_remote.requestAccess(handle, plain))
        return false;
    m_timer1.start();
    return true;
}

void RemoteAutoAnswerClient::Timer1_Timer() {
    m_timer1.stop();
    if (!m_lines.isEmpty())
        return;
    endSession();
    emit notice(kTimer1Tag + QStringLiteral(" is timeout!!"), kTitle);
}

void RemoteAutoAnswerClient::AddRecordToList(const QString& date, const QString& time,
                                             const QString& caller) {
    if (date.isEmpty() && time.isEmpty())
        m_lines.clear();
    else if (m_lines.size() < kMaxLines)
        m_lines.append(date + u' ' + time + u' ' + caller);
    emit linesChanged();
}

bool RemoteAutoAnswerClient::Command3_Click(const QString& line) {
    return m_lines.contains(line) && m_remote.SendPlayOrder(line);
}

void RemoteAutoAnswerClient::Command1_Click() {
    m_timer1.stop();
    endSession();
}

void RemoteAutoAnswerClient::endSession() {
    // Only this copy's own request; a session it serves as a machine is not the window's.
    if (m_remote.controllerMode())
        m_remote.SetRemoteInfo({}, {});
}
