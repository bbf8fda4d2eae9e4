#pragma once

#include "mixer.h"

#include <chrono>

// The mixer over PulseAudio (or PipeWire's PulseAudio service): the sound server found through
// the environment (PULSE_SERVER, XDG_RUNTIME_DIR) is device 0, named after the server and its
// host. Each call opens its own connection on a private main loop, iterates it against a
// deadline and closes it, so a missing or hung server costs at most the time-out.
class PulseMixer final : public Mixer {
public:
    explicit PulseMixer(std::chrono::milliseconds timeout = std::chrono::milliseconds(1500))
        : m_timeout(timeout) {}
    // Removes the loopback: it would outlive the program on the server.
    ~PulseMixer() override;
    PulseMixer(const PulseMixer&) = delete;
    PulseMixer& operator=(const PulseMixer&) = delete;

    QList<MixerDevice> readDevices() override;
    bool setDefaultSource(int device, const QString& sourceName) override;
    // module-loopback with a low latency, tagged as the program's own.
    bool loadLoopback(int device, const QString& sourceName) override;
    bool unloadLoopback(int device) override;
    bool loopbackLoaded(int device) override;

private:
    static constexpr quint32 kNoModule = 0xFFFFFFFFu; // PA_INVALID_INDEX
    std::chrono::milliseconds m_timeout;
    quint32 m_loopback = kNoModule; // index of the module this object loaded
};
