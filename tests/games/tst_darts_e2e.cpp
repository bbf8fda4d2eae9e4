// Two copies of the program, each with its own settings and history file, on two buses,
// playing darts through quenlark-hostsim.
#include "app/mainformcore.h"
#include "games/dartsgame.h"
#include "games/dartslink.h"
#include "hostsimharness.h"
#include "platform/hosttransportdbus.h"
#include "testmain.h"
#include "testservices.h"

#include <QDBusMessage>
#include <QFile>

namespace {

// Boxes that can keep running the event loop while they are open, as a real modal box does.
struct LoopPrompts : Prompts {
    void message(const QString& text, const QString&) override {
        messages << text;
        if (whileOpen && text == trigger)
            std::exchange(whileOpen, {})();
    }
    bool confirm(const QString& text, const QString&) override {
        messages << text;
        return accept;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QStringList messages;
    QString trigger;
    std::function<void()> whileOpen;
    bool accept = true;
};

// One copy of the program: the real link on its own bus, the main window's logic, and the
// darts game. It fetches each received chat's writer and text, as the chat tracker does, and
// hands control messages to the envelope.
struct Player : HostLineTarget, DartsLink {
    Player(const QString& address, const QString& name)
        : connectionName(name), transport(QDBusConnection::connectToBus(address, name)),
          core(test.services, transport) {
        test.language.LoadLanguagePack(QStringLiteral("en"));
        transport.registerClient();
        core.api().router().setTarget(HostLineRouter::Step::Message, this);
        game.setShown(true);
        envelope.setHandler(ControlEnvelope::Feature::Arrowfall, &game);
    }
    ~Player() override { QDBusConnection::disconnectFromBus(connectionName); }

    void sendCommand(const QString& line) override {
        sent << line;
        core.api().SendCommandToSkype(line);
    }
    void SetUnimodeForm(const QString& name) override { core.SetUnimodeForm(name); }
    QString currentUserHandle() const override { return core.currentUserHandle(); }

    void SetSkypeResponse(QString& line) override {
        const QStringList words = line.split(u' ');
        if (words.size() == 4 && words[0] == QLatin1String("CHATMESSAGE") &&
            words[3] == QLatin1String("RECEIVED")) {
            core.api().SendCommandToSkype(
                QStringLiteral("GET CHATMESSAGE %1 FROM_HANDLE").arg(words[1]));
            core.api().SendCommandToSkype(QStringLiteral("GET CHATMESSAGE %1 BODY").arg(words[1]));
        } else if (words.size() >= 4 && words[2] == QLatin1String("FROM_HANDLE")) {
            writers[words[1]] = words[3];
        } else if (words.size() >= 4 && words[2] == QLatin1String("BODY")) {
            const QString body = line.section(u' ', 3);
            if (ControlEnvelope::IsControlMessage(body)) {
                dispatched << body;
                envelope.Dispatch(words[1].toInt(), body, writers.value(words[1]));
            }
        }
    }

    void attach(const QString& handle) {
        core.api().ConnectToSkype();
        QTRY_COMPARE_WITH_TIMEOUT(core.currentUserHandle(), handle, 10000);
        core.timer1().stop();
        game.Form_Activate();
    }
    QByteArray history() const {
        QFile file(game.historyPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString connectionName;
    TestServices test;
    LoopPrompts prompts;
    Services services{test.settings, prompts,      test.clock,   test.folders,
                      test.log,      test.console, test.language};
    DBusHostTransport transport;
    MainFormCore core;
    DartsGame game{services, *this};
    ControlEnvelope envelope{[this](const QString& line) { core.api().SendCommandToSkype(line); }};
    QHash<QString, QString> writers;
    QStringList sent;
    QStringList dispatched;
    int darts = 0;
};

// Aims by ticking the sweeps by hand, so each dart lands somewhere new near the bull.
void throwDart(Player& player) {
    const int n = player.darts++;
    if (player.game.stage() == DartsGame::Stage::Ready) // the second and third dart of a turn
        player.game.Command1_Click();
    const int ticks[] = {28 + (n * 7) % 5, 28 + (n * 3) % 5, 40 + (n * 11) % 20};
    for (const int count : ticks) {
        player.game.timer1().stop();
        for (int tick = 0; tick < count; ++tick)
            player.game.Timer1_Timer();
        player.game.Command1_Click();
    }
}

} // namespace

class TestDartsEndToEnd : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivateBus> busA_;
    std::unique_ptr<PrivateBus> busB_;
    std::unique_ptr<HostSimProcess> sim_;
    std::unique_ptr<Player> alice_;
    std::unique_ptr<Player> bob_;

