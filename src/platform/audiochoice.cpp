#include "audiochoice.h"

#include "mixerpulse.h"
#include "mixervirtual.h"
#include "soundpulse.h"

#include <QStandardPaths>

AudioChoice AudioChoice::fromEnvironment(const QString& tempFolder) {
    AudioChoice choice;
    choice.useVirtual = qEnvironmentVariable("QUENLARK_AUDIO") == QLatin1String("virtual");
    choice.recordingTemp = qEnvironmentVariable("QUENLARK_RECORDING_TEMP");
    if (choice.recordingTemp.isEmpty())
        choice.recordingTemp = tempFolder;
    // The cache folder sits in the user's home like the documents folder, so a save is
    // usually a rename.
    if (choice.recordingTemp.isEmpty())
        choice.recordingTemp = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                               QStringLiteral("/unsaved-recordings");
    bool ok = false;
    const double scale = qEnvironmentVariable("QUENLARK_VIRTUAL_AUDIO_SCALE").toDouble(&ok);
    if (ok && scale >= 0)
        choice.virtualSound.scale = scale;
    choice.virtualSound.deviceMissing =
        qEnvironmentVariable("QUENLARK_VIRTUAL_AUDIO_DEVICE") == QLatin1String("none");
    choice.virtualSound.recordSource = qEnvironmentVariable("QUENLARK_VIRTUAL_RECORD_SOURCE");
    return choice;
}

std::unique_ptr<SoundBackend> AudioChoice::createSound() const {
    if (useVirtual)
        return std::make_unique<VirtualSoundBackend>(recordingTemp, virtualSound);
    return std::make_unique<PulseSoundBackend>(recordingTemp);
}

std::unique_ptr<Mixer> AudioChoice::createMixer() const {
    if (useVirtual)
        return std::make_unique<VirtualMixer>();
    return std::make_unique<PulseMixer>();
}
