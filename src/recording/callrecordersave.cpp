// The end of a recording: the save that never loses it, and the way back to idle.
#include "callrecorder.h"

#include "audio/mcilib.h"
#include "platform/folders.h"
#include "recordinghistory.h"
#include "recordingnames.h"
#include "recordingstatus.h"
#include "base/services.h"

#include <QDir>

bool CallRecorder::saveCapture(const QString& folder) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        // The second attempt goes into the folder made anew (removed, or never created).
        if (attempt > 0 && !QDir().mkpath(folder))
            return false;
        const QString path =
            folder + u'/' + RecordingNames::freeFileName(folder, m_start, m_partner);
        if (mci(QStringLiteral("save rr \"") + path + u'"') == 0) {
            m_savedPath = path;
            return true;
        }
    }
    return false;
}

// Saves the kept recording and closes the device; at the program's end a recording that the
// recordings folder refuses goes to the per-user data folder rather than being lost.
bool CallRecorder::saveKept(bool atExit) {
    bool saved = saveCapture(m_services.folders.recordingPath());
    if (!saved && atExit)
        saved = saveCapture(m_services.folders.userDataPath());
    m_unsaved = !saved;
    if (!saved) {
        reportError(QStringLiteral("The recording could not be saved; it is kept until a save "
                                   "succeeds."));
        return false;
    }
    mci(QStringLiteral("close rr"));
    m_history.UpdateRecordingList();
    emit recordingSaved(m_savedPath);
    return true;
}

void CallRecorder::finish(bool atExit) {
    m_recording = false;
    m_stopping = false;
    m_status.setState(RecordingStatus::State::Idle);
    // A device that no longer stops holds nothing to save.
    if (mci(QStringLiteral("stop rr")) == 0) {
        m_unsaved = true;
        saveKept(atExit);
    } else {
        reportError(QStringLiteral("The recording device was gone; nothing was saved."));
    }
    restoreMixer();
    m_buttonEnabled = !m_callsInProgress.isEmpty();
    emit changed();
}

void CallRecorder::shutDown() {
    m_history.stopPlayback();
    if (m_recording)
        finish(true);
    else if (m_unsaved)
        saveKept(true);
}
