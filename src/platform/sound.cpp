#include "sound.h"

#include "soundpulse.h"
#include "soundvirtual.h"

#include <QStandardPaths>

std::unique_ptr<SoundBackend> createSoundBackend(const QString& tempFolder) {
    if (qEnvironmentVariable("QUENLARK_AUDIO") == QLatin1String("virtual"))
        return std::make_unique<VirtualSoundBackend>(tempFolder);
    return std::make_unique<PulseSoundBackend>(tempFolder);
}

QString defaultRecordingTempFolder() {
    const QString configured = qEnvironmentVariable("QUENLARK_RECORDING_TEMP");
    if (!configured.isEmpty())
        return configured;
    // The cache folder sits in the user's home like the documents folder, so a save is
    // usually a rename.
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/unsaved-recordings");
}
