#include "testservices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestServices::TestServices()
    : folders(dir.path() + QStringLiteral("/Documents"), QStringLiteral(QUENLARK_SHIPPED_DIR),
              dir.path() + QStringLiteral("/user")),
      log(dir.path() + QStringLiteral("/user/logfile.txt")),
      language(QStringLiteral(QUENLARK_SHIPPED_DIR)),
      services{settings, prompts, clock, folders, log, console, language} {
    QDir().mkpath(folders.documentsPath());
    QDir().mkpath(folders.userDataPath());
}

QString writeTestFile(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(contents);
    return path;
}
