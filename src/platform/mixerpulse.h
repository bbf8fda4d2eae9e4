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

    QList<MixerDevice> readDevices() override;
    bool setDefaultSource(int device, const QString& sourceName) override;
    bool setSourceMute(int device, const QString& sourceName, bool muted) override;

private:
    std::chrono::milliseconds m_timeout;
};
