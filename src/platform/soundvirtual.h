#pragma once

#include "sound.h"

// How the virtual backend behaves (AudioChoice sets these from the environment).
struct VirtualSoundOptions {
    // A playback lasts the file's playing time times scale (0 ends at the next turn of the
    // event loop).
    double scale = 1.0;
    // Every play and record fails as without a sound card.
    bool deviceMissing = false;
    // A WAV whose sound every recording holds (as if the caller had said exactly that); empty:
    // silence for the time the recording ran.
    QString recordSource;
};

// Sound without a sound server, for tests and demos.
class VirtualSoundBackend final : public SoundBackend {
public:
    explicit VirtualSoundBackend(QString tempFolder, VirtualSoundOptions options = {});
    std::unique_ptr<SoundStream> openPlayback(const QString& path, int& status) override;
    std::unique_ptr<SoundStream> openRecording(int& status) override;

private:
    QString m_tempFolder;
    double m_scale;
    bool m_deviceMissing;
    QString m_recordSource;
};
