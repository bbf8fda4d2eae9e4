#pragma once

#include "platform/folders.h"

// Test backend: every folder is given explicitly.
class FixedFolders final : public Folders {
public:
    FixedFolders(QString documents, QString shipped, QString userData)
        : m_documents(std::move(documents)), m_shipped(std::move(shipped)),
          m_userData(std::move(userData)) {}
    QString documentsPath() const override { return m_documents; }
    QString shippedFilesPath() const override { return m_shipped; }
    QString userDataPath() const override { return m_userData; }

private:
    QString m_documents;
    QString m_shipped;
    QString m_userData;
};
