#include "singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

SingleInstance::SingleInstance() : SingleInstance(defaultLockPath()) {}

SingleInstance::SingleInstance(const QString& lockPath) : m_path(lockPath), m_lock(lockPath) {
    // Held for the whole run, so age never makes it stale; a dead owner's lock is taken over.
    m_lock.setStaleLockTime(0);
}

QString SingleInstance::defaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/quenlark.lock");
}

bool SingleInstance::anotherCopyRunning() {
    if (!m_checked) {
        m_checked = true;
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        // Only a lock held by someone else means another copy; a lock file that cannot be
        // made at all (folder missing or read-only) must not keep the program from starting.
        m_another = !m_lock.tryLock(0) && m_lock.error() == QLockFile::LockFailedError;
    }
    return m_another;
}
