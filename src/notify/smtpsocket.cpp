#include "smtpsocket.h"

#include <QSslCipher>
#include <QSslSocket>

SmtpSocket::~SmtpSocket() {
    close();
}

bool SmtpSocket::isClosed() const {
    return !m_socket || m_socket->state() == QAbstractSocket::UnconnectedState;
}

void SmtpSocket::close() {
    if (!m_socket)
        return;
    QSslSocket* old = m_socket;
    m_socket.clear();
    old->disconnect(this);
    old->abort();
    old->deleteLater(); // we may be inside one of its own signals
}

void SmtpSocket::newSocket() {
    close();
    m_sslErrors.clear();
    m_socket = new QSslSocket(this);
    m_socket->setPeerVerifyMode(QSslSocket::VerifyPeer);
    connect(m_socket, &QSslSocket::readyRead, this, &SmtpSocket::readAll);
    connect(m_socket, &QSslSocket::bytesWritten, this, &SmtpTransport::drained);
    connect(m_socket, &QSslSocket::encryptedBytesWritten, this, &SmtpTransport::drained);
    connect(m_socket, &QSslSocket::encrypted, this, &SmtpTransport::encrypted);
    connect(m_socket, &QSslSocket::sslErrors, this, [this](const QList<QSslError>& errors) {
        QStringList texts;
        for (const QSslError& error : errors)
            texts << error.errorString();
        m_sslErrors = texts.join(QStringLiteral("; "));
    });
    connect(m_socket, &QSslSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (!m_socket)
            return;
        const bool tls = error == QAbstractSocket::SslHandshakeFailedError ||
                         error == QAbstractSocket::SslInternalError ||
                         error == QAbstractSocket::SslInvalidUserDataError;
        if (tls)
            emit securityFailed(m_sslErrors.isEmpty() ? m_socket->errorString() : m_sslErrors);
        else
            emit transportError(m_socket->errorString());
    });
}

void SmtpSocket::connectToServer(const QString& host, quint16 port) {
    newSocket();
    m_socket->connectToHost(host, port);
}

void SmtpSocket::connectToServerEncrypted(const QString& host, quint16 port) {
    newSocket();
    m_socket->connectToHostEncrypted(host, port);
}

void SmtpSocket::startEncryption() {
    if (m_socket)
        m_socket->startClientEncryption();
}

void SmtpSocket::sendData(const QByteArray& data) {
    if (m_socket)
        m_socket->write(data);
}

qint64 SmtpSocket::pendingBytes() const {
    return m_socket ? m_socket->bytesToWrite() + m_socket->encryptedBytesToWrite() : 0;
}

QString SmtpSocket::localAddress() const {
    return m_socket ? m_socket->localAddress().toString() : QString();
}

QString SmtpSocket::protocolName() const {
    if (!m_socket || !m_socket->isEncrypted())
        return {};
    return m_socket->sessionCipher().protocolString();
}

void SmtpSocket::readAll() {
    if (m_socket)
        emit dataArrived(m_socket->readAll());
}
