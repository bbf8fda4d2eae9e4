#include "baresiplink.h"

#include <QHostAddress>

namespace {
constexpr int kRetryMs = 100;
}

BaresipLink::BaresipLink(quint16 port, QObject* parent) : QObject(parent), port_(port) {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &BaresipLink::tryConnect);
    connect(&socket_, &QTcpSocket::connected, this, &BaresipLink::connected);
    connect(&socket_, &QTcpSocket::readyRead, this, &BaresipLink::readAvailable);
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this] {
        if (socket_.state() != QAbstractSocket::ConnectedState && triesLeft_-- > 0) {
            socket_.abort();
            retry_.start();
            return;
        }
        emit failed(socket_.errorString());
    });
}

void BaresipLink::open(int timeoutMs) {
    triesLeft_ = timeoutMs / kRetryMs;
    tryConnect();
}

void BaresipLink::tryConnect() {
    socket_.connectToHost(QHostAddress::LocalHost, port_);
}

void BaresipLink::send(const QString& command, const QString& params) {
    socket_.write(encodeCommand(command, params, QString::number(++token_)));
}

void BaresipLink::readAvailable() {
    reader_.feed(socket_.readAll());
    while (const auto payload = reader_.next()) {
        const CtrlMessage decoded = decodeMessage(*payload);
        if (decoded.kind != CtrlMessage::Invalid)
            emit message(decoded);
    }
    if (reader_.failed()) {
        socket_.abort();
        emit failed(QStringLiteral("baresip sent a malformed frame"));
    }
}
