// Two copies of the program, each with its own settings and history file, on two buses,
// playing darts through quenlark-hostsim.
#include "dartsplayer.h"
#include "hostsimharness.h"
#include "testmain.h"

#include <QDBusMessage>

using namespace Qt::StringLiterals;

class TestDartsEndToEnd : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivateBus> busA_;
    std::unique_ptr<PrivateBus> busB_;
    std::unique_ptr<HostSimProcess> sim_;
    std::unique_ptr<Player> alice_;
    std::unique_ptr<Player> bob_;

    void delivery(const QString& method, const QVariantList& arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            u"org.quenlark.HostSim"_s, u"/org/quenlark/HostSim/Delivery"_s,
            u"org.quenlark.HostSimDelivery1"_s, method);
        call.setArguments(arguments);
        QDBusConnection controller(u"controller"_s);
        const QDBusMessage reply = controller.call(call, QDBus::Block, 3000);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }
    void invite() {
        alice_->game.Command2_Click(u"bob"_s);
        QTRY_COMPARE(alice_->game.state(), DartsGame::State::DecideFirst);
        QTRY_COMPARE(bob_->game.state(), DartsGame::State::DecideFirst);
    }
    // Both players throw whenever their throw button waits, until both are idle again.
    void play() {
        QDeadlineTimer deadline(90000);
        while (!deadline.hasExpired()) {
            for (Player* player : {alice_.get(), bob_.get()})
                if (player->game.view().command1Enabled)
                    throwDart(*player);
            if (alice_->game.state() == DartsGame::State::Idle &&
                bob_->game.state() == DartsGame::State::Idle)
                return;
            QTest::qWait(20);
        }
        QFAIL("the game did not end");
    }

private slots:
    void init() {
        busA_ = std::make_unique<PrivateBus>();
        busB_ = std::make_unique<PrivateBus>();
        sim_ = std::make_unique<HostSimProcess>(
            QStringList{u"--user"_s, u"alice@"_s + busA_->address(), u"--user"_s,
                        u"bob@"_s + busB_->address()});
        QVERIFY(sim_->isReady());
        alice_ = std::make_unique<Player>(busA_->address(), u"alice-program"_s);
        bob_ = std::make_unique<Player>(busB_->address(), u"bob-program"_s);
        QVERIFY(alice_->attach(u"alice"_s));
        QVERIFY(bob_->attach(u"bob"_s));
        QDBusConnection::connectToBus(busA_->address(), u"controller"_s);
    }
    void cleanup() {
        QDBusConnection::disconnectFromBus(u"controller"_s);
        alice_.reset();
        bob_.reset();
        sim_.reset();
        busA_.reset();
        busB_.reset();
    }

    void wholeGameEndsWithOppositeRecords() {
        // The loser's result box stays open until the winner's BYE has come in behind it.
        for (Player* loser : {alice_.get(), bob_.get()}) {
            Player* winner = loser == alice_.get() ? bob_.get() : alice_.get();
            loser->prompts.trigger = loser->test.language.GetLanguageString(79);
            loser->prompts.whileOpen = [loser, winner] {
                QTRY_VERIFY(winner->game.state() == DartsGame::State::Idle);
                QTRY_VERIFY(!loser->dispatched.filter(u"BYE"_s).isEmpty());
            };
        }
        invite();
        QCOMPARE(alice_->core.GetUnimodeForm(), u"DartsForm"_s);
        play();
        if (QTest::currentTestFailed())
            return;
        const QList<QByteArray> a = alice_->history().trimmed().split(' ');
        const QList<QByteArray> b = bob_->history().trimmed().split(' ');
        QCOMPARE(a.size(), 8);
        QCOMPARE(b.size(), 8);
        // GameId, inviter, partner, both scores: the same game seen from each side.
        QCOMPARE(QList({a[0], a[1], a[2], a[5], a[6]}),
                 QList({b[0], b[1], QByteArray("bob"), b[6], b[5]}));
        QCOMPARE(b[2], QByteArray("alice"));
        QVERIFY((a[7] == "WIN" && b[7] == "LOSE") || (a[7] == "LOSE" && b[7] == "WIN"));
        QCOMPARE(alice_->core.GetUnimodeForm(), QString());
        QCOMPARE(bob_->core.GetUnimodeForm(), QString());
    }

    void timeOutWhileDeliveryIsHeld() {
        delivery(u"Hold"_s, {u"alice"_s, u"bob"_s});
        alice_->game.Command2_Click(u"bob"_s);
        for (int tick = 0; tick < 5; ++tick)
            alice_->game.Timer2_Timer();
        QCOMPARE(alice_->game.state(), DartsGame::State::Idle);
        QVERIFY(alice_->sent.last().endsWith(u"BYE "_s + alice_->sent.first().section(u' ', -1)));
        // The invitation and its BYE reach bob late and in order: he accepts, then it ends.
        delivery(u"Release"_s, {u"alice"_s, u"bob"_s});
        QTRY_COMPARE(bob_->dispatched.size(), 2);
        QCOMPARE(bob_->game.state(), DartsGame::State::Idle);
        QCOMPARE(bob_->core.GetUnimodeForm(), QString());
        QCOMPARE(alice_->game.state(), DartsGame::State::Idle);
    }
};

QUENLARK_TEST_MAIN(TestDartsEndToEnd)
#include "tst_darts_e2e.moc"
