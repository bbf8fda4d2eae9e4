#pragma once

#include <QString>

// Where the program's files live. Paths use "/" and carry no trailing separator.
class Folders {
public:
    virtual ~Folders() = default;
    // The user's documents folder; empty text when the desktop cannot name one.
    virtual QString documentsPath() const = 0;
    // Language packs, tray icons, the greeting sound, list pictures.
    virtual QString shippedFilesPath() const = 0;
    // Writable per-user folder for the log file, the darts history and mail attachments.
    virtual QString userDataPath() const = 0;

    // documents + "/Quenlark", and its two subfolders.
    QString dataPath() const;
    QString autoAnswerPath() const { return dataPath() + QStringLiteral("/AutoAnswer"); }
    QString recordingPath() const { return dataPath() + QStringLiteral("/Recording"); }
    // Creates the data folder and its subfolders, ignoring failure (they usually exist).
    void createDataFolders() const;
};

// The real resolver: QStandardPaths for the documents and per-user folders; shipped files
// beside the executable in the build tree, else under share/quenlark of the installation.
class StandardFolders final : public Folders {
public:
    QString documentsPath() const override;
    QString shippedFilesPath() const override;
    QString userDataPath() const override;
};
