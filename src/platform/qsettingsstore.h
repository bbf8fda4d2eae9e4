#pragma once

#include "settingsstore.h"

#include <QSettings>

// The real store: QSettings in its native format, organisation and application "Quenlark",
// so the file is ~/.config/Quenlark/Quenlark.conf (under XDG_CONFIG_HOME when set).
class QSettingsStore final : public SettingsStore {
public:
    QSettingsStore();
    QString read(const QString& section, const QString& key) const override;
    void write(const QString& section, const QString& key, const QString& value) override;
    void remove(const QString& section, const QString& key) override;
    void beginBatch() override;
    void endBatch() override;
    QString fileName() const { return m_settings.fileName(); }

private:
    mutable QSettings m_settings;
    int m_batchDepth = 0;
};
