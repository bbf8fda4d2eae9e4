// The contact list of a whole Session on the real link against quenlark-hostsim on a private
// bus: details from the simulator's world, a pushed status change, and a call placed from the
// list.
#include "app/mainformcore.h"
#include "contactstest.h"
#include "hostsimharness.h"
#include "platform/hosttransportdbus.h"
#include "testmain.h"
#include "testsession.h"

class ContactsHostSimTest : public QObject {
    Q_OBJECT

private slots:
    void contactsAreFilledInWatchedAndCalled() {
        PrivateBus bus;
        HostSimProcess sim({"--user", "alice@" + bus.address(), "--answer-delay", "-1"});
        QVERIFY(sim.isReady());
        Contacts stored({"bob|Friends", "carol|Friends", "dave|Work", "zed|Work"}, false);
        TestServices& test = stored.test;
        DBusHostTransport transport(QDBusConnection::connectToBus(bus.address(), "program"));
        auto session = std::make_unique<Session>(
            test.services, testBackends(transport, test.tempPath() + "/unsaved"));
        MainFormCore& main = session->main();
        ContactFormCore& list = session->contacts();
        transport.registerClient();
        session->api().ConnectToSkype();
        QTRY_VERIFY_WITH_TIMEOUT(main.pongFlag(), 10000);
        main.timer1().stop(); // the test runs the supervision tick itself
        main.Timer1_Timer();
        QCOMPARE(main.skypeStatus(), QString("Connecting"));

        auto field = [&list](const QString& handle, ContactColumn column) {
            const ContactList& records = list.list();
            return ContactGridModel::cellText(records.at(records.find(handle)), column);
        };
        QTRY_COMPARE_WITH_TIMEOUT(field("zed", ContactColumn::OnlineStatus), QString("UNKNOWN"),
                                  15000);
        QCOMPARE(field("bob", ContactColumn::FullName), QString("Bob Marley"));
        QCOMPARE(field("carol", ContactColumn::Country), QString("United"));
        QCOMPARE(field("dave", ContactColumn::OnlineStatus), QString("OFFLINE"));
        QVERIFY(!field("dave", ContactColumn::LastOnline).isEmpty());

        QDBusConnection controller = QDBusConnection::connectToBus(bus.address(), "controller");
        control(controller, "SetStatus", {"dave", "ONLINE"});
        const int daveRow = list.list().rowOf(list.list().find("dave"));
        QTRY_COMPARE(list.model().index(daveRow, 0).data(Qt::BackgroundRole).value<QColor>(),
                     QColor(128, 255, 128));

        list.selectRow(list.list().rowOf(list.list().find("bob")));
        list.Command4_Click();
        QTRY_VERIFY(
            control(controller, "Calls").toStringList().contains("101 alice -> bob ringing"));
        session.reset();
        QDBusConnection::disconnectFromBus("controller");
        QDBusConnection::disconnectFromBus("program");
    }
};

QUENLARK_TEST_MAIN(ContactsHostSimTest)
#include "tst_contacts_hostsim.moc"
