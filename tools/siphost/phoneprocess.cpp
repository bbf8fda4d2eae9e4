#include "phoneprocess.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>

#include <csignal>
#include <sys/prctl.h>

namespace {
bool writeFile(const QString& path, const QByteArray& text, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    // The accounts line may carry a password.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QByteArray configText(const PhoneSettings& settings) {
    QStringList lines = {
        QStringLiteral("poll_method epoll"),
        QStringLiteral("module_path /usr/lib/baresip/modules"),
        QStringLiteral("audio_player %1").arg(settings.audioPlayer),
        QStringLiteral("audio_source %1").arg(settings.audioSource),
        QStringLiteral("audio_alert %1").arg(settings.audioPlayer),
        QStringLiteral("module g711.so"),
        QStringLiteral("module opus.so"),
        QStringLiteral("module alsa.so"),
        QStringLiteral("module aubridge.so"),
        QStringLiteral("module aufile.so"),
        QStringLiteral("module ausine.so"),
        QStringLiteral("module account.so"),
        QStringLiteral("module_app menu.so"),
        QStringLiteral("module_app ctrl_tcp.so"),
        QStringLiteral("ctrl_tcp_listen 127.0.0.1:%1").arg(settings.ctrlPort),
    };
    if (!settings.sipListen.isEmpty())
        lines.append(QStringLiteral("sip_listen %1").arg(settings.sipListen));
    if (!settings.netInterface.isEmpty())
        lines.append(QStringLiteral("net_interface %1").arg(settings.netInterface));
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}
} // namespace

quint16 freeLoopbackPort() {
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost, 0) ? server.serverPort() : 0;
}

bool PhoneProcess::start(const PhoneSettings& settings, QString* error) {
    if (!QDir().mkpath(settings.configDir) ||
        !writeFile(settings.configDir + QStringLiteral("/config"), configText(settings), error) ||
        !writeFile(settings.configDir + QStringLiteral("/accounts"),
                   settings.accountLine.toUtf8() + '\n', error))
        return false;
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(settings.configDir + QStringLiteral("/baresip.log"));
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process_.start(settings.program, {QStringLiteral("-f"), settings.configDir});
    if (!process_.waitForStarted(10000)) {
        *error = QStringLiteral("%1: %2").arg(settings.program, process_.errorString());
        return false;
    }
    return true;
}

void PhoneProcess::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}
