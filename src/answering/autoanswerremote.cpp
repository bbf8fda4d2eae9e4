// Remote playback: a message played into a call placed to a remote user ("Remote",
// "RemoteAnswer"), and the wait for another machine's call back ("RemoteRequest").
#include "answeringports.h"
#include "autoanswermachine.h"
#include "messagefiles.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QString kRemoteAlias = QStringLiteral("aap1");
}

bool AutoAnswerMachine::callBackAndPlay(const QString& handle, const QString& path) {
    if (m_state != AnsweringState::Idle || handle.isEmpty() || path.isEmpty())
        return false;
    // State first: the host's first status line of the new call may arrive inside the send.
    setState(AnsweringState::Remote);
    m_remoteHandle = handle;
    m_remotePath = path;
    m_remoteCallId.clear();
    m_remoteTimer.start();
    m_ports.SendCommandToSkype(QStringLiteral("CALL ") + handle);
    return true;
}

bool AutoAnswerMachine::awaitRemoteCallBack() {
    if (m_state != AnsweringState::Idle)
        return false;
    setState(AnsweringState::RemoteRequest);
    m_remoteTimer.start();
    return true;
}

void AutoAnswerMachine::endRemoteWait() {
    if (m_state == AnsweringState::Remote)
        RemoteTimer_Timer();
    else if (m_state == AnsweringState::RemoteRequest)
        backToIdle();
}

void AutoAnswerMachine::RemoteTimer_Timer() {
    m_remoteTimer.stop();
    if (m_state == AnsweringState::RemoteRequest) {
        backToIdle();
    } else if (m_state == AnsweringState::Remote) {
        const QString callId = m_remoteCallId;
        console(QStringLiteral("AutoAnswer: the call back was not answered"));
        backToIdle();
        if (!callId.isEmpty())
            m_ports.SendCommandToSkype(QStringLiteral("SET CALL %1 STATUS FINISHED").arg(callId));
    }
}

void AutoAnswerMachine::noteRemoteCall(const QString& callId, bool fresh) {
    // Only the call this machine placed: a new call, not an incoming one, seen while it
    // waits for its own call to appear. A call the user answered by hand is never it.
    if (m_state != AnsweringState::Remote || !m_remoteCallId.isEmpty() || !fresh)
        return;
    bool numeric = false;
    const qint32 id = callId.toInt(&numeric);
    if (numeric && !m_ports.IsRecievedCall(id))
        m_remoteCallId = callId;
}

void AutoAnswerMachine::startRemotePlayback() {
    m_remoteTimer.stop();
    setState(AnsweringState::RemoteAnswer);
    switchMixer();
    if (!playAlias(kRemoteAlias, m_remotePath)) {
        console(QStringLiteral("AutoAnswer: the message cannot be played to the remote user"));
        const QString callId = m_remoteCallId;
        backToIdle();
        m_ports.SendCommandToSkype(QStringLiteral("SET CALL %1 STATUS FINISHED").arg(callId));
    }
}

void AutoAnswerMachine::finishRemotePlayback() {
    closeAlias(kRemoteAlias);
    const QString callId = m_remoteCallId;
    const QString path = m_remotePath;
    backToIdle();
    // Played to its end: heard. A heard twin that already exists is never overwritten.
    const QString heard = MessageFiles::heardPath(path);
    if (heard != path && !QFileInfo::exists(heard) && QFile::rename(path, heard))
        emit messagesChanged();
    m_ports.SendCommandToSkype(QStringLiteral("SET CALL %1 STATUS FINISHED").arg(callId));
}

void AutoAnswerMachine::endRemoteCall() {
    // The remote user hung up, or the call failed, before or during the playback.
    if (m_state == AnsweringState::RemoteAnswer)
        closeAlias(kRemoteAlias);
    if (m_state == AnsweringState::Remote || m_state == AnsweringState::RemoteAnswer)
        backToIdle();
    m_remoteCallId.clear();
}
