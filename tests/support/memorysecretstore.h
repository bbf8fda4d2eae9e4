#pragma once

#include "notify/secretstore.h"

#include <QMap>

// Test backend of the secret store: entries in memory, answered on the next turn of the event
// loop as a real service would; when unavailable, every call fails.
class MemorySecretStore final : public SecretStore {
    Q_OBJECT
public:
    QMap<QString, QString> entries;
    bool available = true;
    int writes = 0;

    void read(const QString& key) override {
        const Result result = !available              ? Result::Unavailable
                              : entries.contains(key) ? Result::Found
                                                      : Result::Missing;
        const QString error = available ? QString() : QStringLiteral("no secret service");
        QMetaObject::invokeMethod(
            this, [=, this] { emit readDone(key, result, entries.value(key), error); },
            Qt::QueuedConnection);
    }
    void write(const QString& key, const QString& secret) override {
        ++writes;
        if (available)
            entries[key] = secret;
        QMetaObject::invokeMethod(
            this, [=, this] { emit writeDone(key, available, {}); }, Qt::QueuedConnection);
    }
};
