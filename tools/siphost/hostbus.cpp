#include "hostbus.h"

#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QStringDecoder>

namespace {
const QString kInterface = QStringLiteral("org.quenlark.HostControl1");
const QString kClientPath = QStringLiteral("/org/quenlark/Client");
const QString kHostPath = QStringLiteral("/org/quenlark/Host");

QDBusConnection connectTo(const QString& address, const QString& name) {
    if (address.isEmpty())
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    return QDBusConnection::connectToBus(address, name);
}
} // namespace

HostBus::HostBus(const QString& address, QObject* parent)
    : QObject(parent), connectionName_(QStringLiteral("quenlark-sip-host")),
      connection_(connectTo(address, connectionName_)) {}

HostBus::~HostBus() {
    connection_.unregisterObject(kHostPath);
    QDBusConnection::disconnectFromBus(connectionName_);
}

bool HostBus::open(QString* error) {
    if (!connection_.isConnected()) {
        *error = connection_.lastError().message();
        return false;
    }
    if (!connection_.registerObject(kHostPath, this, QDBusConnection::ExportScriptableSlots)) {
        *error = QStringLiteral("cannot register %1").arg(kHostPath);
        return false;
    }
    if (!connection_.connect(QString(), kClientPath, kInterface, QStringLiteral("Discover"), this,
                             SLOT(onDiscover(QDBusMessage)))) {
        *error = QStringLiteral("cannot listen for Discover");
        return false;
    }
    watcher_ = new QDBusServiceWatcher(this);
    watcher_->setConnection(connection_);
    watcher_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this](const QString& name) {
        clients_.remove(name);
        watcher_->removeWatchedService(name);
    });
    return true;
}

void HostBus::onDiscover(const QDBusMessage& message) {
    const QString client = message.service();
    if (client.isEmpty())
        return;
    if (!clients_.contains(client)) {
        clients_.insert(client);
        watcher_->addWatchedService(client);
    }
    QDBusMessage attach =
        QDBusMessage::createMethodCall(client, kClientPath, kInterface, QStringLiteral("Attach"));
    attach << 0u;
    connection_.send(attach);
    emit attached(client);
}

void HostBus::notify(const QString& line) {
    for (const QString& client : std::as_const(clients_)) {
        QDBusMessage call = QDBusMessage::createMethodCall(client, kClientPath, kInterface,
                                                           QStringLiteral("Notify"));
        call << (line.toUtf8() + '\0');
        connection_.send(call);
    }
}

QString HostBus::decodePayload(const QByteArray& payload) {
    const qsizetype zero = payload.indexOf('\0');
    const QByteArray bytes = zero < 0 ? payload : payload.left(zero);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString line = decoder.decode(bytes);
    return decoder.hasError() ? QString() : line;
}

uint HostBus::Command(const QByteArray& payload) {
    if (!clients_.contains(message().service()))
        return 0;
    const QString line = decodePayload(payload);
    // Replies follow the call's own reply, never overtake it.
    QMetaObject::invokeMethod(
        this, [this, line] { emit commandReceived(line); }, Qt::QueuedConnection);
    return 1;
}
