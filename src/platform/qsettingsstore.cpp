#include "qsettingsstore.h"

namespace {
QString path(const QString& section, const QString& key) { return section + u'/' + key; }
} // namespace

QSettingsStore::QSettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quenlark"),
                 QStringLiteral("Quenlark")) {}

QString QSettingsStore::read(const QString& section, const QString& key) const {
    // Another process (a host, a test, the user's editor) may have changed the file.
    m_settings.sync();
    return m_settings.value(path(section, key)).toString();
}

void QSettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_settings.setValue(path(section, key), value);
    m_settings.sync();
}

void QSettingsStore::remove(const QString& section, const QString& key) {
    m_settings.remove(path(section, key));
    m_settings.sync();
}
