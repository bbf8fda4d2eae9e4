#include "smtpsocket.h"

#include <QTcpSocket>

SmtpSocket::~SmtpSocket() {
    close();
}

bool SmtpSocket::isClosed() const {
    return !m_socket || m_socket->state() == QAbstractSocket::UnconnectedState;
}

void SmtpSocket::close() {
    if (!m_socket)
        return;
    QTcpSocket* old = m_socket;
    m_socket.clear();
    old->disconnect(this);
    old->abort();
    old->deleteLater(); // we may be inside one of its own signals
}

void SmtpSocket::connectToServer(const QString& host, quint16 port) {
    close();
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &SmtpSocket::readAll);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &SmtpTransport::drained);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (m_socket)
            emit transportError(m_socket->errorString());
    });
    m_socket->connectToHost(host, port);
}

void SmtpSocket::sendData(const QByteArray& data) {
    if (m_socket)
        m_socket->write(data);
}

qint64 SmtpSocket::pendingBytes() const {
    return m_socket ? m_socket->bytesToWrite() : 0;
}

void SmtpSocket::readAll() {
    if (m_socket)
        emit dataArrived(m_socket->readAll());
}
