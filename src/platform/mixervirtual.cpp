#include "mixervirtual.h"

VirtualMixer::VirtualMixer() {
    MixerDevice device;
    device.name = QStringLiteral("virtual on localhost");
    device.sources = {
        {QStringLiteral("spk.monitor"), QStringLiteral("Monitor of Speakers"), true, false},
        {QStringLiteral("mic"), QStringLiteral("Microphone"), false, false},
    };
    device.defaultSource = QStringLiteral("mic");
    devices.append(device);
}

MixerSource* VirtualMixer::findSource(int device, const QString& sourceName) {
    if (failWrites || device < 0 || device >= devices.size())
        return nullptr;
    for (MixerSource& source : devices[device].sources) {
        if (source.name == sourceName)
            return &source;
    }
    return nullptr;
}

bool VirtualMixer::setDefaultSource(int device, const QString& sourceName) {
    if (!findSource(device, sourceName))
        return false;
    devices[device].defaultSource = sourceName;
    ++writes;
    return true;
}

bool VirtualMixer::loadLoopback(int device, const QString& sourceName) {
    if (loopbackLoaded(device))
        return true;
    if (device != 0 || !findSource(device, sourceName))
        return false;
    loopbackSource = sourceName;
    ++writes;
    return true;
}

bool VirtualMixer::unloadLoopback(int device) {
    if (failWrites || device != 0)
        return false;
    if (!loopbackSource.isEmpty())
        ++writes;
    loopbackSource.clear();
    return true;
}
