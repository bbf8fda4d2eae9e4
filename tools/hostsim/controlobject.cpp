#include "controlobject.h"

#include "callcapture.h"
#include "hostendpoint.h"
#include "simulator.h"

#include <QDBusConnectionInterface>

namespace {

const QString kControlPath = QStringLiteral("/org/quenlark/HostSim");

QDBusConnection connectControl(const QString& address, const QString& name) {
    if (address.isEmpty() || address == QLatin1String("session"))
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    return QDBusConnection::connectToBus(address, name);
}

} // namespace

ControlObject::ControlObject(Simulator* simulator, const QString& address, QObject* parent)
    : QObject(parent), simulator_(simulator), connectionName_(QStringLiteral("hostsim-control")),
      connection_(connectControl(address, connectionName_)) {}

ControlObject::~ControlObject() {
    connection_.unregisterObject(kControlPath);
    QDBusConnection::disconnectFromBus(connectionName_);
}

bool ControlObject::open(const QString& serviceName, QString* error, QString* warning) {
    if (!connection_.isConnected()) {
        *error = QStringLiteral("control: cannot connect to the bus: ") +
                 connection_.lastError().message();
        return false;
    }
    if (!connection_.registerObject(kControlPath, this, QDBusConnection::ExportScriptableSlots)) {
        *error = QStringLiteral("control: cannot export ") + kControlPath;
        return false;
    }
    if (!serviceName.isEmpty() && !connection_.registerService(serviceName))
        *warning = QStringLiteral("control: the name %1 is taken; use %2")
                       .arg(serviceName, connection_.baseService());
    return true;
}

void ControlObject::fail(const QString& why) {
    if (calledFromDBus())
        sendErrorReply(QStringLiteral("org.quenlark.HostSim1.Failed"), why);
}

uint ControlObject::check(const OpResult& result) {
    if (!result.ok)
        fail(result.error);
    return result.id;
}

uint ControlObject::Ring(const QString& from, const QString& to) {
    QString callee = to;
    if (callee.isEmpty()) {
        const auto endpoints = simulator_->endpoints();
        callee = endpoints.empty() ? QString() : endpoints.front()->handle();
    }
    return check(simulator_->placeCall(from, callee));
}

void ControlObject::Answer(uint callId, const QString& as) {
    check(simulator_->answerCall(callId, as));
}

void ControlObject::HangUp(uint callId, const QString& as) {
    check(simulator_->endCall(callId, as));
}

uint ControlObject::SendChat(const QString& from, const QString& to, const QString& text) {
    return check(simulator_->sendChat(from, to, text));
}

void ControlObject::SetStatus(const QString& handle, const QString& status) {
    check(simulator_->setStatus(handle, status));
}

void ControlObject::SetAttachMode(const QString& mode) {
    AttachMode parsed = simulator_->attachMode();
    if (!AttachMode::parse(mode, &parsed))
        return fail(QStringLiteral("attach mode is immediate, pending[:MS] or refused"));
    simulator_->setAttachMode(parsed);
}

void ControlObject::SetHostAvailable(const QString& handle, bool available) {
    check(simulator_->setHostAvailable(handle, available));
}

uint ControlObject::NotifyRaw(const QString& handle, const QByteArray& payload) {
    HostEndpoint* target = simulator_->endpoint(handle);
    if (!target) {
        fail(QStringLiteral("%1 has no host on a bus").arg(handle));
        return 0;
    }
    return uint(target->notifyRawAll(payload));
}

QStringList ControlObject::Users() {
    return simulator_->userList();
}

QStringList ControlObject::Calls() {
    return simulator_->callList();
}

QStringList ControlObject::Chats() {
    return simulator_->chatList();
}

QStringList ControlObject::Transcript() {
    return simulator_->transcript().lines();
}

void ControlObject::SaveTranscript(const QString& path) {
    QString error;
    if (!simulator_->transcript().save(path, &error))
        fail(error);
}

QString ControlObject::CapturePath(uint callId) {
    const QString path =
        simulator_->callCapture() ? simulator_->callCapture()->path(callId) : QString();
    if (path.isEmpty())
        fail(QStringLiteral("call %1 was not recorded").arg(callId));
    return path;
}

void ControlObject::Quit() {
    // Let the reply go out before the event loop ends.
    QMetaObject::invokeMethod(simulator_, &Simulator::quitRequested, Qt::QueuedConnection);
}
