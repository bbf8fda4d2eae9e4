#include "contactstore.h"

#include "base/debugconsole.h"
#include "contactlist.h"
#include "platform/settingsstore.h"

namespace {
const QString kSection = QStringLiteral("Contact");
const QString kDisplayGroup = QStringLiteral("DisplayGroup");
const QString kGroupSuffix = QStringLiteral("_group");
} // namespace

namespace ContactStore {

QString positionKey(int position) {
    return QStringLiteral("%1").arg(position, 4, 10, QLatin1Char('0'));
}

QString LoadContacts(SettingsStore& store, ContactList& list, DebugConsole& console) {
    SettingsBatch batch(store);
    list.clear();
    for (int i = 0;; ++i) {
        const QString key = positionKey(i);
        ContactRecord record;
        record.Handle = store.read(kSection, key);
        if (record.Handle.isEmpty())
            break;
        record.Group = store.read(kSection, key + kGroupSuffix);
        list.append(std::move(record));
        // The handle itself is not printed: it is the settings file's text, not ours.
        if (!list.at(i).Sendable)
            console.ConsolePrint(QStringLiteral("Contact %1 is not asked about: its handle "
                                                "holds blanks, commas or control characters")
                                     .arg(key));
    }
    return store.read(kSection, kDisplayGroup);
}

namespace {
// Removes the stored positions from first up to the first gap.
void deleteFrom(SettingsStore& store, int first) {
    for (int i = first;; ++i) {
        const QString key = positionKey(i);
        if (store.read(kSection, key).isEmpty())
            break;
        store.remove(kSection, key);
        deleteIfPresent(store, kSection, key + kGroupSuffix);
    }
}
} // namespace

void DeleteSavedContacts(SettingsStore& store) {
    SettingsBatch batch(store);
    deleteFrom(store, 0);
    deleteIfPresent(store, kSection, kDisplayGroup);
}

void SaveContacts(SettingsStore& store, const ContactList& list, const QString& displayGroup) {
    // The same stored list as deleting every position and writing the list from 0, without
    // removing the keys that are written again at once.
    SettingsBatch batch(store);
    for (int i = 0; i < list.count(); ++i) {
        const QString key = positionKey(i);
        store.write(kSection, key, list.at(i).Handle);
        store.write(kSection, key + kGroupSuffix, list.at(i).Group);
    }
    deleteFrom(store, list.count());
    store.write(kSection, kDisplayGroup, displayGroup);
}

} // namespace ContactStore
