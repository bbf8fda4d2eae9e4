#include "folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString Folders::dataPath() const {
    return documentsPath() + QStringLiteral("/Quenlark");
}

void Folders::createDataFolders() const {
    // Messages and call recordings are the user's alone (0700).
    for (const QString& path : {dataPath(), autoAnswerPath(), recordingPath()}) {
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

QString StandardFolders::documentsPath() const {
    QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString StandardFolders::shippedFilesPath() const {
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(beside + QStringLiteral("/Quenlark_en.pack")))
        return beside;
    const QString installed = QDir::cleanPath(beside + QStringLiteral("/../share/quenlark"));
    if (QFileInfo(installed).isDir())
        return installed;
    return beside;
}

QString StandardFolders::userDataPath() const {
    const QString path = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(path);
    return path;
}
