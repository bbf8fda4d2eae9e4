#pragma once

#include "mixer.h"

// A mixer in memory for tests and machines without a sound server. It starts with one device
// shaped like the test sound server: a monitor of the speakers and a microphone, the
// microphone being the default source. Tests edit `devices` directly.
class VirtualMixer final : public Mixer {
public:
    VirtualMixer();

    QList<MixerDevice> readDevices() override { return devices; }
    bool setDefaultSource(int device, const QString& sourceName) override;
    bool loadLoopback(int device, const QString& sourceName) override;
    bool unloadLoopback(int device) override;
    bool loopbackLoaded(int device) override { return device == 0 && !loopbackSource.isEmpty(); }

    QList<MixerDevice> devices;
    QString loopbackSource;  // the source the loopback plays into the speakers; empty: none
    bool failWrites = false; // makes every write report failure and change nothing
    int writes = 0;          // accepted writes

private:
    MixerSource* findSource(int device, const QString& sourceName);
};
