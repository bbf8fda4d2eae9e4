#include "controlerlist.h"

#include "answering/autoanswersettings.h"

namespace ControlerList {

using AutoAnswerKeys::Controler;

QStringList load(const SettingsStore& store) {
    QStringList entries;
    for (int n = 1; n <= kMaxEntries; ++n) {
        const QString value = readSetting(store, Controler, n);
        if (value.isEmpty())
            break;
        entries.append(value);
    }
    return entries;
}

void remove(SettingsStore& store) {
    SettingsBatch batch(store);
    for (int n = 1; n <= kMaxEntries; ++n)
        deleteIfPresent(store, Controler, n);
}

void save(SettingsStore& store, const QStringList& entries) {
    SettingsBatch batch(store);
    remove(store);
    int n = 0;
    for (const QString& entry : entries) {
        if (++n > kMaxEntries)
            break;
        writeSetting(store, Controler, n, entry);
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
