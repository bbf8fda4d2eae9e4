#pragma once

#include "settingsstore.h"

#include <QHash>
#include <QSettings>

#include <optional>

// The real store: QSettings in its native format, organisation and application "Quenlark",
// so the file is ~/.config/Quenlark/Quenlark.conf (under XDG_CONFIG_HOME when set).
// A file that cannot be read or is damaged (a line that is no section, key or comment, text
// that is not UTF-8) is never written: the program runs on its defaults. A read-only file
// is read but not written. In both cases changes last for the run, and problem() says why.
class QSettingsStore final : public SettingsStore {
public:
    QSettingsStore();
    // Empty while the file is used as usual; else one line for the user.
    QString problem() const { return m_problem; }
    QString read(const QString& section, const QString& key) const override;
    void write(const QString& section, const QString& key, const QString& value) override;
    void remove(const QString& section, const QString& key) override;
    void beginBatch() override;
    void endBatch() override;
    QString fileName() const { return m_settings.fileName(); }

private:
    enum class Mode { Normal, ReadOnly, Defaults };
    mutable QSettings m_settings;
    Mode m_mode = Mode::Normal;
    QString m_problem;
    // What the run changed while the file is not written (nullopt: removed).
    QHash<QString, std::optional<QString>> m_changes;
    int m_batchDepth = 0;
};
