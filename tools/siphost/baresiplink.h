#pragma once

#include "ctrlcodec.h"

#include <QObject>
#include <QTcpSocket>
#include <QTimer>

// The bridge's connection to baresip's ctrl_tcp on loopback. It keeps trying to connect until
// baresip listens (a fresh instance needs a moment), then sends commands and reports events.
class BaresipLink : public QObject {
    Q_OBJECT

public:
    explicit BaresipLink(quint16 port, QObject* parent = nullptr);

    void open(int timeoutMs);
    bool isConnected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    void send(const QString& command, const QString& params = QString());

signals:
    void connected();
    void failed(const QString& reason);
    void message(const CtrlMessage& message);

private:
    void tryConnect();
    void readAvailable();

    quint16 port_;
    QTcpSocket socket_;
    QTimer retry_;
    int triesLeft_ = 0;
    quint64 token_ = 0;
    NetstringReader reader_;
};
