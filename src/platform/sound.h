#pragma once

#include <QObject>
#include <QString>

#include <memory>

// MCI error numbers (mmsystem.h) that the sound backends report; 0 is success. The command
// layer passes them on unchanged as its status codes.
namespace MciError {
inline constexpr int None = 0;
inline constexpr int UnrecognizedKeyword = 259;
inline constexpr int UnrecognizedCommand = 261;
inline constexpr int Hardware = 262; // no sound server, or it went away
inline constexpr int InvalidDeviceName = 263;
inline constexpr int MissingDeviceName = 292;
inline constexpr int UnsupportedFunction = 274;
inline constexpr int FileNotFound = 275;
inline constexpr int FileNotSaved = 286;
inline constexpr int DuplicateAlias = 289;
inline constexpr int NoClosingQuote = 294;
inline constexpr int InvalidFile = 296;
inline constexpr int NewRequiresAlias = 299;
inline constexpr int FilenameRequired = 304;
} // namespace MciError

// One open sound device: a file to play or a new recording. Lives on the GUI thread; the
// backend moves samples on a thread of its own and never touches the device's state from it.
class SoundStream : public QObject {
    Q_OBJECT
public:
    // Starts playing from the current position (from the beginning once the end was reached),
    // or resumes capturing at the end of what is recorded. 0 or an MciError.
    virtual int start() = 0;
    // Stops at once and keeps the position and every captured sample. Never fails.
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;
    virtual bool isRecording() const = 0;
    // Length of the file, or of what has been captured so far, in milliseconds.
    virtual qint64 lengthMs() const = 0;
    // Recordings only: stops, finalises the WAV and puts it at path. The captured sound stays
    // available for another save when this one fails.
    virtual int save(const QString& path) {
        Q_UNUSED(path);
        return MciError::UnsupportedFunction;
    }
    // Recordings only: the temporary file that holds the capture until it is saved, so a
    // feature can find it again after a crash. Empty before the first start.
    virtual QString capturePath() const { return {}; }
    // Recordings only, at program end: stops and leaves an unsaved capture on disk instead of
    // deleting it, so a recording whose saves failed is found again at the next start.
    virtual void keepCapture() {}

signals:
    // A playback reached its end (failed = false), or the stream broke (server gone, disk
    // full: failed = true). Delivered on the GUI thread, at most once per start().
    void ended(bool failed);
};

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Opens a sound file for playback; nothing is sent to the sound server yet.
    virtual std::unique_ptr<SoundStream> openPlayback(const QString& path, int& status) = 0;
    // A new, empty recording (16-bit PCM, mono, 16 kHz) kept in a temporary file.
    virtual std::unique_ptr<SoundStream> openRecording(int& status) = 0;
};
