#pragma once

#include "sound.h"

// Sound without a sound server, for tests. A playback lasts the file's playing time times
// QUENLARK_VIRTUAL_AUDIO_SCALE (default 1.0; 0 ends at the next turn of the event loop). A
// recording holds silence for the time it ran, or, when QUENLARK_VIRTUAL_RECORD_SOURCE names
// a WAV, that file's sound (as if the caller had said exactly that). With
// QUENLARK_VIRTUAL_AUDIO_DEVICE=none every play and record fails as without a sound card.
class VirtualSoundBackend final : public SoundBackend {
public:
    explicit VirtualSoundBackend(QString tempFolder);
    std::unique_ptr<SoundStream> openPlayback(const QString& path, int& status) override;
    std::unique_ptr<SoundStream> openRecording(int& status) override;

private:
    QString m_tempFolder;
    double m_scale = 1.0;
    bool m_deviceMissing = false;
    QString m_recordSource;
};
