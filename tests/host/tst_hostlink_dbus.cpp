// The host link on a real session bus: the D-Bus transport against a small host served on a
// second bus connection of this process, and against quenlark-hostsim when it is built.
#include "app/mainformcore.h"
#include "mainlink.h"
#include "platform/hosttransportdbus.h"
#include "testmain.h"
#include "testservices.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>
#include <QProcess>

namespace {
const QString kIface = QString::fromLatin1(HostTransport::kInterface);

// A host on its own connection: attaches whoever discovers it, answers PING and
// GET CURRENTUSERHANDLE, and can be told to never answer commands or PING.
class TinyHost : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenlark.HostControl1")
public:
    enum class Mode { Answer, Hang, NoPong };

    explicit TinyHost(const QString& connectionName)
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName)) {
        m_bus.registerObject(QString::fromLatin1(HostTransport::kHostPath), this,
                             QDBusConnection::ExportAllSlots);
        m_bus.connect(QString(), QString::fromLatin1(HostTransport::kClientPath), kIface,
                      QStringLiteral("Discover"), this, SLOT(onDiscover()));
    }
    QString name() const { return m_bus.baseService(); }
    QDBusConnection& bus() { return m_bus; }

    Mode mode = Mode::Answer;
    QStringList commands;
    QString client;
    int discovers = 0;

public slots:
    uint Command(const QByteArray& payload) {
        const QString line = QString::fromUtf8(payload.constData());
        commands << line;
        if (mode == Mode::Hang) {
            setDelayedReply(true);
            return 0;
        }
        if (line == QLatin1String("PING") && mode != Mode::NoPong)
            notify(QStringLiteral("PONG"));
        else if (line == QLatin1String("GET CURRENTUSERHANDLE"))
            notify(QStringLiteral("CURRENTUSERHANDLE alice"));
        return 1;
    }
    void onDiscover() {
        ++discovers;
        client = message().service();
        call(QStringLiteral("Attach"), {QVariant::fromValue(0u)});
    }

private:
    void notify(const QString& line) {
        call(QStringLiteral("Notify"), {line.toUtf8().append('\0')});
    }
    void call(const QString& member, const QVariantList& args) {
        QDBusMessage msg = QDBusMessage::createMethodCall(
            client, QString::fromLatin1(HostTransport::kClientPath), kIface, member);
        msg.setArguments(args);
        m_bus.asyncCall(msg, 2000);
    }

    QDBusConnection m_bus;
};

// The program's side: the real transport on the session bus and the main window's logic.
struct Client {
    Client() : core(test.services, transport) {
        test.console.setEnabled(true);
        transport.registerClient();
    }
    bool hasConsoleLine(const QString& line) const {
        return test.console.consoleLines().contains(line);
    }
    TestServices test;
    DBusHostTransport transport;
    MainLink core;
};
} // namespace

class TestHostLinkDBus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus");
    }

    // A host that attaches at once but never answers PING, on the real timer: one discovery
    // per supervision period, not a loop at bus speed; once PONGs come back, one tick heals it.
    void hostWithoutPongGetsOneDiscoveryPerPeriod() {
        TinyHost host(QStringLiteral("host-no-pong"));
        host.mode = TinyHost::Mode::NoPong;
        Client client;
        client.test.log.SetLogLevel(1);
        QCOMPARE(client.core.api().ConnectToSkype(), 1u);
        QTest::qWait(30000);
        QVERIFY2(host.discovers >= 3 && host.discovers <= 4,
                 qPrintable(QString::number(host.discovers)));
        const qsizetype attaches =
            client.test.console.statusLines().count(QStringLiteral("Connected"));
        QVERIFY(attaches >= 3 && attaches <= 4);
        QVERIFY(host.commands.count(QStringLiteral("PING")) <= 4);
        QVERIFY(client.test.console.consoleLines().size() < 60);
        QVERIFY(QFileInfo(client.test.tempPath() + QStringLiteral("/user/logfile.txt")).size() <
                32 * 1024);
        host.mode = TinyHost::Mode::Answer;
        QTRY_VERIFY_WITH_TIMEOUT(client.core.pongFlag(), 12000);
        QDBusConnection::disconnectFromBus(QStringLiteral("host-no-pong"));
    }

    void notifyFromAnotherPeerIsRefused() {
        TinyHost host(QStringLiteral("host-refuse-notify"));
        Client client;
        client.core.api().ConnectToSkype();
        QTRY_COMPARE_WITH_TIMEOUT(client.core.api().hostHandle(), host.name(), 5000);
        QDBusConnection stranger =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("stranger"));
        QDBusMessage msg = QDBusMessage::createMethodCall(
            client.transport.ownHandle(), QString::fromLatin1(HostTransport::kClientPath), kIface,
            QStringLiteral("Notify"));
        msg << QByteArray("PONG\0", 5);
        QDBusPendingCall pending = stranger.asyncCall(msg, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(pending.isFinished(), 5000);
        QDBusReply<uint> reply = pending.reply();
        QVERIFY(reply.isValid());
        QCOMPARE(reply.value(), 0u);
        QDBusConnection::disconnectFromBus(QStringLiteral("stranger"));
        QDBusConnection::disconnectFromBus(QStringLiteral("host-refuse-notify"));
    }

    // Commands reach the host in the order sent; a host that stops answering has each send
    // time out and logged as failed, and stays the host. (A refusing or vanished host is met
    // against the simulator in tst_hostsim_integration.)
    void commandsArriveInOrderAndAHungHostIsLogged() {
        TinyHost host(QStringLiteral("host-order"));
        Client client;
        client.core.api().ConnectToSkype();
        QTRY_VERIFY_WITH_TIMEOUT(client.core.pongFlag(), 5000);
        host.commands.clear();
        QStringList expected;
        for (int i = 0; i < 200; ++i) {
            expected << QStringLiteral("GET USER u%1 FULLNAME").arg(i);
            client.core.api().SendCommandToSkype(expected.last());
        }
        const auto userQueries = [&host] {
            return host.commands.filter(QStringLiteral("GET USER "));
        };
        QTRY_COMPARE_WITH_TIMEOUT(userQueries().size(), expected.size(), 10000);
        QCOMPARE(userQueries(), expected);
        client.transport.setCommandTimeoutMs(300);
        host.mode = TinyHost::Mode::Hang;
        client.core.api().SendCommandToSkype(QStringLiteral("PING"));
        const QString error = QStringLiteral("Error: Send Command!! [") + host.name() + u']';
        QTRY_VERIFY_WITH_TIMEOUT(client.hasConsoleLine(error), 5000);
        QCOMPARE(client.core.api().hostHandle(), host.name());
        QDBusConnection::disconnectFromBus(QStringLiteral("host-order"));
    }
};

QUENLARK_TEST_MAIN(TestHostLinkDBus)
#include "tst_hostlink_dbus.moc"
