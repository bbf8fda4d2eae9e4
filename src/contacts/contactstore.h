#pragma once

#include "platform/settingsstore.h"

#include <QString>

class ContactList;
class DebugConsole;

// Section "Contact", owned by ContactStore: the handle under its position in the list as four
// digits ("0000", "0001", ...), the group under the same digits + "_group", and
// "DisplayGroup". The first position without a handle ends the list.
namespace ContactKeys {
inline constexpr SettingList Handle{"Contact", "", "", 4, 0};
inline constexpr SettingList Group{"Contact", "", "_group", 4, 0};
inline constexpr SettingKey DisplayGroup{"Contact", "DisplayGroup", ""};
inline constexpr SettingKey all[] = {DisplayGroup};
inline constexpr SettingList lists[] = {Handle, Group};
} // namespace ContactKeys

// The contact list in the settings store. Each save and load is one batch, so the settings
// file is read and written once, not once per key.
namespace ContactStore {

// Replaces the list with the stored one; returns the stored display group. A stored handle
// that may not go onto a host command line is kept, and the console says why it is not asked.
QString LoadContacts(SettingsStore& store, ContactList& list, DebugConsole& console);
// Rewrites the stored list from position 0 in list order, and the display group.
void SaveContacts(SettingsStore& store, const ContactList& list, const QString& displayGroup);
// Removes the stored positions up to the first gap, and the display group.
void DeleteSavedContacts(SettingsStore& store);

} // namespace ContactStore
