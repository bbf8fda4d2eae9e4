#include "mixerconfig.h"

#include "mixerlib.h"

void MixerConfig::SaveCurrentSetting() {
    m_foundDevice = -1;
    m_deviceCount = -1;
    m_savedSource = -1;
    m_deviceNames.clear();
    m_sourceNames.clear();
    m_controlId = 0;
    m_itemCount = 0;
    m_deviceCount = m_mixer.GetMixerDevices(m_deviceNames);
    for (int i = 0; i < m_deviceCount; ++i) {
        const QString selected =
            m_mixer.GetRecordingSources(i, m_sourceNames, m_controlId, m_itemCount);
        if (selected.isEmpty())
            continue;
        m_savedSource = qint16(m_sourceNames.lastIndexOf(selected));
        m_foundDevice = i;
        return;
    }
}

void MixerConfig::SetMixerConfig(bool flag) {
    if (m_foundDevice < 0)
        return;
    // The chosen source is looked up by its text in the latest capture: the window's list
    // shows the sources of its first load, and an index into that list could name another
    // source once the server's sources have changed.
    const int index = flag ? int(m_sourceNames.indexOf(m_chosenSource)) : m_savedSource;
    if (index < 0)
        return;
    m_mixer.SelectRecordingSource(m_controlId, m_itemCount, index, m_foundDevice);
}

void MixerConfig::loadChoice() {
    SaveCurrentSetting();
    const QStringList sources = listedSources();
    m_chosenSource = sources.value(choiceIndex(sources, storedControl()));
}

int MixerConfig::choiceIndex(const QStringList& items, const QString& storedText) {
    if (items.isEmpty())
        return -1;
    const qsizetype index = items.indexOf(storedText);
    return index < 0 ? 0 : int(index);
}

void MixerConfig::storeChoices(const QString& device, const QString& control) {
    deleteIfPresent(m_settings, MixerConfigKeys::Device);
    deleteIfPresent(m_settings, MixerConfigKeys::Control);
    writeSetting(m_settings, MixerConfigKeys::Device, device);
    writeSetting(m_settings, MixerConfigKeys::Control, control);
}
