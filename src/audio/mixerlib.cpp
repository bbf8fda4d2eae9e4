#include "mixerlib.h"

#include "platform/mixer.h"

#include <QHash>

qint16 MixerLib::GetMixerDevices(QStringList& names) {
    names.clear();
    for (const MixerDevice& device : m_mixer.readDevices())
        names.append(device.name);
    return qint16(names.size());
}

bool MixerLib::readDevice(int deviceIndex, MixerDevice& device) {
    const QList<MixerDevice> devices = m_mixer.readDevices();
    if (deviceIndex < 0 || deviceIndex >= devices.size())
        return false;
    device = devices.at(deviceIndex);
    return true;
}

QString MixerLib::GetRecordingSources(int deviceIndex, QStringList& names, qint32& controlId,
                                      qint32& itemCount) {
    names.clear();
    controlId = 0;
    itemCount = 0;
    MixerDevice device;
    if (!readDevice(deviceIndex, device) || device.sources.isEmpty())
        return QString();
    names = itemTexts(device);
    controlId = selectorId(device);
    itemCount = qint32(names.size());
    QString selected;
    for (qsizetype i = 0; i < device.sources.size(); ++i) {
        if (device.sources.at(i).name == device.defaultSource)
            selected = names.at(i);
    }
    return selected;
}

bool MixerLib::SelectRecordingSource(qint32 controlId, qint32 itemCount, int index,
                                     int deviceIndex) {
    MixerDevice device;
    if (!readDevice(deviceIndex, device) || device.sources.isEmpty())
        return false;
    if (selectorId(device) != controlId || device.sources.size() != itemCount)
        return false;
    // A sound server always has a default source, so "none selected" cannot be written.
    if (index < 0 || index >= itemCount)
        return false;
    return m_mixer.setDefaultSource(deviceIndex, device.sources.at(index).name);
}

void MixerLib::SetMicrophoneMute(int deviceIndex, int value) {
    if (value != 0) {
        m_mixer.unloadLoopback(deviceIndex);
        return;
    }
    MixerDevice device;
    if (!readDevice(deviceIndex, device))
        return;
    for (const MixerSource& source : device.sources) {
        if (!source.isMonitor) {
            m_mixer.loadLoopback(deviceIndex, source.name);
            return;
        }
    }
}

int MixerLib::GetMicrophoneMute(int deviceIndex) {
    return m_mixer.loopbackLoaded(deviceIndex) ? 0 : 1;
}

QStringList MixerLib::itemTexts(const MixerDevice& device) {
    QStringList texts;
    QHash<QString, int> uses;
    for (const MixerSource& source : device.sources) {
        texts.append(source.description.isEmpty() ? source.name : source.description);
        ++uses[texts.last()];
    }
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (uses.value(texts.at(i)) > 1)
            texts[i] += QStringLiteral(" (") + device.sources.at(i).name + QLatin1Char(')');
    }
    return texts;
}

qint32 MixerLib::selectorId(const MixerDevice& device) {
    // FNV-1a over the source names: the same sources in the same order give the same id.
    quint32 hash = 2166136261u;
    for (const MixerSource& source : device.sources) {
        for (const char byte : source.name.toUtf8() + '\n') {
            hash ^= quint8(byte);
            hash *= 16777619u;
        }
    }
    return hash == 0 ? 1 : qint32(hash);
}
