#pragma once

#include "app/session.h"
#include "memorysecretstore.h"
#include "platform/audiochoice.h"
#include "platform/mixer.h"
#include "platform/sound.h"

// The session's backends for tests: the given transport, the virtual sound backend with the
// options the test's environment sets (unsaved recordings in tempFolder), the in-memory
// mixer, a real SMTP socket and secrets kept in memory.
inline SessionBackends testBackends(HostTransport& transport, const QString& tempFolder) {
    AudioChoice audio = AudioChoice::fromEnvironment(tempFolder);
    audio.useVirtual = true;
    return SessionBackends{transport, audio.createSound(), audio.createMixer(), nullptr,
                           std::make_unique<MemorySecretStore>()};
}
