#pragma once

#include "notify/secretstore.h"

#include <QMap>

// Test backend of the secret store: entries in memory, answered on the next turn of the event
// loop as a real service would. When unavailable it answers every call with an error.
class MemorySecretStore final : public SecretStore {
    Q_OBJECT
public:
    QMap<QString, QString> entries;
    bool available = true;
    int writes = 0;

    void read(const QString& key) override {
        QMetaObject::invokeMethod(
            this,
            [this, key] {
                if (!available)
                    emit readDone(key, Result::Unavailable, {},
                                  QStringLiteral("no secret service"));
                else if (entries.contains(key))
                    emit readDone(key, Result::Found, entries.value(key), {});
                else
                    emit readDone(key, Result::Missing, {}, {});
            },
            Qt::QueuedConnection);
    }
    void write(const QString& key, const QString& secret) override {
        ++writes;
        if (available)
            secret.isEmpty() ? void(entries.remove(key)) : void(entries.insert(key, secret));
        QMetaObject::invokeMethod(
            this,
            [this, key] {
                emit writeDone(key, available,
                               available ? QString() : QStringLiteral("no service"));
            },
            Qt::QueuedConnection);
    }
};
