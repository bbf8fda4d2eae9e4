#include "mixer.h"

#include "mixerpulse.h"
#include "mixervirtual.h"

std::unique_ptr<Mixer> createMixer() {
    if (qEnvironmentVariable("QUENLARK_AUDIO") == QLatin1String("virtual"))
        return std::make_unique<VirtualMixer>();
    return std::make_unique<PulseMixer>();
}
