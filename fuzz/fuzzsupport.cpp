#include "fuzzsupport.h"
#include "fuzzsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
// Both live until the process ends: libFuzzer ends it with exit(), after which destroying a
// Qt application would reach Qt's own globals already gone.
QCoreApplication* app = nullptr;
QString scratchPath;

void removeScratch() {
    QDir(scratchPath).removeRecursively();
}
} // namespace

namespace Fuzz {
void init(int* argc, char*** argv) {
    qputenv("QUENLARK_AUDIO", "virtual");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing a target logs is of interest; printing it would slow every run.
    qputenv("QT_LOGGING_RULES", "*=false");
    QStandardPaths::setTestModeEnabled(true);
    app = new QCoreApplication(*argc, *argv);
    QTemporaryDir dir;
    dir.setAutoRemove(false);
    scratchPath = dir.path();
    std::atexit(removeScratch);
}

QString scratch() {
    return scratchPath;
}

QList<QByteArray> lines(const uint8_t* data, size_t size, qsizetype maxLines) {
    QList<QByteArray> result = bytes(data, size).split('\n');
    if (result.size() > maxLines)
        result.resize(maxLines);
    for (QByteArray& line : result) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return result;
}

void writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(contents);
}
} // namespace Fuzz

FuzzSession::FuzzSession(const QList<QByteArray>& settingsLines) {
    fillSettings(test.settings, settingsLines);
    test.folders.createDataFolders();
    session = std::make_unique<Session>(
        test.services, testBackends(transport, test.tempPath() + QStringLiteral("/unsaved")));
}

void FuzzSession::attach() {
    transport.attach(QStringLiteral(":1.42"), 0);
    line("CURRENTUSERHANDLE alice");
    line("USERSTATUS ONLINE");
}

void FuzzSession::line(const QByteArray& text) {
    transport.notify(QStringLiteral(":1.42"), text + '\0');
    QCoreApplication::processEvents();
}

void fillSettings(MemorySettingsStore& store, const QList<QByteArray>& lines) {
    QString section = QStringLiteral("Main");
    for (const QByteArray& line : lines) {
        const QString text = QString::fromUtf8(line);
        if (text.startsWith(u'[') && text.endsWith(u']')) {
            section = text.mid(1, text.size() - 2);
            continue;
        }
        const qsizetype equals = text.indexOf(u'=');
        if (equals > 0)
            store.write(section, text.left(equals), text.mid(equals + 1));
    }
}
