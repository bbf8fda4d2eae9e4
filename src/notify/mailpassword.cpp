#include "mailpassword.h"

MailPassword::MailPassword(std::unique_ptr<SecretStore> store, QObject* parent)
    : QObject(parent), m_store(std::move(store)) {
    connect(m_store.get(), &SecretStore::readDone, this, &MailPassword::readDone);
    connect(m_store.get(), &SecretStore::writeDone, this,
            [this](const QString&, bool ok, const QString& error) {
                if (!ok)
                    setStoreError(error);
            });
}

MailPassword::~MailPassword() = default;

QString MailPassword::keyFor(const QString& user, const QString& host) {
    return QStringLiteral("SendMail/") + user.trimmed() + u'@' + host.trimmed().toLower();
}

void MailPassword::load(const QString& key) {
    m_loadingKey = key;
    m_typed = false;
    m_store->read(key);
}

void MailPassword::save(const QString& key) {
    if (storeAvailable())
        m_store->write(key, m_password);
}

void MailPassword::setPassword(const QString& password) {
    m_typed = true;
    if (m_password == password)
        return;
    m_password = password;
    emit passwordChanged(password);
}

void MailPassword::readDone(const QString& key, SecretStore::Result result, const QString& secret,
                            const QString& error) {
    if (key != m_loadingKey)
        return; // an older read
    m_loadingKey.clear();
    switch (result) {
    case SecretStore::Result::Found:
        if (!m_typed && m_password != secret) {
            m_password = secret;
            emit passwordChanged(secret);
        }
        break;
    case SecretStore::Result::Missing:
        break;
    case SecretStore::Result::Unavailable:
        setStoreError(error.isEmpty() ? QStringLiteral("?") : error);
        break;
    }
}

void MailPassword::setStoreError(const QString& error) {
    if (m_storeError == error)
        return;
    m_storeError = error;
    emit storeAvailabilityChanged();
}
