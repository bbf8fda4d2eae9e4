#pragma once

#include "platform/settingsstore.h"

#include <QStringList>

class MixerLib;

// Section "MixerConfig", owned by MixerConfig: the texts of the chosen device and recording
// source (texts, not indexes, so a list that changes order keeps the choice).
namespace MixerConfigKeys {
inline constexpr SettingKey Device{"MixerConfig", "Device", ""};
inline constexpr SettingKey Control{"MixerConfig", "Control", ""};
inline constexpr SettingKey all[] = {Device, Control};
} // namespace MixerConfigKeys

// The logic of the mixer configuration window: captures the sound card's recording-source
// state and switches the source for the length of a recording and back. The recording
// features call SaveCurrentSetting, SetMixerConfig(true), record, SetMixerConfig(false).
class MixerConfig {
public:
    MixerConfig(SettingsStore& settings, MixerLib& mixer) : m_settings(settings), m_mixer(mixer) {}

    // Captures the devices and the first device that reports a selected recording source,
    // with its sources and the index of the selected one.
    void SaveCurrentSetting();
    // True selects the chosen source on the found device; false selects again the source that
    // was selected when SaveCurrentSetting last ran. Failures are quiet.
    void SetMixerConfig(bool flag);

    // Captures the current setting and chooses the stored source among the found device's
    // sources (the first one when the stored text is not among them), as the window's load
    // does: the answering source is known whether or not the window was ever loaded.
    void loadChoice();
    // The sources the window lists: those of the found device only.
    QStringList listedSources() const { return m_foundDevice >= 0 ? m_sourceNames : QStringList(); }
    // The source to record from while answering: an item text of the selector.
    void setChosenSource(const QString& text) { m_chosenSource = text; }
    const QString& chosenSource() const { return m_chosenSource; }

    // The index of the first item equal to the stored text; 0 when none is (-1 for no items).
    static int choiceIndex(const QStringList& items, const QString& storedText);
    QString storedDevice() const { return readSetting(m_settings, MixerConfigKeys::Device); }
    QString storedControl() const { return readSetting(m_settings, MixerConfigKeys::Control); }
    // Replaces both stored choices.
    void storeChoices(const QString& device, const QString& control);

    const QStringList& deviceNames() const { return m_deviceNames; }
    qint16 deviceCount() const { return m_deviceCount; }
    int foundDeviceIndex() const { return m_foundDevice; }
    const QStringList& sourceNames() const { return m_sourceNames; }
    qint32 selectorControlId() const { return m_controlId; }
    qint32 selectorItemCount() const { return m_itemCount; }
    qint16 savedSourceIndex() const { return m_savedSource; }

private:
    SettingsStore& m_settings;
    MixerLib& m_mixer;
    QStringList m_deviceNames;
    qint16 m_deviceCount = -1;
    int m_foundDevice = -1;
    QStringList m_sourceNames;
    qint32 m_controlId = 0;
    qint32 m_itemCount = 0;
    qint16 m_savedSource = -1;
    QString m_chosenSource;
};
