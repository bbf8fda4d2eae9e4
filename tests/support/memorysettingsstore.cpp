#include "memorysettingsstore.h"

#include <QStringList>

namespace {
QString path(const QString& section, const QString& key) {
    return section + u'/' + key;
}
} // namespace

QString MemorySettingsStore::read(const QString& section, const QString& key) const {
    return m_values.value(path(section, key));
}

void MemorySettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_values.insert(path(section, key), value);
    ++m_writes;
    changed();
}

void MemorySettingsStore::changed() {
    if (m_batchDepth > 0)
        m_batchChanged = true;
    else
        ++m_fileWrites;
}

void MemorySettingsStore::endBatch() {
    if (m_batchDepth > 0 && --m_batchDepth == 0 && m_batchChanged) {
        m_batchChanged = false;
        ++m_fileWrites;
    }
}

void MemorySettingsStore::remove(const QString& section, const QString& key) {
    if (m_values.remove(path(section, key)) == 0)
        ++m_strayDeletes;
    else
        changed();
}

bool MemorySettingsStore::contains(const QString& section, const QString& key) const {
    return m_values.contains(path(section, key));
}

QStringList MemorySettingsStore::keys(const QString& section) const {
    QStringList result;
    const QString prefix = section + u'/';
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        if (it.key().startsWith(prefix))
            result << it.key().mid(prefix.size());
    }
    return result;
}
