#include "settingsstore.h"

namespace {
QString sectionOf(const SettingKey& key) {
    return QString::fromUtf8(key.section);
}
QString nameOf(const SettingKey& key) {
    return QString::fromUtf8(key.key);
}
} // namespace

QString SettingList::key(int position) const {
    return QString::fromUtf8(prefix) + QString::number(position).rightJustified(digits, u'0') +
           QString::fromUtf8(suffix);
}

QString readSetting(const SettingsStore& store, const SettingKey& key) {
    const QString value = store.read(sectionOf(key), nameOf(key));
    return value.isEmpty() ? QString::fromUtf8(key.defaultValue) : value;
}

int readIntSetting(const SettingsStore& store, const SettingKey& key) {
    bool ok = false;
    const int value = readSetting(store, key).trimmed().toInt(&ok);
    return ok ? value : QString::fromUtf8(key.defaultValue).toInt();
}

void writeSetting(SettingsStore& store, const SettingKey& key, const QString& value) {
    store.write(sectionOf(key), nameOf(key), value);
}

bool readFlag(const SettingsStore& store, const SettingKey& key) {
    return readIntSetting(store, key) != 0;
}

void writeFlag(SettingsStore& store, const SettingKey& key, bool on) {
    writeSetting(store, key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool readOnOff(const SettingsStore& store, const SettingKey& key) {
    return readSetting(store, key) == QLatin1String("On");
}

void writeOnOff(SettingsStore& store, const SettingKey& key, bool on) {
    writeSetting(store, key, on ? QStringLiteral("On") : QStringLiteral("Off"));
}

QString readSetting(const SettingsStore& store, const SettingList& list, int position) {
    return store.read(QString::fromUtf8(list.section), list.key(position));
}

void writeSetting(SettingsStore& store, const SettingList& list, int position,
                  const QString& value) {
    store.write(QString::fromUtf8(list.section), list.key(position), value);
}

bool deleteIfPresent(SettingsStore& store, const QString& section, const QString& key) {
    if (store.read(section, key).isEmpty())
        return false;
    store.remove(section, key);
    return true;
}

bool deleteIfPresent(SettingsStore& store, const SettingKey& key) {
    return deleteIfPresent(store, sectionOf(key), nameOf(key));
}

bool deleteIfPresent(SettingsStore& store, const SettingList& list, int position) {
    return deleteIfPresent(store, QString::fromUtf8(list.section), list.key(position));
}