    void delivery(const QString& method, const QVariantList& arguments) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(QStringLiteral("org.quenlark.HostSim"),
                                           QStringLiteral("/org/quenlark/HostSim/Delivery"),
                                           QStringLiteral("org.quenlark.HostSimDelivery1"), method);
        call.setArguments(arguments);
        QDBusConnection controller(QStringLiteral("controller"));
        const QDBusMessage reply = controller.call(call, QDBus::Block, 3000);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }
    void invite() {
        alice_->game.Command2_Click(QStringLiteral("bob"));
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
            QStringList{QStringLiteral("--user"), QStringLiteral("alice@") + busA_->address(),
                        QStringLiteral("--user"), QStringLiteral("bob@") + busB_->address()});
        QVERIFY(sim_->isReady());
        alice_ = std::make_unique<Player>(busA_->address(), QStringLiteral("alice-program"));
        bob_ = std::make_unique<Player>(busB_->address(), QStringLiteral("bob-program"));
        alice_->attach(QStringLiteral("alice"));
        bob_->attach(QStringLiteral("bob"));
        QVERIFY(!QTest::currentTestFailed());
        QDBusConnection::connectToBus(busA_->address(), QStringLiteral("controller"));
    }
    void cleanup() {
        QDBusConnection::disconnectFromBus(QStringLiteral("controller"));
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
                QTRY_VERIFY(!loser->dispatched.filter(QStringLiteral("BYE")).isEmpty());
            };
        }
        invite();
        QCOMPARE(alice_->core.GetUnimodeForm(), QStringLiteral("DartsForm"));
        play();
        if (QTest::currentTestFailed())
            return;
        const QList<QByteArray> a = alice_->history().trimmed().split(' ');
        const QList<QByteArray> b = bob_->history().trimmed().split(' ');
        QCOMPARE(a.size(), 8);
        QCOMPARE(b.size(), 8);
        QCOMPARE(a[0], b[0]);                // GameId
        QCOMPARE(a[1], QByteArray("alice")); // the inviter, on both sides
        QCOMPARE(b[1], QByteArray("alice"));
        QCOMPARE(a[2], QByteArray("bob"));
        QCOMPARE(b[2], QByteArray("alice"));
        QCOMPARE(a[5], b[6]); // the scores, seen from each side
        QCOMPARE(a[6], b[5]);
        QVERIFY((a[7] == "WIN" && b[7] == "LOSE") || (a[7] == "LOSE" && b[7] == "WIN"));
        QCOMPARE(alice_->core.GetUnimodeForm(), QString());
        QCOMPARE(bob_->core.GetUnimodeForm(), QString());
    }

    void refusal() {
        bob_->prompts.accept = false;
        alice_->game.Command2_Click(QStringLiteral("bob"));
        QTRY_VERIFY(alice_->prompts.messages.contains(alice_->test.language.GetLanguageString(67)));
        QCOMPARE(alice_->game.state(), DartsGame::State::Idle);
        QCOMPARE(bob_->game.state(), DartsGame::State::Idle);
    }

    void timeOutWhileDeliveryIsHeld() {
        delivery(QStringLiteral("Hold"), {QStringLiteral("alice"), QStringLiteral("bob")});
        alice_->game.Command2_Click(QStringLiteral("bob"));
        for (int tick = 0; tick < 5; ++tick)
            alice_->game.Timer2_Timer();
        QCOMPARE(alice_->game.state(), DartsGame::State::Idle);
        QVERIFY(alice_->sent.last().endsWith(QStringLiteral("BYE ") +
                                             alice_->sent.first().section(u' ', -1)));
        // The invitation and its BYE reach bob late and in order: he accepts, then it ends.
        delivery(QStringLiteral("Release"), {QStringLiteral("alice"), QStringLiteral("bob")});
        QTRY_COMPARE(bob_->dispatched.size(), 2);
        QCOMPARE(bob_->game.state(), DartsGame::State::Idle);
        QCOMPARE(bob_->core.GetUnimodeForm(), QString());
        QCOMPARE(alice_->game.state(), DartsGame::State::Idle);
    }

    void thirdUserIsIgnoredDuringASession() {
        invite();
        QDBusConnection controller(QStringLiteral("controller"));
        control(controller, QStringLiteral("SendChat"),
                {QStringLiteral("carol"), QStringLiteral("alice"),
                 QStringLiteral("@@Quenlark@@ Arrowfall INVITE 5")});
        QTRY_VERIFY(!alice_->dispatched.filter(QStringLiteral("INVITE 5")).isEmpty());
        QVERIFY(alice_->sent.filter(QStringLiteral("MESSAGE carol")).isEmpty());
        QCOMPARE(alice_->game.state(), DartsGame::State::DecideFirst);
    }
};

QUENLARK_TEST_MAIN(TestDartsEndToEnd)
#include "tst_darts_e2e.moc"
