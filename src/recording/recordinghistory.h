#pragma once

#include "recordinglengths.h"

#include <QList>
#include <QObject>
#include <QString>

class MCILib;
class RecordingStatus;
struct Services;

// One listed call recording, newest first in the history.
struct RecordingEntry {
    QString fileName;
    QString path; // the file itself: Play and Del act on it, never on a name rebuilt from texts
    QString time; // "yyyy/mm/dd hh:mm.ss"
    QString caller;
    qint64 seconds = 0; // playing time, rounded half to even
};

// The logic of the history half of RecordingForm: the list of the recordings folder, the
// selected row, and playback of a recording through the sound device "rp". The window shows
// this state in RecordingFlexGrid and its three buttons.
class RecordingHistory : public QObject {
    Q_OBJECT
public:
    RecordingHistory(Services& services, MCILib& mci, RecordingStatus& status,
                     QObject* parent = nullptr);

    // Rebuilds the list from the folder. The selection stays on its file, or on its row when
    // the file is gone, or on the last row.
    void UpdateRecordingList();
    const QList<RecordingEntry>& entries() const { return m_entries; }
    // The selected row (0 is the newest recording), -1 when the list is empty.
    int currentRow() const { return m_row; }
    void selectRow(int row);
    // The file of a listed row; empty text for a row that does not exist.
    QString GetSelectedRecordingPath(int row) const;

    bool playing() const { return m_playing; }
    bool playEnabled() const { return !m_entries.isEmpty(); }
    bool deleteEnabled() const { return !m_entries.isEmpty() && !m_playing; }
    bool closeEnabled() const { return !m_playing; }
    bool gridEnabled() const { return !m_playing; }

    // Command2: plays the selected recording, or stops the playback. Nothing happens while a
    // call is being recorded.
    void Command2_Click();
    // Command3: deletes the selected recording after the user confirmed, then lists again.
    void Command3_Click();
    // The playback's completion notice (end of file or stopped).
    void MCINOTIFYHandler();
    // Ends a playback at once: the recorder needs the sound device for a call.
    void stopPlayback();

    const RecordingLengths& lengths() const { return m_lengths; }

signals:
    void listChanged();
    void currentRowChanged(int previous, int current);
    // Playing, or the enabled state of the controls, changed.
    void stateChanged();

private:
    int mci(const QString& command);
    void endPlayback();
    void setRow(int row);

    Services& m_services;
    MCILib& m_mci;
    RecordingStatus& m_status;
    RecordingLengths m_lengths;
    QList<RecordingEntry> m_entries;
    int m_row = -1;
    bool m_playing = false;
};
