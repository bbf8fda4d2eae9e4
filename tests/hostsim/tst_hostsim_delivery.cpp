// The simulator's delivery control: chats dropped, delivered twice, held and released, delayed,
// each announced by ChatRouted with its fate.
#include "hostsimharness.h"
#include "testmain.h"

#include <QDBusMessage>

namespace {
class FateRecorder : public QObject {
    Q_OBJECT
public slots:
    void chatRouted(uint, const QString&, const QString&, const QString& text,
                    const QString& fate) {
        fates << text + u' ' + fate;
    }

public:
    QStringList fates;
};

const QString kService = QStringLiteral("org.quenlark.HostSim");
const QString kPath = QStringLiteral("/org/quenlark/HostSim/Delivery");
const QString kInterface = QStringLiteral("org.quenlark.HostSimDelivery1");
} // namespace

class HostSimDeliveryTest : public QObject {
    Q_OBJECT

    QVariant delivery(QDBusConnection& bus, const QString& method, const QVariantList& args) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
        call.setArguments(args);
        return bus.call(call, QDBus::Block, 3000).arguments().value(0);
    }

private slots:
    void chatsFollowTheRules() {
        PrivateBus bus;
        HostSimProcess sim({QStringLiteral("--user"), QStringLiteral("alice@") + bus.address(),
                            QStringLiteral("--no-console")});
        QVERIFY(sim.isReady());
        TestClient alice(bus.address(), QStringLiteral("alice"));
        alice.discover();
        QTRY_COMPARE(alice.attachStatuses, QList<uint>{0});
        QDBusConnection& control = alice.connection();
        FateRecorder recorder;
        QVERIFY(control.connect(kService, kPath, kInterface, QStringLiteral("ChatRouted"),
                                &recorder,
                                SLOT(chatRouted(uint, QString, QString, QString, QString))));
        const auto chat = [&control](const char* text) {
            return ::control(
                       control, QStringLiteral("SendChat"),
                       {QStringLiteral("bob"), QStringLiteral("alice"), QString::fromLatin1(text)})
                .toUInt();
        };
        const QString bob = QStringLiteral("bob");
        const QString alice_ = QStringLiteral("alice");
        const auto line = [](uint id) {
            return QStringLiteral("CHATMESSAGE %1 STATUS RECEIVED").arg(id);
        };

        delivery(control, QStringLiteral("Drop"), {bob, alice_, 1u});
        const uint dropped = chat("one");
        QVERIFY(!alice.waitFor(line(chat("two"))).isEmpty());
        QVERIFY(!alice.lines.contains(line(dropped)));

        delivery(control, QStringLiteral("Duplicate"), {QStringLiteral("*"), alice_, 1u});
        const uint copy = chat("three") + 1;
        QVERIFY(!alice.waitFor(line(copy)).isEmpty());
        alice.command(QStringLiteral("GET CHATMESSAGE %1 BODY").arg(copy));
        QVERIFY(!alice.waitFor(QStringLiteral("CHATMESSAGE %1 BODY three").arg(copy)).isEmpty());

        delivery(control, QStringLiteral("Hold"), {bob, QString()});
        const uint held = chat("four");
        chat("five");
        QCOMPARE(delivery(control, QStringLiteral("Release"), {bob, QString()}).toUInt(), 2u);
        QVERIFY(!alice.waitFor(line(held + 1)).isEmpty());
        QVERIFY(alice.lines.indexOf(line(held)) < alice.lines.indexOf(line(held + 1)));

        delivery(control, QStringLiteral("Delay"), {bob, alice_, 100u});
        QVERIFY(!alice.waitFor(line(chat("six"))).isEmpty());
        QTRY_COMPARE(recorder.fates,
                     QStringList({"one dropped", "two delivered", "three duplicated", "four held",
                                  "five held", "six delayed"}));
    }
};

QUENLARK_TEST_MAIN(HostSimDeliveryTest)
#include "tst_hostsim_delivery.moc"
