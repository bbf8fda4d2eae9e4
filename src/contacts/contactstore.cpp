#include "contactstore.h"

#include "base/debugconsole.h"
#include "contactlist.h"
#include "platform/settingsstore.h"

using ContactKeys::DisplayGroup;
using ContactKeys::Group;
using ContactKeys::Handle;

namespace ContactStore {

QString LoadContacts(SettingsStore& store, ContactList& list, DebugConsole& console) {
    SettingsBatch batch(store);
    list.clear();
    for (int i = Handle.first;; ++i) {
        ContactRecord record;
        record.Handle = readSetting(store, Handle, i);
        if (record.Handle.isEmpty())
            break;
        record.Group = readSetting(store, Group, i);
        list.append(std::move(record));
        // The handle itself is not printed: it is the settings file's text, not ours.
        if (!list.at(list.count() - 1).Sendable)
            console.ConsolePrint(QStringLiteral("Contact %1 is not asked about: its handle "
                                                "holds blanks, commas or control characters")
                                     .arg(Handle.key(i)));
    }
    return readSetting(store, DisplayGroup);
}

namespace {
// Removes the stored positions from first up to the first gap.
void deleteFrom(SettingsStore& store, int first) {
    for (int i = first; deleteIfPresent(store, Handle, i); ++i)
        deleteIfPresent(store, Group, i);
}
} // namespace

void DeleteSavedContacts(SettingsStore& store) {
    SettingsBatch batch(store);
    deleteFrom(store, Handle.first);
    deleteIfPresent(store, DisplayGroup);
}

void SaveContacts(SettingsStore& store, const ContactList& list, const QString& displayGroup) {
    // The same stored list as deleting every position and writing the list from the first,
    // without removing the keys that are written again at once.
    SettingsBatch batch(store);
    for (int i = 0; i < list.count(); ++i) {
        writeSetting(store, Handle, Handle.first + i, list.at(i).Handle);
        writeSetting(store, Group, Handle.first + i, list.at(i).Group);
    }
    deleteFrom(store, Handle.first + list.count());
    writeSetting(store, DisplayGroup, displayGroup);
}

} // namespace ContactStore
