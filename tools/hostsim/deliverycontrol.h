#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>

class Simulator;

// Delivery control of chats between users, as D-Bus methods beside the control object:
// object /org/quenlark/HostSim/Delivery, interface org.quenlark.HostSimDelivery1. Every
// routed chat is announced by the signal ChatRouted with its fate.
class DeliveryControl : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenlark.HostSimDelivery1")

public:
    explicit DeliveryControl(Simulator* simulator, QObject* parent = nullptr);
    bool open(QDBusConnection connection, QString* error);

public slots:
    Q_SCRIPTABLE void Hold(const QString& from, const QString& to);
    // Delivers what was held, in order; returns how many.
    Q_SCRIPTABLE uint Release(const QString& from, const QString& to);
    Q_SCRIPTABLE void Drop(const QString& from, const QString& to, uint count);
    Q_SCRIPTABLE void Duplicate(const QString& from, const QString& to, uint count);
    Q_SCRIPTABLE void Delay(const QString& from, const QString& to, uint ms);
    // Forgets every rule; chats still held stay held until released.
    Q_SCRIPTABLE void Clear();
    Q_SCRIPTABLE QStringList Rules();

signals:
    Q_SCRIPTABLE void ChatRouted(uint id, const QString& from, const QString& to,
                                 const QString& text, const QString& fate);

private:
    Simulator* simulator_;
};

// The console's "deliver" command; returns what it prints.
QStringList deliveryCommand(Simulator* simulator, const QStringList& words);
