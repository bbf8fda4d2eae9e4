#include "keychainsecretstore.h"

#include <qt6keychain/keychain.h>

namespace {
const QString kService = QStringLiteral("Quenlark");
} // namespace

void KeychainSecretStore::read(const QString& key) {
    auto* job = new QKeychain::ReadPasswordJob(kService, this);
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    connect(job, &QKeychain::Job::finished, this, [this, key](QKeychain::Job* done) {
        auto* reader = static_cast<QKeychain::ReadPasswordJob*>(done);
        switch (reader->error()) {
        case QKeychain::NoError:
            emit readDone(key, Result::Found, reader->textData(), {});
            break;
        case QKeychain::EntryNotFound:
            emit readDone(key, Result::Missing, {}, {});
            break;
        default: // no service, no daemon, locked or refused: nothing to read this run
            emit readDone(key, Result::Unavailable, {}, reader->errorString());
            break;
        }
    });
    job->start();
}

void KeychainSecretStore::write(const QString& key, const QString& secret) {
    QKeychain::Job* job = nullptr;
    if (secret.isEmpty()) {
        job = new QKeychain::DeletePasswordJob(kService, this);
    } else {
        auto* writer = new QKeychain::WritePasswordJob(kService, this);
        writer->setTextData(secret);
        job = writer;
    }
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    const bool removing = secret.isEmpty();
    connect(job, &QKeychain::Job::finished, this, [this, key, removing](QKeychain::Job* done) {
        // Removing an entry that was never stored is no failure.
        const bool ok = done->error() == QKeychain::NoError ||
                        (removing && done->error() == QKeychain::EntryNotFound);
        emit writeDone(key, ok, done->errorString());
    });
    job->start();
}
