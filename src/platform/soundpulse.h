#pragma once

#include "sound.h"

#include <pulse/context.h>
#include <pulse/thread-mainloop.h>

#include <memory>

// One connection to the PulseAudio server on libpulse's threaded main loop. Samples move on
// that loop's thread only; the GUI thread takes the loop's lock for every libpulse call.
class PulseConnection {
public:
    PulseConnection();
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // Connects, or reconnects after the server went away. Gives up after a short time-out so
    // that a missing or hung server never freezes the GUI. Call without holding the lock.
    bool ensureReady();
    // Valid while the lock is held and after ensureReady() said true.
    pa_context* context() const { return m_context; }
    pa_threaded_mainloop* loop() const { return m_loop; }

private:
    void dropContext();

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
};

// Holds the main loop's lock for one scope.
class PulseLock {
public:
    explicit PulseLock(const PulseConnection& pulse) : m_loop(pulse.loop()) {
        pa_threaded_mainloop_lock(m_loop);
    }
    ~PulseLock() { pa_threaded_mainloop_unlock(m_loop); }
    PulseLock(const PulseLock&) = delete;
    PulseLock& operator=(const PulseLock&) = delete;

private:
    pa_threaded_mainloop* m_loop;
};

// Plays any file libsndfile reads at its own rate on the default sink; records 16-bit mono
// 16 kHz from the default source into a temporary WAV as the samples arrive.
class PulseSoundBackend final : public SoundBackend {
public:
    explicit PulseSoundBackend(QString tempFolder);
    std::unique_ptr<SoundStream> openPlayback(const QString& path, int& status) override;
    std::unique_ptr<SoundStream> openRecording(int& status) override;

private:
    std::shared_ptr<PulseConnection> m_pulse;
    QString m_tempFolder;
};
