#pragma once

#include <QList>
#include <QString>

#include <memory>

// One recording source of a sound server.
struct MixerSource {
    QString name;        // the server's own name, e.g. "alsa_input.pci-0000_00_1b.0.analog-stereo"
    QString description; // what the user reads, e.g. "Built-in Audio Analog Stereo"
    bool isMonitor = false; // records what a sink plays rather than a microphone or line in
    bool muted = false;
};

// One mixer device: a sound server with its sources, in the server's own order.
struct MixerDevice {
    QString name;
    QString defaultSource; // name of the source new recordings use
    QList<MixerSource> sources;
};

// The system's audio controls as the mixer layer sees them. Every call reads or writes the
// live state and keeps no connection open between calls; a server that does not answer within
// a short time-out counts as absent, so no call blocks for long and none throws.
class Mixer {
public:
    virtual ~Mixer() = default;
    // Every reachable device in index order; empty when there is none.
    virtual QList<MixerDevice> readDevices() = 0;
    // True when the device accepted the write.
    virtual bool setDefaultSource(int device, const QString& sourceName) = 0;
    // A loopback that plays the source into the default sink, so the source is heard in the
    // mix and reaches a recording of the sink's monitor. True when it is loaded (also when it
    // already was). A source's own mute is never touched.
    virtual bool loadLoopback(int device, const QString& sourceName) = 0;
    // Removes the loopback this object loaded, and only that one; true when none is left.
    virtual bool unloadLoopback(int device) = 0;
    virtual bool loopbackLoaded(int device) = 0;
};
