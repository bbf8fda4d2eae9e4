#include "qsettingsstore.h"

#include <QFile>
#include <QFileInfo>

namespace {
QString path(const QString& section, const QString& key) {
    return section + u'/' + key;
}

// The file holds the remote-control key: readable by the user alone (0600, its folder 0700).
// Every sync may replace the file, so the modes are set again after each one.
void keepPrivate(const QSettings& settings) {
    const QString file = settings.fileName();
    if (!QFileInfo::exists(file))
        return;
    QFile::setPermissions(QFileInfo(file).path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
}
} // namespace

QSettingsStore::QSettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quenlark"),
                 QStringLiteral("Quenlark")) {}

QString QSettingsStore::read(const QString& section, const QString& key) const {
    // Another process (a host, a test, the user's editor) may have changed the file; inside a
    // batch the file was read when the batch began.
    if (m_batchDepth == 0)
        m_settings.sync();
    const QVariant value = m_settings.value(path(section, key));
    // A value typed into the file with a comma and no quotes reads back as a list; it is
    // still the one text the user wrote.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void QSettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_settings.setValue(path(section, key), value);
    if (m_batchDepth == 0) {
        m_settings.sync();
        keepPrivate(m_settings);
    }
}

void QSettingsStore::remove(const QString& section, const QString& key) {
    m_settings.remove(path(section, key));
    if (m_batchDepth == 0) {
        m_settings.sync();
        keepPrivate(m_settings);
    }
}

void QSettingsStore::beginBatch() {
    if (m_batchDepth++ == 0)
        m_settings.sync();
}

void QSettingsStore::endBatch() {
    if (m_batchDepth > 0 && --m_batchDepth == 0) {
        m_settings.sync();
        keepPrivate(m_settings);
    }
}
