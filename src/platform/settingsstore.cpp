#include "settingsstore.h"

QString readSetting(const SettingsStore& store, const SettingKey& key) {
    const QString value = store.read(QString::fromUtf8(key.section), QString::fromUtf8(key.key));
    return value.isEmpty() ? QString::fromUtf8(key.defaultValue) : value;
}

int readIntSetting(const SettingsStore& store, const SettingKey& key) {
    bool ok = false;
    const int value = readSetting(store, key).trimmed().toInt(&ok);
    return ok ? value : QString::fromUtf8(key.defaultValue).toInt();
}

void writeSetting(SettingsStore& store, const SettingKey& key, const QString& value) {
    store.write(QString::fromUtf8(key.section), QString::fromUtf8(key.key), value);
}

void deleteIfPresent(SettingsStore& store, const QString& section, const QString& key) {
    if (!store.read(section, key).isEmpty())
        store.remove(section, key);
}

void deleteIfPresent(SettingsStore& store, const SettingKey& key) {
    deleteIfPresent(store, QString::fromUtf8(key.section), QString::fromUtf8(key.key));
}
