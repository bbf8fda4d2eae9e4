#include "hostendpoint.h"

#include "simulator.h"

#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QTimer>

namespace {

const QString kClientPath = QStringLiteral("/org/quenlark/Client");
const QString kHostPath = QStringLiteral("/org/quenlark/Host");
const QString kInterface = QStringLiteral("org.quenlark.HostControl1");

QDBusConnection openBus(const QString& address, const QString& name) {
    if (address.isEmpty() || address == QLatin1String("session"))
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    return QDBusConnection::connectToBus(address, name);
}

} // namespace

HostEndpoint::HostEndpoint(const QString& handle, const QString& address, Simulator* simulator,
                           QObject* parent)
    : QObject(parent), handle_(handle), address_(address),
      connectionName_(QStringLiteral("hostsim-user-") + handle), simulator_(simulator),
      connection_(openBus(address, connectionName_)) {}

HostEndpoint::~HostEndpoint() {
    connection_.unregisterObject(kHostPath);
    QDBusConnection::disconnectFromBus(connectionName_);
}

bool HostEndpoint::open(QString* error) {
    if (!connection_.isConnected()) {
        *error = QStringLiteral("%1: cannot connect to the bus %2: %3")
                     .arg(handle_, address_, connection_.lastError().message());
        return false;
    }
    if (!connection_.registerObject(kHostPath, this, QDBusConnection::ExportScriptableSlots)) {
        *error = QStringLiteral("%1: cannot export %2").arg(handle_, kHostPath);
        return false;
    }
    if (!connection_.connect(QString(), kClientPath, kInterface, QStringLiteral("Discover"), this,
                             SLOT(onDiscover(QDBusMessage)))) {
        *error = QStringLiteral("%1: cannot listen for Discover").arg(handle_);
        return false;
    }
    watcher_ = new QDBusServiceWatcher(this);
    watcher_->setConnection(connection_);
    watcher_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
                     &HostEndpoint::onClientGone);
    return true;
}

QString HostEndpoint::uniqueName() const {
    return connection_.baseService();
}

QStringList HostEndpoint::clients() const {
    QStringList list(attached_.cbegin(), attached_.cend());
    list.sort();
    return list;
}

QString HostEndpoint::decodePayload(QByteArray payload) {
    // Like the program: add our own terminator, then read up to the first zero byte.
    payload.append('\0');
    return QString::fromUtf8(payload.constData(), qstrlen(payload.constData()));
}

QByteArray HostEndpoint::encodePayload(const QString& line) {
    QByteArray payload = line.toUtf8();
    payload.append('\0');
    return payload;
}

uint HostEndpoint::Command(const QByteArray& payload) {
    const QString client = message().service();
    const QString line = decodePayload(payload);
    if (!available_ || !attached_.contains(client)) {
        simulator_->transcript().add(handle_, client, Transcript::Direction::FromClient,
                                     line + QStringLiteral("] [ignored: not attached"));
        return 0;
    }
    simulator_->transcript().add(handle_, client, Transcript::Direction::FromClient, line);
    simulator_->command(handle_, client, line);
    return 1;
}

void HostEndpoint::onDiscover(const QDBusMessage& message) {
    const QString client = message.service();
    if (client.isEmpty() || client == connection_.baseService() || !available_)
        return;
    simulator_->transcript().add(handle_, client, Transcript::Direction::FromClient,
                                 QStringLiteral("(Discover)"));
    answerDiscovery(client);
}

void HostEndpoint::answerDiscovery(const QString& client) {
    const AttachMode mode = simulator_->attachMode();
    switch (mode.kind) {
    case AttachMode::Kind::Immediate:
        grant(client);
        break;
    case AttachMode::Kind::Pending:
        if (attached_.contains(client)) {
            grant(client); // already authorized once: no second question
            break;
        }
        pending_.insert(client);
        queue({client, true, AttachPendingAuthorization, {}, {}});
        QTimer::singleShot(mode.delayMs, this, [this, client] {
            if (pending_.remove(client))
                grant(client);
        });
        break;
    case AttachMode::Kind::Refused:
        attached_.remove(client);
        pending_.remove(client);
        queue({client, true, AttachRefused, {}, {}});
        break;
    }
}

void HostEndpoint::grant(const QString& client) {
    pending_.remove(client);
    attached_.insert(client);
    watcher_->addWatchedService(client);
    queue({client, true, AttachSuccess, {}, {}});
    simulator_->clientAttached(handle_, client);
}

void HostEndpoint::onClientGone(const QString& client) {
    if (attached_.remove(client) || pending_.remove(client))
        simulator_->transcript().add(handle_, client, Transcript::Direction::Event,
                                     QStringLiteral("(client left the bus)"));
    watcher_->removeWatchedService(client);
}

void HostEndpoint::announceAvailability(bool available) {
    available_ = available;
    for (const QString& client : clients())
        queue({client, true, available ? uint(AttachAvailable) : uint(AttachNotAvailable), {}, {}});
}

void HostEndpoint::notifyAll(const QString& line) {
    for (const QString& client : clients())
        notifyClient(client, line);
}

void HostEndpoint::notifyClient(const QString& client, const QString& line) {
    queue({client, false, 0, line, encodePayload(line)});
}

int HostEndpoint::notifyRawAll(const QByteArray& payload) {
    const QStringList targets = clients();
    const QString shown = QStringLiteral("(raw payload, %1 bytes)").arg(payload.size());
    for (const QString& client : targets)
        queue({client, false, 0, shown, payload});
    return int(targets.size());
}

void HostEndpoint::queue(const Outgoing& item) {
    outbox_.append(item);
    if (!flushScheduled_) {
        flushScheduled_ = true;
        QMetaObject::invokeMethod(this, &HostEndpoint::flush, Qt::QueuedConnection);
    }
}

void HostEndpoint::flush() {
    flushScheduled_ = false;
    const QList<Outgoing> items = std::exchange(outbox_, {});
    for (const Outgoing& item : items)
        send(item);
}

void HostEndpoint::send(const Outgoing& item) {
    const QString member = item.isAttach ? QStringLiteral("Attach") : QStringLiteral("Notify");
    QDBusMessage call =
        QDBusMessage::createMethodCall(item.client, kClientPath, kInterface, member);
    if (item.isAttach)
        call << item.status;
    else
        call << item.payload;
    // Fire and forget: the bus keeps the order of this connection's messages, and a host never
    // waits for its client.
    call.setAutoStartService(false);
    connection_.send(call);
    const QString text = item.isAttach ? QStringLiteral("(Attach %1)").arg(item.status) : item.line;
    simulator_->transcript().add(handle_, item.client, Transcript::Direction::ToClient, text);
}
