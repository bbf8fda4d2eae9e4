#pragma once

#include <QLockFile>
#include <QString>

// One copy of the program per user: a lock file in the user's runtime folder. The lock is
// held for the whole run and released when the object goes; a lock left by a crashed copy
// is taken over.
class SingleInstance {
public:
    // The lock in the user's runtime folder (XDG_RUNTIME_DIR).
    SingleInstance();
    explicit SingleInstance(const QString& lockPath);

    // True when another copy holds the lock; the first call takes the lock when it is free.
    bool anotherCopyRunning();
    const QString& lockPath() const { return m_path; }

    static QString defaultLockPath();

private:
    QString m_path;
    QLockFile m_lock;
    bool m_checked = false;
    bool m_another = false;
};
