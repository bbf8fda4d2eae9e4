#include "deliverycontrol.h"

#include "simulator.h"

namespace {
const QString kDeliveryPath = QStringLiteral("/org/quenlark/HostSim/Delivery");
constexpr uint kMaxCount = 1000000;
} // namespace

DeliveryControl::DeliveryControl(Simulator* simulator, QObject* parent)
    : QObject(parent), simulator_(simulator) {
    connect(simulator, &Simulator::chatRouted, this, &DeliveryControl::ChatRouted);
}

bool DeliveryControl::open(QDBusConnection connection, QString* error) {
    if (connection.registerObject(kDeliveryPath, this,
                                  QDBusConnection::ExportScriptableSlots |
                                      QDBusConnection::ExportScriptableSignals))
        return true;
    *error = QStringLiteral("control: cannot export ") + kDeliveryPath;
    return false;
}

void DeliveryControl::Hold(const QString& from, const QString& to) {
    simulator_->delivery().setHold(from, to, true);
}

uint DeliveryControl::Release(const QString& from, const QString& to) {
    return simulator_->releaseChats(from, to);
}

void DeliveryControl::Drop(const QString& from, const QString& to, uint count) {
    simulator_->delivery().dropNext(from, to, int(std::min(count, kMaxCount)));
}

void DeliveryControl::Duplicate(const QString& from, const QString& to, uint count) {
    simulator_->delivery().duplicateNext(from, to, int(std::min(count, kMaxCount)));
}

void DeliveryControl::Delay(const QString& from, const QString& to, uint ms) {
    simulator_->delivery().setDelay(from, to, int(std::min(ms, kMaxCount)));
}

void DeliveryControl::Clear() {
    simulator_->delivery().clear();
}

QStringList DeliveryControl::Rules() {
    return simulator_->delivery().describe();
}

QStringList deliveryCommand(Simulator* simulator, const QStringList& words) {
    const QString what = words.value(1).toLower();
    const QString from = words.value(2);
    const QString to = words.value(3);
    bool ok = false;
    const uint number = words.value(4).toUInt(&ok);
    ChatDelivery& delivery = simulator->delivery();
    if (what == QLatin1String("hold") && words.size() == 4) {
        delivery.setHold(from, to, true);
    } else if (what == QLatin1String("release") && words.size() == 4) {
        return {QStringLiteral("released %1").arg(simulator->releaseChats(from, to))};
    } else if (what == QLatin1String("drop") && ok && words.size() == 5) {
        delivery.dropNext(from, to, int(std::min(number, kMaxCount)));
    } else if (what == QLatin1String("dup") && ok && words.size() == 5) {
        delivery.duplicateNext(from, to, int(std::min(number, kMaxCount)));
    } else if (what == QLatin1String("delay") && ok && words.size() == 5) {
        delivery.setDelay(from, to, int(std::min(number, kMaxCount)));
    } else if (what == QLatin1String("clear") && words.size() == 2) {
        delivery.clear();
    } else if (what == QLatin1String("rules") && words.size() == 2) {
        return delivery.describe();
    } else {
        return {QStringLiteral("error: deliver hold|release FROM TO, deliver drop|dup|delay "
                               "FROM TO N, deliver clear|rules")};
    }
    return {QStringLiteral("ok")};
}
