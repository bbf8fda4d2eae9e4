// Local playback of a recorded message (alias aapu); a message played to its end or stopped
// counts as heard.
#include "audio/mcilib.h"
#include "autoanswermachine.h"
#include "messagefiles.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QString kPlayback = QStringLiteral("aapu");
}

bool AutoAnswerMachine::playMessage(const QString& path) {
    if (m_state != AnsweringState::Idle || path.isEmpty())
        return false;
    if (!playAlias(kPlayback, path))
        return false;
    m_playPath = path;
    setState(AnsweringState::Playing);
    emit playbackChanged(true);
    return true;
}

void AutoAnswerMachine::stopMessage() {
    // The notice of the stopped playback ends it.
    if (m_state == AnsweringState::Playing)
        mci(QStringLiteral("stop aapu"));
}

void AutoAnswerMachine::endPlayback() {
    closeAlias(kPlayback);
    setState(AnsweringState::Idle);
    const QString heard = MessageFiles::heardPath(m_playPath);
    // A heard twin that already exists is never overwritten.
    if (heard != m_playPath && !QFileInfo::exists(heard) && QFile::rename(m_playPath, heard))
        emit messagesChanged();
    m_playPath.clear();
    emit playbackChanged(false);
}
