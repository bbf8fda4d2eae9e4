#pragma once

#include "soundvirtual.h"

#include <QString>

#include <memory>

class Mixer;
class SoundBackend;

// Which sound server the program uses, chosen once by main() (and by tests) and handed to the
// session: PulseAudio, or the virtual backend and in-memory mixer that need no server.
struct AudioChoice {
    bool useVirtual = false;
    // Where unsaved recordings wait until they are saved (created when missing).
    QString recordingTemp;
    VirtualSoundOptions virtualSound;

    // The one place that reads the environment: QUENLARK_AUDIO=virtual picks the virtual
    // backend; QUENLARK_RECORDING_TEMP moves the unsaved recordings (else tempFolder, else the
    // user's cache folder); QUENLARK_VIRTUAL_AUDIO_SCALE, QUENLARK_VIRTUAL_RECORD_SOURCE and
    // QUENLARK_VIRTUAL_AUDIO_DEVICE=none set the virtual backend's options.
    static AudioChoice fromEnvironment(const QString& tempFolder = {});

    std::unique_ptr<SoundBackend> createSound() const;
    std::unique_ptr<Mixer> createMixer() const;
};
