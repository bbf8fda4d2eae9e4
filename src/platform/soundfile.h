#pragma once

#include <QString>

#include <sndfile.h>

#include <atomic>

// Thin libsndfile helpers shared by the sound backends.
namespace SoundFile {
inline constexpr int RecordRate = 16000;
inline constexpr int RecordChannels = 1;

// Playing time in milliseconds; -1 when libsndfile cannot read the file.
qint64 lengthMs(const QString& path);
// Opens a file for reading; status is 0, FileNotFound or InvalidFile.
SNDFILE* openForReading(const QString& path, SF_INFO& info, int& status);
// Moves a finished file to target: a rename within one file system, else a copy to a
// neighbour of target that is renamed into place. 0 or FileNotSaved; from stays on failure.
int moveInto(const QString& from, const QString& target);
} // namespace SoundFile

// A 16-bit mono 16 kHz WAV written as it is captured. The header is rewritten after every
// write, so the file on disk is always playable, even after a crash.
class WavRecordFile {
public:
    explicit WavRecordFile(QString folder) : m_folder(std::move(folder)) {}
    ~WavRecordFile();
    WavRecordFile(const WavRecordFile&) = delete;
    WavRecordFile& operator=(const WavRecordFile&) = delete;

    // Creates the temporary file, or reopens a closed one to append to it.
    bool open();
    bool isOpen() const { return m_file != nullptr; }
    // False when the disk refused the samples.
    bool write(const qint16* samples, qint64 frames);
    bool writeSilence(qint64 frames);
    qint64 frames() const { return m_frames; }
    // Finalises the header and moves the file to target; on success the next open() starts a
    // new, empty recording.
    int saveTo(const QString& target);
    // Deletes the temporary file.
    void discard();
    // Closes the temporary file and leaves it on disk for good.
    void keep();
    QString path() const { return m_path; }

private:
    void close();

    QString m_folder;
    QString m_path;
    SNDFILE* m_file = nullptr;
    std::atomic<qint64> m_frames = 0;
};
