#include "recordinghistory.h"

#include "audio/mcilib.h"
#include "platform/folders.h"
#include "platform/prompts.h"
#include "recordingmci.h"
#include "recordingnames.h"
#include "recordingstatus.h"
#include "base/debugconsole.h"
#include "base/genlib.h"
#include "base/services.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

RecordingHistory::RecordingHistory(Services& services, MCILib& mci, RecordingStatus& status,
                                   QObject* parent)
    : QObject(parent), m_services(services), m_mci(mci), m_status(status),
      m_lengths([&mci](const QString& path) { return mci.GetAudioFileLength(path); }) {}

int RecordingHistory::mci(const QString& command) {
    return sendRecordingMci(m_mci, m_services.console, command);
}

void RecordingHistory::UpdateRecordingList() {
    const QString selectedName = m_entries.value(m_row).fileName;
    const int previousRow = m_row;
    // Only regular files named like recordings; folders and links are never listed.
    const QList<RecordingLengths::File> files =
        RecordingLengths::regularFiles(m_services.folders.recordingPath());
    QList<RecordingEntry> entries;
    entries.reserve(files.size());
    for (const RecordingLengths::File& file : files) {
        RecordingNames::Parsed parsed;
        if (!RecordingNames::parse(file.name, &parsed))
            continue;
        // Halves go to the even neighbour (the default rounding mode).
        const auto seconds = qint64(std::nearbyint(m_lengths.seconds(file)));
        entries.append(
            {file.name, file.path, GEnLib::StampToDisplay(parsed.stamp), parsed.caller, seconds});
    }
    m_lengths.forgetUnlisted();
    // The stamp leads the name, so the plain order of the names is the order of time.
    std::sort(entries.begin(), entries.end(), [](const RecordingEntry& a, const RecordingEntry& b) {
        return a.fileName > b.fileName;
    });
    m_entries = std::move(entries);
    int row = -1;
    for (qsizetype i = 0; i < m_entries.size() && !selectedName.isEmpty(); ++i) {
        if (m_entries.at(i).fileName == selectedName)
            row = int(i);
    }
    if (row < 0 && !m_entries.isEmpty())
        row = int(qBound(qsizetype(0), qsizetype(qMax(previousRow, 0)), m_entries.size() - 1));
    m_row = row;
    emit listChanged();
    emit currentRowChanged(-1, m_row);
    emit stateChanged();
}

void RecordingHistory::selectRow(int row) {
    if (row < 0 || row >= m_entries.size() || !gridEnabled())
        return;
    setRow(row);
}

void RecordingHistory::setRow(int row) {
    const int previous = std::exchange(m_row, row);
    if (previous != row)
        emit currentRowChanged(previous, row);
}

QString RecordingHistory::GetSelectedRecordingPath(int row) const {
    return m_entries.value(row).path;
}

void RecordingHistory::Command2_Click() {
    if (m_playing) {
        // The device reports the end of the play command; the notice finishes.
        mci(QStringLiteral("stop rp"));
        return;
    }
    const QString path = GetSelectedRecordingPath(m_row);
    if (!m_status.idle() || path.isEmpty())
        return;
    mci(QStringLiteral("close rp"));
    if (mci(QStringLiteral("open \"") + path + QStringLiteral("\" alias rp type waveaudio")) != 0)
        return;
    if (mci(QStringLiteral("play rp notify")) != 0) {
        mci(QStringLiteral("close rp"));
        return;
    }
    m_playing = true;
    m_status.setState(RecordingStatus::State::Playing);
    emit stateChanged();
}

void RecordingHistory::MCINOTIFYHandler() {
    if (m_playing)
        endPlayback();
}

void RecordingHistory::stopPlayback() {
    if (m_playing)
        endPlayback();
}

void RecordingHistory::endPlayback() {
    mci(QStringLiteral("close rp"));
    m_playing = false;
    m_status.setState(RecordingStatus::State::Idle);
    emit stateChanged();
}

void RecordingHistory::Command3_Click() {
    const QString path = GetSelectedRecordingPath(m_row);
    if (m_playing || path.isEmpty())
        return;
    if (m_services.prompts.confirm(QStringLiteral("Delete File [") + path + u']',
                                   QStringLiteral("Delete File")) &&
        !QFile::remove(path) && QFileInfo::exists(path)) {
        m_services.prompts.message(QStringLiteral("The file could not be deleted [") + path + u']',
                                   QStringLiteral("Delete File"));
    }
    UpdateRecordingList();
}
