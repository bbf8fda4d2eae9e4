#include "hosttransportdbus.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

// The object hosts call: Attach(u) and Notify(ay) -> u. It only forwards to the receiver;
// the caller's unique name is the host handle.
class HostClientObject : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenlark.HostControl1")
public:
    explicit HostClientObject(HostTransport& transport) : m_transport(transport) {}

public slots:
    void Attach(uint status) {
        if (HostTransportReceiver* receiver = m_transport.receiver())
            receiver->onAttach(message().service(), status);
    }
    uint Notify(const QByteArray& payload) {
        HostTransportReceiver* receiver = m_transport.receiver();
        return receiver && receiver->onNotify(message().service(), payload) ? 1u : 0u;
    }

signals:
    void Discover();

private:
    HostTransport& m_transport;
};

DBusHostTransport::DBusHostTransport(QObject* parent)
    : DBusHostTransport(QDBusConnection::sessionBus(), parent) {}

DBusHostTransport::DBusHostTransport(const QDBusConnection& connection, QObject* parent)
    : QObject(parent), m_connection(connection),
      m_clientObject(std::make_unique<HostClientObject>(*this)) {}

DBusHostTransport::~DBusHostTransport() {
    unregisterClient();
}

QString DBusHostTransport::ownHandle() const {
    return m_connection.isConnected() ? m_connection.baseService() : QString();
}

bool DBusHostTransport::registerClient() {
    if (m_registered)
        return true;
    m_registered = m_connection.isConnected() &&
                   m_connection.registerObject(
                       QString::fromLatin1(kClientPath), m_clientObject.get(),
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
    return m_registered;
}

void DBusHostTransport::unregisterClient() {
    if (!m_registered)
        return;
    m_connection.unregisterObject(QString::fromLatin1(kClientPath));
    m_registered = false;
}

quint32 DBusHostTransport::broadcastDiscover() {
    if (!m_connection.isConnected())
        return 0;
    QDBusMessage signal =
        QDBusMessage::createSignal(QString::fromLatin1(kClientPath),
                                   QString::fromLatin1(kInterface), QStringLiteral("Discover"));
    return m_connection.send(signal) ? 1 : 0;
}

void DBusHostTransport::sendCommand(const QString& host, const QByteArray& payload) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(host, QString::fromLatin1(kHostPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Command"));
    call << payload;
    // One connection keeps the order of its messages, so asynchronous sends stay in order.
    auto* watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call, m_timeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, host](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> reply = *finished;
                const bool ok = !reply.isError() && reply.argumentAt<0>() != 0;
                if (!ok && receiver())
                    receiver()->onCommandFailed(host);
            });
}

#include "hosttransportdbus.moc"
