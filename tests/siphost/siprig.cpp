#include "siprig.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTest>
#include <QUdpSocket>

#include <csignal>
#include <sys/prctl.h>

quint16 freeSipPort(QList<quint16>& taken) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        bool free = port < 65000 && !taken.contains(port) && !taken.contains(port + 1);
        for (quint16 p : {port, quint16(port + 1)}) {
            QTcpServer tcp;
            QUdpSocket udp;
            free = free && tcp.listen(QHostAddress::LocalHost, p) &&
                   udp.bind(QHostAddress::LocalHost, p);
        }
        if (free) {
            taken << port << quint16(port + 1);
            return port;
        }
    }
    return 0;
}

void endWithTheRig(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

bool startBridge(QProcess& bridge, const QString& busAddress, quint16 alicePort,
                 const QString& configDir, const QString& audio) {
    endWithTheRig(bridge);
    bridge.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bridge.start(QStringLiteral(QUENLARK_BINARY_DIR "/bin/quenlark-sip-host"),
                 {QStringLiteral("--bus"), busAddress, QStringLiteral("--account"),
                  QStringLiteral("<sip:alice@127.0.0.1:%1>;regint=0").arg(alicePort),
                  QStringLiteral("--sip-listen"), QStringLiteral("127.0.0.1:%1").arg(alicePort),
                  QStringLiteral("--net-interface"), QStringLiteral("127.0.0.1"),
                  QStringLiteral("--audio-player"), audio, QStringLiteral("--audio-source"), audio,
                  QStringLiteral("--config-dir"), configDir});
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kWaitMs && bridge.state() != QProcess::NotRunning) {
        if ((bridge.canReadLine() || bridge.waitForReadyRead(100)) &&
            bridge.readLine().trimmed() == "ready")
            return true;
    }
    return false;
}

Caller::Caller(const QString& dir, quint16 sipPort, quint16 ctrlPort, const QString& microphone) {
    QFile config(dir + QStringLiteral("/config"));
    config.open(QIODevice::WriteOnly);
    config.write(QStringLiteral("poll_method epoll\nmodule_path /usr/lib/baresip/modules\n"
                                "sip_listen 127.0.0.1:%1\nnet_interface 127.0.0.1\n"
                                "audio_player aubridge,bob\naudio_alert aubridge,bob\n"
                                "module g711.so\nmodule aubridge.so\nmodule account.so\n"
                                "module_app menu.so\nmodule_app ctrl_tcp.so\n"
                                "ctrl_tcp_listen 127.0.0.1:%2\n")
                     .arg(sipPort)
                     .arg(ctrlPort)
                     .toUtf8());
    config.write(microphone.isEmpty() ? QByteArray("audio_source aubridge,bob\n")
                                      : QStringLiteral("audio_source aufile,%1\nmodule aufile.so\n"
                                                       "module sndfile.so\nsnd_path %2\n")
                                            .arg(microphone, dir)
                                            .toUtf8());
    config.close();
    QFile accounts(dir + QStringLiteral("/accounts"));
    accounts.open(QIODevice::WriteOnly);
    accounts.write(QStringLiteral("<sip:bob@127.0.0.1:%1>;regint=0\n").arg(sipPort).toUtf8());
    accounts.close();
    endWithTheRig(process_);
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(dir + QStringLiteral("/baresip.log"));
    process_.start(QStringLiteral("baresip"), {QStringLiteral("-f"), dir});
    QElapsedTimer timer;
    timer.start();
    while (!isConnected() && timer.elapsed() < kWaitMs) {
        socket_.abort();
        socket_.connectToHost(QHostAddress::LocalHost, ctrlPort);
        if (!socket_.waitForConnected(1000))
            QTest::qWait(100);
    }
}

Caller::~Caller() {
    process_.kill(); // by its pid
    process_.waitForFinished(5000);
}

void Caller::send(const QString& command, const QString& params) {
    socket_.write(encodeCommand(command, params, QStringLiteral("1")));
    socket_.flush();
}

bool Caller::waitForEvent(const QString& type) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kWaitMs) {
        reader_.feed(socket_.readAll());
        while (const auto frame = reader_.next()) {
            if (decodeMessage(*frame).type == type)
                return true;
        }
        socket_.waitForReadyRead(100);
    }
    return false;
}
