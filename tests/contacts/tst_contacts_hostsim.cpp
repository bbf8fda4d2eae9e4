// The contact list on the real link against quenlark-hostsim on a private bus: details from
// the simulator's world, a pushed status change, and a call placed from the list.
#include "app/mainformcore.h"
#include "base/genlib.h"
#include "contactstest.h"
#include "hostsimharness.h"
#include "mainlink.h"
#include "platform/hosttransportdbus.h"
#include "testmain.h"

namespace {
const QColor kOnline(128, 255, 128);
}

class ContactsHostSimTest : public QObject {
    Q_OBJECT

private slots:
    void contactsAreFilledInWatchedAndCalled() {
        PrivateBus bus;
        HostSimProcess sim({"--user", "alice@" + bus.address(), "--answer-delay", "-1"});
        QVERIFY(sim.isReady());
        auto connection = QDBusConnection::connectToBus(bus.address(), "program");
        DBusHostTransport transport(connection);
        Contacts contacts({"bob|Friends", "carol|Friends", "dave|Work", "zed|Work"}, false);
        MainLink main(contacts.test.services, transport);
        transport.registerClient();
        // The list on the program's own link: the main window's label, the real event queue.
        ContactFormCore list(contacts.test.services,
                             {[&main](const QString& line) { main.api().SendCommandToSkype(line); },
                              [&main] { return main.skypeStatus(); }, GEnLib::IsMessageQueueEmpty});
        main.api().router().setTarget(HostLineRouter::Step::Contact, &list);
        list.Form_Load();

        main.api().ConnectToSkype();
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
                     kOnline);

        list.selectRow(list.list().rowOf(list.list().find("bob")));
        list.Command4_Click();
        QTRY_VERIFY(
            control(controller, "Calls").toStringList().contains("101 alice -> bob ringing"));
        main.api().router().setTarget(HostLineRouter::Step::Contact, nullptr);
        QDBusConnection::disconnectFromBus("controller");
        QDBusConnection::disconnectFromBus("program");
    }
};

QUENLARK_TEST_MAIN(ContactsHostSimTest)
#include "tst_contacts_hostsim.moc"
