#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>

class Simulator;
struct OpResult;

// The console's operations as D-Bus methods, on a connection of its own to the first user's bus:
// service org.quenlark.HostSim, object /org/quenlark/HostSim, interface org.quenlark.HostSim1.
// A failed operation answers with the error org.quenlark.HostSim1.Failed and the reason.
class ControlObject : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenlark.HostSim1")

public:
    ControlObject(Simulator* simulator, const QString& address, QObject* parent = nullptr);
    ~ControlObject() override;

    // Exports the object; the service name is a convenience, so a taken name is only a warning.
    bool open(const QString& serviceName, QString* error, QString* warning);
    QString uniqueName() const { return connection_.baseService(); }
    QDBusConnection connection() const { return connection_; }

public slots:
    Q_SCRIPTABLE uint Ring(const QString& from, const QString& to);
    Q_SCRIPTABLE void Answer(uint callId, const QString& as);
    Q_SCRIPTABLE void HangUp(uint callId, const QString& as);
    Q_SCRIPTABLE uint SendChat(const QString& from, const QString& to, const QString& text);
    Q_SCRIPTABLE void SetStatus(const QString& handle, const QString& status);
    Q_SCRIPTABLE void SetAttachMode(const QString& mode);
    Q_SCRIPTABLE void SetHostAvailable(const QString& handle, bool available);
    // Sends the bytes as they are to every client attached to HANDLE's host; returns how many.
    Q_SCRIPTABLE uint NotifyRaw(const QString& handle, const QByteArray& payload);
    Q_SCRIPTABLE QStringList Users();
    Q_SCRIPTABLE QStringList Calls();
    Q_SCRIPTABLE QStringList Chats();
    Q_SCRIPTABLE QStringList Transcript();
    Q_SCRIPTABLE void SaveTranscript(const QString& path);
    // The file of what the user's host sent into that call (--capture-dir).
    Q_SCRIPTABLE QString CapturePath(uint callId);
    Q_SCRIPTABLE void Quit();
    // Users at run time (controlobjectusers.cpp).
    Q_SCRIPTABLE void AddUser(const QString& handle, const QString& fullName,
                              const QString& country, const QString& status);
    Q_SCRIPTABLE void SetUserProperty(const QString& handle, const QString& property,
                                      const QString& value);
    Q_SCRIPTABLE void SetUserReplyDelay(int milliseconds);

private:
    uint check(const OpResult& result);
    void fail(const QString& why);

    Simulator* simulator_;
    QString connectionName_;
    QDBusConnection connection_;
};
