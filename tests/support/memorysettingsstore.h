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
    void beginBatch() override { ++m_batchDepth; }
    void endBatch() override;

    bool contains(const QString& section, const QString& key) const;
    QStringList keys(const QString& section) const;
    int strayDeletes() const { return m_strayDeletes; }
    int writes() const { return m_writes; }
    // How often the real store would have written its file: once per change outside a batch,
    // once per outermost batch that changed something.
    int fileWrites() const { return m_fileWrites; }

private:
    QMap<QString, QString> m_values; // "section/key" -> value
    void changed();

    int m_strayDeletes = 0;
    int m_batchDepth = 0;
    bool m_batchChanged = false;
    int m_fileWrites = 0;
    int m_writes = 0;
};
