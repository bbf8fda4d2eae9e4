// The darts window's logic with a fake host link: each side of the session in each state,
// the first-dart decision, turns, the end rule and the game record.
#include "games/dartsgame.h"
#include "games/dartslink.h"
#include "testmain.h"
#include "testservices.h"

#include <QFile>

namespace {
const QString kBob = QStringLiteral("bob");

struct FakeLink : DartsLink {
    void sendCommand(const QString& line) override { sent << line; }
    void SetUnimodeForm(const QString& name) override { unimode = name; }
    QString currentUserHandle() const override { return QStringLiteral("alice"); }
    QStringList sent;
    QString unimode;
};

// Boxes that run something while they are open, as a real modal box lets events in.
struct OpenBoxPrompts : Prompts {
    void message(const QString& text, const QString&) override {
        messages << text;
        if (whileOpen)
            std::exchange(whileOpen, {})();
    }
    bool confirm(const QString& text, const QString&) override {
        messages << text;
        return answer;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QStringList messages;
    std::function<void()> whileOpen;
    bool answer = true;
};

struct Side {
    Side() {
        test.language.LoadLanguagePack(QStringLiteral("en"));
        game.setRandomSource([this] { return randoms.isEmpty() ? 0.5 : randoms.takeFirst(); });
        game.Form_Activate();
    }
    QString control(const QString& words) const {
        return QStringLiteral("MESSAGE bob @@Quenlark@@ Arrowfall ") + words;
    }
    void from(QString words, QString sender = kBob) { game.SkypeMessageHandler(words, sender); }
    // Invites bob and lets him accept.
    void agreeAsInviter() {
        randoms = {0.00166}; // session 17
        game.Command2_Click(kBob);
        from(QStringLiteral("INVITE 17 WAITING"));
        from(QStringLiteral("INVITE 17 OK"));
    }
    // Throws one dart whose landing point comes out at (x, y) on the board.
    void throwAt(int x, int y) {
        for (int click = 0; click < 3 && game.stage() != DartsGame::Stage::Release; ++click)
            game.Command1_Click();
        auto& v = const_cast<DartsView&>(game.view());
        v.vLine.value = DartsBoard::kLeft + x;
        v.hLine.value = DartsBoard::kTop + y - 180;
        v.power.value = 0;
        v.control.value = DartsBoard::kMeterMax;
        game.Command1_Click();
    }
    void decide(int localX, int remoteX) {
        throwAt(localX, 1485);
        from(QStringLiteral("THROW 17 %1 1485").arg(remoteX));
        game.Timer3_Timer();
    }

    TestServices test;
    OpenBoxPrompts prompts;
    Services services{test.settings, prompts,      test.clock,   test.folders,
                      test.log,      test.console, test.language};
    FakeLink link;
    DartsGame game{services, link};
    QList<double> randoms;
};
} // namespace

class TestDartsGame : public QObject {
    Q_OBJECT
private slots:
    void invitedSideAnswersOnlyAWellFormedInvitation_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << "INVITE 17" << true << true;
        QTest::newRow("refused") << "INVITE 17" << true << false;
        QTest::newRow("three words") << "INVITE 17 OK" << false << true;
        QTest::newRow("leading zero") << "INVITE 017" << false << true;
        QTest::newRow("too big") << "INVITE 4294967296" << false << true;
        QTest::newRow("unknown verb") << "JOIN 17" << false << true;
    }
    void invitedSideAnswersOnlyAWellFormedInvitation() {
        QFETCH(QString, words);
        QFETCH(bool, answered);
        QFETCH(bool, accept);
        Side side;
        side.prompts.answer = accept;
        side.from(words);
        QCOMPARE(side.link.sent.size(), answered ? 2 : 0);
        if (!answered)
            return;
        const QString answer = accept ? "INVITE 17 OK" : "INVITE 17 REFUSE";
        QCOMPARE(side.link.sent,
                 QStringList({side.control("INVITE 17 WAITING"), side.control(answer)}));
        if (!accept) {
            QCOMPARE(side.game.state(), DartsGame::State::Idle);
            return;
        }
        QCOMPARE(side.game.GameState(), QStringLiteral("DecideFirst"));
        QCOMPARE(side.game.InviterHandle(), kBob);
        QCOMPARE(side.link.unimode, QStringLiteral("DartsForm"));
        QCOMPARE(side.game.stage(), DartsGame::Stage::AimAcross); // pressed once in code
        QVERIFY(!side.game.view().command2Enabled && !side.game.view().command3Enabled);
        // A second user's invitation during the session gets no answer.
        side.from(QStringLiteral("INVITE 5"), QStringLiteral("carol"));
        QCOMPARE(side.link.sent.size(), 2);
    }

