#pragma once

#include <QString>
#include <QStringList>

class Mixer;
struct MixerDevice;

// MixerLib: the mixer layer over a Mixer backend (PulseAudio sources, or virtual).
// The sound card's recording-source selector and microphone mute, as the
// recording features use them. On this platform a mixer device is a sound server, the
// selector's items are the server's sources and the selected item is its default source.
// Every call reads the live state through the Mixer backend; nothing is kept between calls.
// Failures give a count of 0, the empty text or false, never an exception.
class MixerLib {
public:
    explicit MixerLib(Mixer& mixer) : m_mixer(mixer) {}

    // Fills names with one entry per device, in index order; returns their count.
    qint16 GetMixerDevices(QStringList& names);
    // Fills names with the selector's item texts and reports the selector's id and item
    // count; returns the text of the selected item, or the empty text when none is selected
    // or the device is missing (then id and count are 0 and names empty).
    QString GetRecordingSources(int deviceIndex, QStringList& names, qint32& controlId,
                                qint32& itemCount);
    // Selects exactly the item at index. Fails when the device's sources are no longer the
    // ones that controlId and itemCount describe, so a stale index never picks another source.
    bool SelectRecordingSource(qint32 controlId, qint32 itemCount, int index, int deviceIndex);
    // The microphone's line in the playback mix. Value 0 makes it audible there: a loopback
    // plays the first source that is not a monitor into the default sink, so a recording of
    // the mix holds the user's voice. Any other value removes the loopback this program
    // loaded. The source's own mute is never changed, so the host always hears the user.
    // Failures are ignored.
    void SetMicrophoneMute(int deviceIndex, int value);
    // 0 while the microphone is audible in the mix, 1 otherwise.
    int GetMicrophoneMute(int deviceIndex);

    // One text per source: its description, or its name when it has none. A description that
    // several sources share gets the source's name appended, so every item text is unique and
    // a stored choice finds its own source again.
    static QStringList itemTexts(const MixerDevice& device);
    // Identifies a device's selector together with its list of sources; never 0.
    static qint32 selectorId(const MixerDevice& device);

private:
    bool readDevice(int deviceIndex, MixerDevice& device);

    Mixer& m_mixer;
};
