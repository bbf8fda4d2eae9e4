// Desktop notifications against a notification server of the test's own on a private bus: what
// each event shows, the "Open messages" action, markup escaping, the switch, no server at all.
#include "app/session.h"
#include "base/languagepack.h"
#include "hostsimharness.h"
#include "hosttransportfake.h"
#include "notify/desktopnotifications.h"
#include "platform/desktopnotifier.h"
#include "testmain.h"
#include "testservices.h"
#include "testsession.h"

#include <QDBusMessage>
#include <QSignalSpy>

namespace {
const QString kName = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// The server side of org.freedesktop.Notifications, recording every Notify call.
class FakeNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString app, icon, summary, body;
        QStringList actions;
        QVariantMap hints;
    };
    FakeNotificationServer(const QString& address, QStringList capabilities)
        : m_bus(QDBusConnection::connectToBus(address, QStringLiteral("server"))),
          m_capabilities(std::move(capabilities)) {
        m_bus.registerObject(kPath, this, QDBusConnection::ExportAllSlots);
        m_bus.registerService(kName);
    }
    ~FakeNotificationServer() override {
        m_bus.unregisterService(kName);
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
    }
    void emitSignal(const QString& name, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createSignal(kPath, kName, name);
        message.setArguments(arguments);
        m_bus.send(message);
    }
    QList<Call> calls;

public slots:
    QStringList GetCapabilities() { return m_capabilities; }
    uint Notify(const QString& app, uint /*replaces*/, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int /*timeout*/) {
        calls.append({app, icon, summary, body, actions, hints});
        return 40u + uint(calls.size());
    }

private:
    QDBusConnection m_bus;
    QStringList m_capabilities;
};

struct Rig {
    explicit Rig(const QString& address)
        : bus(QDBusConnection::connectToBus(address, QStringLiteral("client"))), notifier(bus),
          notifications(test.services, notifier) {
        test.language.LoadLanguagePack(QStringLiteral("en"));
    }
    ~Rig() { QDBusConnection::disconnectFromBus(QStringLiteral("client")); }
    TestServices test;
    QDBusConnection bus;
    DesktopNotifier notifier;
    DesktopNotifications notifications;
};
} // namespace

class TestDesktopNotifications : public QObject {
    Q_OBJECT
private slots:
    void recordedMessageShowsCallerAndLengthAndItsActionOpensTheList() {
        PrivateBus bus;
        FakeNotificationServer server(bus.address(), {"body", "body-markup", "actions"});
        Rig rig(bus.address());
        QSignalSpy open(&rig.notifications, &DesktopNotifications::openMessagesRequested);
        rig.notifications.messageRecorded(QStringLiteral("bob"), 12);
        QTRY_COMPARE(server.calls.size(), 1);
        const FakeNotificationServer::Call& call = server.calls.constFirst();
        QCOMPARE(call.app, QStringLiteral("Quenlark"));
        QCOMPARE(call.icon, QStringLiteral("org.quenlark.Quenlark"));
        QCOMPARE(call.summary, QStringLiteral("Message from bob"));
        QCOMPARE(call.body, QStringLiteral("12 seconds"));
        QCOMPARE(call.actions, QStringList({"open-messages", "Open messages"}));
        QCOMPARE(call.hints.value("desktop-entry").toString(),
                 QStringLiteral("org.quenlark.Quenlark"));

        // Another program's notification with an action of the same name is not ours.
        server.emitSignal("ActionInvoked", {99u, "open-messages"});
        server.emitSignal("ActionInvoked", {41u, "open-messages"});
        QTRY_COMPARE(open.size(), 1);
        // Once closed, the notification's id may belong to somebody else.
        server.emitSignal("NotificationClosed", {41u, 2u});
        server.emitSignal("ActionInvoked", {41u, "open-messages"});
        rig.notifications.callReported(QStringLiteral("carol"));
        rig.notifications.messageRecorded(QStringLiteral("carol"), 1);
        QTRY_COMPARE(server.calls.size(), 3);
        QCOMPARE(server.calls.at(1).summary, QStringLiteral("Call from carol"));
        QVERIFY(server.calls.at(1).actions.isEmpty());
        // Signals from the server arrive in the order sent: 41 again is seen before 43.
        server.emitSignal("ActionInvoked", {43u, "open-messages"});
        QTRY_COMPARE(open.size(), 2);
        QTest::qWait(100);
        QCOMPARE(open.size(), 2);
    }