    void inviterFollowsTheAnswers() {
        Side side;
        side.randoms = {0.00166};
        side.game.Command2_Click(QStringLiteral(" bob "));
        QCOMPARE(side.link.sent, QStringList(side.control("INVITE 17")));
        QCOMPARE(side.game.InviterHandle(), QStringLiteral("alice"));
        QCOMPARE(side.game.GameStamp(), QStringLiteral("20050614093005"));
        side.from(QStringLiteral("INVITE 17 OK")); // before WAITING: ignored
        side.from(QStringLiteral("INVITE 18 WAITING"));
        side.from(QStringLiteral("BYE 3")); // a late BYE of an earlier session
        QCOMPARE(side.game.state(), DartsGame::State::Inviting);
        side.from(QStringLiteral("INVITE 17 WAITING"));
        QCOMPARE(side.game.state(), DartsGame::State::WaitingAnswerToInvite);
        side.from(QStringLiteral("INVITE 17 REFUSE"));
        QCOMPARE(side.game.state(), DartsGame::State::Idle);
        QCOMPARE(side.prompts.messages.last(), side.test.language.GetLanguageString(67));
        QVERIFY(side.game.view().command3Enabled);
        QVERIFY(!side.game.timer2().isActive());
    }

    void invitationTimesOut_data() {
        QTest::addColumn<bool>("waiting");
        QTest::addColumn<int>("ticks");
        QTest::newRow("no WAITING") << false << 5;
        QTest::newRow("no answer") << true << 30;
    }
    void invitationTimesOut() {
        QFETCH(bool, waiting);
        QFETCH(int, ticks);
        Side side;
        side.randoms = {0.00166};
        side.game.Command2_Click(kBob);
        if (waiting)
            side.from(QStringLiteral("INVITE 17 WAITING"));
        for (int tick = 1; tick < ticks; ++tick)
            side.game.Timer2_Timer();
        QVERIFY(side.game.state() != DartsGame::State::Idle);
        side.game.Timer2_Timer();
        QCOMPARE(side.link.sent.last(), side.control("BYE 17"));
        QCOMPARE(side.game.state(), DartsGame::State::Idle);
        QVERIFY(side.prompts.messages.last().endsWith(waiting ? "[WaitingAnswerToInvite]"
                                                              : "[Inviting]"));
    }

    void firstDartDecision_data() {
        QTest::addColumn<int>("localX");
        QTest::addColumn<int>("remoteX");
        QTest::addColumn<bool>("inviter");
        QTest::addColumn<bool>("localBegins");
        QTest::newRow("nearer") << 700 << 900 << true << true;
        QTest::newRow("farther") << 900 << 700 << true << false;
        QTest::newRow("tie, inviting") << 800 << 800 << true << true;
        QTest::newRow("tie, invited") << 800 << 800 << false << false;
    }
    void firstDartDecision() {
        QFETCH(int, localX);
        QFETCH(int, remoteX);
        QFETCH(bool, inviter);
        QFETCH(bool, localBegins);
        Side side;
        if (inviter)
            side.agreeAsInviter();
        else
            side.from(QStringLiteral("INVITE 17"));
        side.decide(localX, remoteX);
        QCOMPARE(side.link.sent.last(),
                 side.control(QStringLiteral("THROW 17 %1 1485").arg(localX)));
        QCOMPARE(side.game.LocalBegan(), localBegins);
        QCOMPARE(side.game.state(),
                 localBegins ? DartsGame::State::InLocalGame : DartsGame::State::InRemoteGame);
        QCOMPARE(side.game.TurnCount(), localBegins ? 1 : 0);
    }

