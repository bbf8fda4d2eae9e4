#include "qsettingsstore.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringTokenizer>

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
// A file QSettings would read only in part, and so rewrite without the rest: a line that is
// neither blank, a comment, a section nor a key, or text that is not UTF-8.
bool damaged(const QByteArray& text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(text);
    if (utf8.hasError() || text.contains('\0'))
        return true;
    for (const QStringView line : QStringTokenizer(decoded, u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#') ||
            trimmed.contains(u'='))
            continue;
        if (!trimmed.startsWith(u'[') || !trimmed.endsWith(u']'))
            return true;
    }
    return false;
}
} // namespace

QSettingsStore::QSettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quenlark"),
                 QStringLiteral("Quenlark")) {
    const QString name = m_settings.fileName();
    const QFileInfo info(name);
    if (!info.exists() && !info.isSymLink())
        return;
    QFile file(name);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        m_mode = Mode::Defaults;
        m_problem = QStringLiteral("cannot be read");
    } else if (damaged(file.readAll())) {
        m_mode = Mode::Defaults;
        m_problem = QStringLiteral("is damaged");
    } else if (!info.permissions().testFlag(QFile::WriteOwner)) {
        // Kept as the user made it, also for a user (root) whom the mode does not stop.
        m_mode = Mode::ReadOnly;
        m_problem = QStringLiteral("is read-only");
    }
    if (m_mode == Mode::Defaults)
        m_problem = QStringLiteral("Settings: %1 %2; the program runs on its defaults and leaves "
                                   "the file as it is")
                        .arg(name, m_problem);
    else if (m_mode == Mode::ReadOnly)
        m_problem =
            QStringLiteral("Settings: %1 %2; changes last for this run only").arg(name, m_problem);
}

QString QSettingsStore::read(const QString& section, const QString& key) const {
    if (m_mode != Mode::Normal) {
        const auto change = m_changes.constFind(path(section, key));
        if (change != m_changes.cend())
            return change->value_or(QString());
        if (m_mode == Mode::Defaults)
            return {};
    }
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
    if (m_mode != Mode::Normal) {
        m_changes.insert(path(section, key), value);
        return;
    }
    m_settings.setValue(path(section, key), value);
    if (m_batchDepth == 0) {
        m_settings.sync();
        keepPrivate(m_settings);
    }
}

void QSettingsStore::remove(const QString& section, const QString& key) {
    if (m_mode != Mode::Normal) {
        m_changes.insert(path(section, key), std::nullopt);
        return;
    }
    m_settings.remove(path(section, key));
    if (m_batchDepth == 0) {
        m_settings.sync();
        keepPrivate(m_settings);
    }
}

void QSettingsStore::beginBatch() {
    if (m_batchDepth++ == 0 && m_mode != Mode::Defaults)
        m_settings.sync();
}

void QSettingsStore::endBatch() {
    if (m_batchDepth > 0 && --m_batchDepth == 0 && m_mode == Mode::Normal) {
        m_settings.sync();
        keepPrivate(m_settings);
    }
}
