#pragma once

#include "notify/secretstore.h"

#include <QObject>
#include <QString>

#include <memory>

// The mail account's password for this run, read from the secret store when the settings load
// and written there when they are saved. Without a secret service it lives only in memory, and
// the window says so.
class MailPassword : public QObject {
    Q_OBJECT
public:
    explicit MailPassword(std::unique_ptr<SecretStore> store, QObject* parent = nullptr);
    ~MailPassword() override;

    // The entry of that user on that server.
    static QString keyFor(const QString& user, const QString& host);

    // Reads the stored password; a password typed meanwhile wins.
    void load(const QString& key);
    // Stores the password (an empty one removes the entry) when a secret service is there.
    void save(const QString& key);

    const QString& password() const { return m_password; }
    void setPassword(const QString& password);
    // False once the secret service failed to answer or refused.
    bool storeAvailable() const { return m_storeError.isNull(); }
    // What the secret service said when it failed.
    const QString& storeError() const { return m_storeError; }

signals:
    void passwordChanged(const QString& password);
    void storeAvailabilityChanged();

private:
    void readDone(const QString& key, SecretStore::Result result, const QString& secret,
                  const QString& error);
    void setStoreError(const QString& error);

    std::unique_ptr<SecretStore> m_store;
    QString m_password;
    QString m_loadingKey; // the entry being read; empty when no read is pending
    bool m_typed = false; // set by the user since the read started
    QString m_storeError; // null while the store works
};
