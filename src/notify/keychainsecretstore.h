#pragma once

#include "notify/secretstore.h"

// The desktop's secret service (libsecret, KWallet) through QtKeychain, under the service name
// "Quenlark". Its plain-text fallback stays off: without a service, nothing is stored.
class KeychainSecretStore final : public SecretStore {
    Q_OBJECT
public:
    using SecretStore::SecretStore;
    void read(const QString& key) override;
    void write(const QString& key, const QString& secret) override;
};
