#pragma once

#include "platform/settingsstore.h"

#include <QMap>

// Test backend: keeps the store in memory and counts deletes of keys that do not exist,
// which the real store treats as an error.
class MemorySettingsStore final : public SettingsStore {
public:
    QString read(const QString& section, const QString& key) const override;
    void write(const QString& section, const QString& key, const QString& value) override;
    void remove(const QString& section, const QString& key) override;

    bool contains(const QString& section, const QString& key) const;
    QStringList keys(const QString& section) const;
    int strayDeletes() const { return m_strayDeletes; }
    int writes() const { return m_writes; }

private:
    QMap<QString, QString> m_values; // "section/key" -> value
    int m_strayDeletes = 0;
    int m_writes = 0;
};
