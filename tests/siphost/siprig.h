#pragma once

#include "ctrlcodec.h"

#include <QList>
#include <QProcess>
#include <QTcpSocket>

// Pieces shared by the bridge's test and its benchmark: free ports, and bob, a plain baresip
// driven through its own ctrl_tcp.
constexpr int kWaitMs = 30000; // generous: the machine may be busy

// A SIP port p with p + 1 free too (baresip takes it for TLS), on TCP and UDP.
quint16 freeSipPort(QList<quint16>& taken);
// The process dies with the test or benchmark, even when that aborts.
void endWithTheRig(QProcess& process);

// quenlark-sip-host with alice's baresip on that port, its player and source on the baresip
// audio device given; true once it printed "ready".
bool startBridge(QProcess& bridge, const QString& busAddress, quint16 alicePort,
                 const QString& configDir, const QString& audio = QStringLiteral("aubridge,alice"));

class Caller {
public:
    // With a microphone file, bob speaks that WAV (baresip's aufile) and baresip's sndfile
    // writes what he hears to <dir>/dump-*-dec.wav; else his audio goes to aubridge.
    Caller(const QString& dir, quint16 sipPort, quint16 ctrlPort,
           const QString& microphone = QString());
    ~Caller();
    bool isConnected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    void send(const QString& command, const QString& params = QString());
    // Waits for an event of that type; false when none came.
    bool waitForEvent(const QString& type);

private:
    QProcess process_;
    QTcpSocket socket_;
    NetstringReader reader_;
};
