#pragma once

#include "mixerconfig.h"

#include <QWidget>

struct Services;
class QComboBox;

// "MixerConfig": the recording source to use while the program records. Combo1 lists the
// mixer devices, Combo2 the recording sources of the first device that has one selected;
// "Back" stores both choices. The recording features switch the source with
// SaveCurrentSetting and SetMixerConfig. The window loads (captures and fills its lists) when
// it is constructed and keeps that state for the run.
class MixerConfigForm : public QWidget {
    Q_OBJECT
public:
    MixerConfigForm(Services& services, MixerConfig& config, QWidget* parent = nullptr);

    void SaveCurrentSetting() { m_config.SaveCurrentSetting(); }
    // True selects the source chosen in Combo2, false the one SaveCurrentSetting saved.
    void SetMixerConfig(bool flag) { m_config.SetMixerConfig(flag); }
    // "Back": stores the two choices and hides the window.
    void Command1_Click();

    // For recording features that live in the core library.
    MixerConfig& config() { return m_config; }
    QComboBox* deviceCombo() const { return m_combo1; }
    QComboBox* sourceCombo() const { return m_combo2; }

private:
    void Form_Load();
    void buildLayout();

    Services& m_services;
    MixerConfig& m_config;
    QComboBox* m_combo1;
    QComboBox* m_combo2;
};
