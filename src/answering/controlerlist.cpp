#include "controlerlist.h"

#include "platform/settingsstore.h"

namespace ControlerList {

namespace {
const QString kSection = QStringLiteral("AutoAnswer");
}

QString keyName(int n) {
    return QStringLiteral("Controler%1").arg(n, 3, 10, QLatin1Char('0'));
}

QStringList load(const SettingsStore& store) {
    QStringList entries;
    for (int n = 1; n <= kMaxEntries; ++n) {
        const QString value = store.read(kSection, keyName(n));
        if (value.isEmpty())
            break;
        entries.append(value);
    }
    return entries;
}

void remove(SettingsStore& store) {
    SettingsBatch batch(store);
    for (int n = 1; n <= kMaxEntries; ++n)
        deleteIfPresent(store, kSection, keyName(n));
}

void save(SettingsStore& store, const QStringList& entries) {
    SettingsBatch batch(store);
    remove(store);
    int n = 0;
    for (const QString& entry : entries) {
        if (++n > kMaxEntries)
            break;
        store.write(kSection, keyName(n), entry);
    }
}

bool contains(const SettingsStore& store, const QString& handle) {
    if (handle.isEmpty())
        return false;
    for (const QString& entry : load(store)) {
        if (entry.trimmed() == handle)
            return true;
    }
    return false;
}

} // namespace ControlerList
