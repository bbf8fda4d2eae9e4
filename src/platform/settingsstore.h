#pragma once

#include <QString>

// The per-user key/value store: application "Quenlark", one section per feature, text values.
// A missing key reads as empty text; the caller substitutes its own default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& section, const QString& key) const = 0;
    // Written and removed keys are on disk before the call returns.
    virtual void write(const QString& section, const QString& key, const QString& value) = 0;
    // Removing a key that does not exist is an error in the store; callers use deleteIfPresent.
    virtual void remove(const QString& section, const QString& key) = 0;

    // Writes and removes between beginBatch and the matching endBatch reach the disk together
    // when the outermost batch ends (still before the saving handler returns); reads in between
    // see them. For saving and loading long lists without rewriting the file for every key.
    virtual void beginBatch() {}
    virtual void endBatch() {}
};

// One batch for the lifetime of the object.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsStore& store) : m_store(store) { m_store.beginBatch(); }
    ~SettingsBatch() { m_store.endBatch(); }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

private:
    SettingsStore& m_store;
};

// One key of a section with its default. Each section declares its keys in one table next to
// the class that owns them (a namespace "<Section>Keys" with the keys and "all" of them), and
// every read and write goes through the table, so the stored names live in one place.
struct SettingKey {
    const char* section;
    const char* key;
    const char* defaultValue;
};

// A numbered run of keys in one section: prefix, the position with at least `digits` digits,
// suffix ("User001", "0000_group"). A list starts at position `first`; its first empty value
// ends it.
struct SettingList {
    const char* section;
    const char* prefix;
    const char* suffix;
    int digits;
    int first;

    QString key(int position) const;
};

// The stored text, or the key's default when the key is missing or empty.
QString readSetting(const SettingsStore& store, const SettingKey& key);
// The stored number; the default when the text is missing or not a decimal number.
int readIntSetting(const SettingsStore& store, const SettingKey& key);
void writeSetting(SettingsStore& store, const SettingKey& key, const QString& value);

// Check-box states stored as "0"/"1": any stored number other than 0 is ticked, text that is
// no number reads as the default.
bool readFlag(const SettingsStore& store, const SettingKey& key);
void writeFlag(SettingsStore& store, const SettingKey& key, bool on);
// Switches stored as "On"/"Off": only the exact text "On" is on ("on" and "ON" are not).
bool readOnOff(const SettingsStore& store, const SettingKey& key);
void writeOnOff(SettingsStore& store, const SettingKey& key, bool on);

QString readSetting(const SettingsStore& store, const SettingList& list, int position);
void writeSetting(SettingsStore& store, const SettingList& list, int position,
                  const QString& value);

// Deletes the key only after a read that found it non-empty, as the store demands; tells
// whether it did.
bool deleteIfPresent(SettingsStore& store, const QString& section, const QString& key);
bool deleteIfPresent(SettingsStore& store, const SettingKey& key);
bool deleteIfPresent(SettingsStore& store, const SettingList& list, int position);