    void partnerTurnDartWhileDecidingIsPlayedWhenItsTurnStarts() {
        Side side;
        side.from(QStringLiteral("INVITE 17"));
        side.throwAt(900, 1485);
        side.from(QStringLiteral("THROW 17 700 1485"));  // the partner's first dart: nearer
        side.from(QStringLiteral("THROW 17 1485 1485")); // its turn began there already
        QCOMPARE(side.game.view().remoteFirst.point, QPoint(700, 1485));
        side.game.Timer3_Timer();
        QCOMPARE(side.game.RemoteThrowCount(), 1);
        QCOMPARE(side.game.view().remoteScore, 50);
    }

    void endRule_data() {
        QTest::addColumn<int>("first");  // the inviter's turn score (it begins)
        QTest::addColumn<int>("second"); // the partner's turn score
        QTest::addColumn<QString>("result");
        QTest::newRow("0 against 0: the second loses") << 0 << 0 << "WIN";
        QTest::newRow("equal: the second loses") << 50 << 50 << "WIN";
        QTest::newRow("higher: the game goes on") << 25 << 50 << "";
    }
    void endRule() {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QString, result);
        const auto spot = [](int score) {
            return score == 50   ? QPoint(1485, 1485)
                   : score == 25 ? QPoint(1485, 1535)
                                 : QPoint(10, 10);
        };
        Side side;
        side.agreeAsInviter();
        side.decide(700, 900);
        side.throwAt(spot(first).x(), spot(first).y());
        side.throwAt(10, 50);
        side.throwAt(10, 90);
        QCOMPARE(side.game.state(), DartsGame::State::InRemoteGame);
        side.from(QStringLiteral("THROW 17 %1 %2").arg(spot(second).x()).arg(spot(second).y()));
        side.from(QStringLiteral("THROW 17 10 50"));
        side.from(QStringLiteral("THROW 17 10 90"));
        if (result.isEmpty()) {
            QCOMPARE(side.game.state(), DartsGame::State::InLocalGame);
            QCOMPARE(side.game.TurnCount(), 2);
            return;
        }
        QCOMPARE(side.prompts.messages.last(), side.test.language.GetLanguageString(78));
        QCOMPARE(side.link.sent.last(), side.control("BYE 17"));
        QCOMPARE(side.link.unimode, QString());
        QFile history(side.game.historyPath());
        QVERIFY(history.open(QIODevice::ReadOnly));
        QCOMPARE(history.readAll(), QStringLiteral("17 alice bob 20050614093005 1 %1 %2 WIN\r\n")
                                        .arg(first)
                                        .arg(second)
                                        .toUtf8());
    }

    void touchingDartsAndADartDuringAScoreBox() {
        Side side;
        side.agreeAsInviter();
        side.decide(700, 900);
        side.throwAt(1000, 1000);
        side.throwAt(1034, 1000);
        QVERIFY(side.game.view().localDarts[1].black);
        const QStringList& boxes = side.prompts.messages;
        QCOMPARE(boxes.at(boxes.size() - 2), side.test.language.GetLanguageString(76));
        // The partner's turn starts as soon as alice's third dart goes out, while she still
        // reads its score: that dart waits for the box and is not lost.
        side.prompts.whileOpen = [&side] { side.from(QStringLiteral("THROW 17 1485 1485")); };
        side.throwAt(1069, 1000); // 35 from the second dart
        QVERIFY(!side.game.view().localDarts[2].black);
        QCOMPARE(side.game.state(), DartsGame::State::InRemoteGame);
        QCOMPARE(side.game.RemoteThrowCount(), 1);
    }

    void throwStagesDoNotDependOnTheirCaptions() {
        Side side;
        side.test.language.LoadLanguagePack(QStringLiteral("none"));
        side.agreeAsInviter();
        QCOMPARE(side.game.stageCaption(), QStringLiteral("?"));
        side.throwAt(700, 1485);
        QVERIFY(side.game.view().localFirst.shown);
    }

    void menuResetEndsTheSessionWithBye() {
        Side side;
        side.agreeAsInviter();
        side.game.resetFromMenu();
        QCOMPARE(side.link.sent.last(), side.control("BYE 17"));
        QCOMPARE(side.link.unimode, QString());
        side.game.resetFromMenu(); // idle: nothing more to say
        QCOMPARE(side.link.sent.filter("BYE").size(), 1);
    }
};

QUENLARK_TEST_MAIN(TestDartsGame)
#include "tst_dartsgame.moc"
