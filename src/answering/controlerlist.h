#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// The handles allowed to control this answering machine from another copy of the program:
// section "AutoAnswer", entry n (from 1) under "Controler" + n in three digits
// ("Controler001", "Controler002", ...; AutoAnswerKeys::Controler). The list ends at the
// first missing or empty key.
namespace ControlerList {

constexpr int kMaxEntries = 999;

QStringList load(const SettingsStore& store);
// Deletes every Controler### key, gaps included, so a removed entry cannot come back.
void remove(SettingsStore& store);
// remove(), then the entries in order from Controler001.
void save(SettingsStore& store, const QStringList& entries);
// True when the handle equals an entry (trimmed), exactly and case-sensitively.
bool contains(const SettingsStore& store, const QString& handle);

} // namespace ControlerList