    void remoteTextsShowAsWrittenAndLongOnesAreCut() {
        PrivateBus bus;
        const QString hostile = QStringLiteral("550 <b>no</b> & bye");
        for (const bool markup : {true, false}) {
            FakeNotificationServer server(bus.address(), markup ? QStringList{"body-markup"}
                                                                : QStringList{"body"});
            Rig rig(bus.address());
            rig.notifications.mailFailed(hostile);
            rig.notifications.chatReported(QStringLiteral("<i>eve</i>"));
            rig.notifications.mailFailed(QString(500, u'x'));
            QTRY_COMPARE(server.calls.size(), 3);
            QCOMPARE(server.calls.at(0).summary, QStringLiteral("A mail could not be sent"));
            QCOMPARE(server.calls.at(0).body,
                     markup ? QStringLiteral("550 &lt;b&gt;no&lt;/b&gt; &amp; bye") : hostile);
            QVERIFY(server.calls.at(0).actions.isEmpty()); // no "actions" capability
            QCOMPARE(server.calls.at(1).summary, QStringLiteral("Chat from <i>eve</i>"));
            QCOMPARE(server.calls.at(2).body.size(), DesktopNotifier::kMaxBody);
            QVERIFY(server.calls.at(2).body.endsWith(QStringLiteral("x...")));
        }
    }

    // The default and the stored flag are met through the Properties menu in tst_mainform.
    void theSwitchOffShowsNothing() {
        PrivateBus bus;
        FakeNotificationServer server(bus.address(), {"body"});
        Rig rig(bus.address());
        rig.notifications.setEnabled(false);
        rig.notifications.callReported(QStringLiteral("bob"));
        rig.notifications.setEnabled(true);
        rig.notifications.chatReported(QStringLiteral("bob"));
        QTRY_COMPARE(server.calls.size(), 1);
        QCOMPARE(server.calls.constFirst().summary, QStringLiteral("Chat from bob"));
    }

    // The session shows what its trackers report, and main() hands it the session bus.
    void theSessionShowsReportedCallsAndChats() {
        PrivateBus bus;
        FakeNotificationServer server(bus.address(), {"body"});
        TestServices test;
        test.language.LoadLanguagePack(QStringLiteral("en"));
        test.settings.write("BroadCastStatus", "User001", QStringLiteral("bob"));
        FakeHostTransport transport;
        SessionBackends backends = testBackends(transport, test.tempPath() + "/unsaved");
        backends.desktopBus = QDBusConnection::connectToBus(bus.address(), "session");
        {
            Session session(test.services, std::move(backends));
            const QString host = QStringLiteral(":1.42");
            transport.attach(host, 0);
            for (const char* line :
                 {"CURRENTUSERHANDLE alice", "USERSTATUS ONLINE", "CALL 7 STATUS RINGING",
                  "CALL 7 PARTNER_HANDLE carol", "CHATMESSAGE 9 STATUS RECEIVED",
                  "CHATMESSAGE 9 FROM_HANDLE dave", "CHATMESSAGE 9 BODY hi"})
                transport.notifyLine(host, QString::fromLatin1(line));
            QTRY_COMPARE(server.calls.size(), 2);
            QCOMPARE(server.calls.at(0).summary, QStringLiteral("Call from carol"));
            QCOMPARE(server.calls.at(1).summary, QStringLiteral("Chat from dave"));
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("session"));
    }

    void withoutAServerNothingFailsAndALaterServerIsFound() {
        PrivateBus bus;
        Rig rig(bus.address());
        rig.notifications.messageRecorded(QStringLiteral("bob"), 3);
        QTest::qWait(300); // the question to the absent server is answered with an error
        FakeNotificationServer server(bus.address(), {"body"});
        rig.notifications.callReported(QStringLiteral("bob"));
        QTRY_COMPARE(server.calls.size(), 1);
        QCOMPARE(server.calls.constFirst().summary, QStringLiteral("Call from bob"));
    }
};

QUENLARK_TEST_MAIN(TestDesktopNotifications)
#include "tst_desktopnotifications.moc"
