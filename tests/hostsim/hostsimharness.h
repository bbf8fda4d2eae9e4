#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QProcess>
#include <QStringList>

#include <memory>

// A dbus-daemon of the test's own, so simulators of tests running side by side never hear
// each other's discovery.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    QString address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};

// quenlark-hostsim started as a process; ready once it printed "ready".
class HostSimProcess {
public:
    explicit HostSimProcess(const QStringList& arguments);
    ~HostSimProcess();
    bool isReady() const { return ready_; }
    QString hostName(const QString& user) const; // the host's unique name on that user's bus
    QProcess& process() { return process_; }

private:
    QProcess process_;
    bool ready_ = false;
    QStringList banner_;
};

// The program's side of the link as the host sees it: /org/quenlark/Client with Attach and
// Notify on a connection of its own, plus Discover and Command.
class TestClient : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenlark.HostControl1")

public:
    TestClient(const QString& address, const QString& name);
    ~TestClient() override;

    void discover();
    uint command(const QString& line) { return commandPayload(line.toUtf8() + '\0'); }
    uint commandPayload(const QByteArray& payload, const QString& host = QString());
    // Waits for a line matching the pattern and returns it (empty on time-out).
    QString waitFor(const QString& pattern, int timeoutMs = 5000);
    QDBusConnection& connection() { return connection_; }

    QList<uint> attachStatuses;
    QString host;
    QStringList lines;

public slots:
    Q_SCRIPTABLE void Attach(uint status);
    Q_SCRIPTABLE uint Notify(const QByteArray& payload);

private:
    QString name_;
    QDBusConnection connection_;
    qsizetype searchFrom_ = 0;
};

// A copy of quenlark as a user runs it: HOME, XDG folders and runtime folder of its own under
// `home`, on the bus at `busAddress`, with its automation object on (--automation). Write its
// settings file before start(). Ended with SIGTERM (its orderly exit) when destroyed.
class ProgramCopy {
public:
    ProgramCopy(const QString& home, const QString& busAddress, const QString& name);
    ~ProgramCopy();
    // Extra environment (QUENLARK_AUDIO, PULSE_SERVER, ...) before start().
    void setEnvironment(const QString& variable, const QString& value);
    bool start();
    void stop();
    QString settingsFile() const; // ~/.config/Quenlark/Quenlark.conf
    QString documents() const;    // ~/Documents
    // A method of the copy's automation object (org.quenlark.Automation1); an invalid
    // QVariant when the call fails.
    QVariant automation(const QString& method, const QVariantList& arguments = {});

private:
    QString home_;
    QString name_;
    QProcess process_;
    QProcessEnvironment environment_;
    QDBusConnection connection_;
};

// Writes the settings of a copy in home that answers every call with the greeting, records
// from the speakers' monitor for at most recordingMaxSec, and mails each message through the
// SMTP server on smtpPort; extraMain adds "key=value\n" lines to [Main]. False when the file
// cannot be written.
bool writeAnsweringSettings(const QString& home, const QString& greeting, quint16 smtpPort,
                            int recordingMaxSec, const QString& extraMain = {});

// Calls a method of the simulator's control object; fails the QVERIFY of the caller on error.
QVariant control(QDBusConnection& connection, const QString& method,
                 const QVariantList& arguments = {}, QString* error = nullptr);
