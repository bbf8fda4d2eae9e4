// The rules both copies of a darts game must compute alike (scoring, sweeps, landing, touching,
// the numbers of the THROW message); the darts window's logic with a fake host link: each side
// of the session in each state, the first-dart decision, turns, the end rule and the game
// record; the history file and its window.
#include "games/dartsboard.h"
#include "games/dartsgame.h"
#include "games/dartshistorydialog.h"
#include "games/dartslink.h"
#include "games/dartswire.h"
#include "games/recordlib.h"
#include "openboxprompts.h"
#include "testmain.h"
#include "testservices.h"

#include <QFile>
#include <QLabel>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace {
const QString kBob = u"bob"_s;

struct FakeLink : DartsLink {
    void sendCommand(const QString& line) override { sent << line; }
    void SetUnimodeForm(const QString& name) override { unimode = name; }
    QString currentUserHandle() const override { return u"alice"_s; }
    QStringList sent;
    QString unimode;
};

struct Side {
    Side() {
        test.language.LoadLanguagePack(u"en"_s);
        game.setRandomSource([this] { return randoms.isEmpty() ? 0.5 : randoms.takeFirst(); });
        game.Form_Activate();
    }
    QString control(const QString& words) const {
        return u"MESSAGE bob @@Quenlark@@ Arrowfall "_s + words;
    }
    void from(QString words, QString sender = kBob) { game.SkypeMessageHandler(words, sender); }
    // Invites bob and lets him accept.
    void agreeAsInviter() {
        randoms = {0.00166}; // session 17
        game.Command2_Click(kBob);
        from(u"INVITE 17 WAITING"_s);
        from(u"INVITE 17 OK"_s);
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
        from(u"THROW 17 %1 1485"_s.arg(remoteX));
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

using namespace DartsBoard; // the rules

class TestDartsGame : public QObject {
    Q_OBJECT
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

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
        side.prompts.accept = accept;
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
        QCOMPARE(side.game.GameState(), u"DecideFirst"_s);
        QCOMPARE(side.game.InviterHandle(), kBob);
        QCOMPARE(side.link.unimode, u"DartsForm"_s);
        QCOMPARE(side.game.stage(), DartsGame::Stage::AimAcross); // pressed once in code
        QVERIFY(!side.game.view().command2Enabled && !side.game.view().command3Enabled);
        // A second user's invitation during the session gets no answer.
        side.from(u"INVITE 5"_s, u"carol"_s);
        QCOMPARE(side.link.sent.size(), 2);
    }

    void inviterFollowsTheAnswers() {
        Side side;
        side.randoms = {0.00166};
        side.game.Command2_Click(u" bob "_s);
        QCOMPARE(side.link.sent, QStringList(side.control("INVITE 17")));
        QCOMPARE(side.game.InviterHandle(), u"alice"_s);
        QCOMPARE(side.game.GameStamp(), u"20050614093005"_s);
        side.from(u"INVITE 17 OK"_s); // before WAITING: ignored
        side.from(u"INVITE 18 WAITING"_s);
        side.from(u"BYE 3"_s); // a late BYE of an earlier session
        QCOMPARE(side.game.state(), DartsGame::State::Inviting);
        side.from(u"INVITE 17 WAITING"_s);
        QCOMPARE(side.game.state(), DartsGame::State::WaitingAnswerToInvite);
        side.from(u"INVITE 17 REFUSE"_s);
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
            side.from(u"INVITE 17 WAITING"_s);
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
            side.from(u"INVITE 17"_s);
        side.decide(localX, remoteX);
        QCOMPARE(side.link.sent.last(), side.control(u"THROW 17 %1 1485"_s.arg(localX)));
        QCOMPARE(side.game.LocalBegan(), localBegins);
        QCOMPARE(side.game.state(),
                 localBegins ? DartsGame::State::InLocalGame : DartsGame::State::InRemoteGame);
        QCOMPARE(side.game.TurnCount(), localBegins ? 1 : 0);
    }

    void partnerTurnDartWhileDecidingIsPlayedWhenItsTurnStarts() {
        Side side;
        side.from(u"INVITE 17"_s);
        side.throwAt(900, 1485);
        side.from(u"THROW 17 700 1485"_s);  // the partner's first dart: nearer
        side.from(u"THROW 17 1485 1485"_s); // its turn began there already
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
        side.from(u"THROW 17 %1 %2"_s.arg(spot(second).x()).arg(spot(second).y()));
        side.from(u"THROW 17 10 50"_s);
        side.from(u"THROW 17 10 90"_s);
        if (result.isEmpty()) {
            QCOMPARE(side.game.state(), DartsGame::State::InLocalGame);
            QCOMPARE(side.game.TurnCount(), 2);
            return;
        }
        QCOMPARE(side.prompts.messages.last(), side.test.language.GetLanguageString(78));
        QCOMPARE(side.link.sent.last(), side.control("BYE 17"));
        QCOMPARE(side.link.unimode, QString());
        QCOMPARE(read(side.game.historyPath()),
                 u"17 alice bob 20050614093005 1 %1 %2 WIN\r\n"_s.arg(first).arg(second).toUtf8());
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
        side.prompts.whileOpen = [&side] { side.from(u"THROW 17 1485 1485"_s); };
        side.throwAt(1069, 1000); // 35 from the second dart
        QVERIFY(!side.game.view().localDarts[2].black);
        QCOMPARE(side.game.state(), DartsGame::State::InRemoteGame);
        QCOMPARE(side.game.RemoteThrowCount(), 1);
    }

    void throwStagesDoNotDependOnTheirCaptions() {
        Side side;
        side.test.language.LoadLanguagePack(u"none"_s);
        side.agreeAsInviter();
        QCOMPARE(side.game.stageCaption(), u"?"_s);
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

    void appendedRecordsReadBack() {
        TestServices test;
        const QString path = test.tempPath() + u"/Arrowfall.hist"_s;
        const GameRecord first{17, u"alice"_s, {}, u"bob"_s, 2, 60, 45, u"WIN"_s};
        const GameRecord odd{-4, u"a b\r\nc"_s, u"20050614093005"_s, u"bob"_s, 0, 0, 0, u"LOSE"_s};
        QVERIFY(RecordLib::appendGameRecord(path, first));
        QVERIFY(RecordLib::appendGameRecord(path, odd));
        QCOMPARE(read(path), QByteArray("17 alice bob  2 60 45 WIN\r\n"
                                        "-4 a_b__c bob 20050614093005 0 0 0 LOSE\r\n"));
        RecordLib store;
        QVERIFY(store.LoadGameRecords(path));
        QCOMPARE(store.records().size(), 2);
        QCOMPARE(store.records()[0], first);
        QCOMPARE(store.records()[1].Inviter, u"a_b__c"_s);
    }

    void badLinesAreSkippedAndKept() {
        TestServices test;
        const QByteArray lines = "1 a b 20050614093005 1 2 3 WIN\n" // LF only
                                 "2 a b\r\n"                        // too short
                                 "x a b s 1 2 3 WIN\r\n"            // not a number
                                 "\r\n"
                                 "3 a b s 1 2 99999999999 LOSE\r\n" // beyond 32 bits
                                 "4 a b s 1 2 3 LOSE ninth\r\n"
                                 "5 a b s 1 2 3 DRAW"; // cut short
        const QString path = writeTestFile(test.tempPath() + u"/h.hist"_s, lines);
        RecordLib store;
        QVERIFY(store.LoadGameRecords(path));
        QCOMPARE(store.records().size(), 3);
        QCOMPARE(store.records()[1].Result, u"LOSE"_s);
        QCOMPARE(store.records()[2].GameId, 5);
        QVERIFY(RecordLib::appendGameRecord(path, store.records()[0]));
        QCOMPARE(read(path), lines + "\r\n1 a b 20050614093005 1 2 3 WIN\r\n");
    }

    void failedReadAndWriteChangeNothing() {
        TestServices test;
        RecordLib store;
        store.AddGameRecord({1, {}, {}, {}, 0, 0, 0, u"WIN"_s});
        QVERIFY(!store.LoadGameRecords(test.tempPath() + u"/missing.hist"_s));
        QCOMPARE(store.records().size(), 1);
        QString error;
        QVERIFY(!RecordLib::appendGameRecord(test.tempPath() + u"/no/such/h"_s, store.records()[0],
                                             &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!store.SaveGameRecords(test.tempPath() + u"/no/such/h"_s, &error));
    }

    void historyWindowColoursAndCounts() {
        TestServices test;
        const QString path = writeTestFile(test.tempPath() + u"/h.hist"_s,
                                           "1 a b s 1 2 3 WIN\r\n2 a b s 1 2 3 LOSE\r\n"
                                           "3 a b s 1 2 3 DRAW\r\n4 a b s 1 2 3 WIN\r\n");
        DartsHistoryDialog dialog(test.services, path);
        QCOMPARE(dialog.grid().rowCount(), 4);
        QCOMPARE(dialog.grid().item(0, 0)->background().color(), QColor(255, 128, 128));
        QCOMPARE(dialog.grid().item(1, 6)->background().color(), QColor(128, 128, 255));
        QCOMPARE(dialog.grid().item(2, 3)->background().color(), QColor(Qt::white));
        QCOMPARE(dialog.findChild<QLabel*>(u"Label2"_s)->text(), u"2"_s);
        QCOMPARE(dialog.findChild<QLabel*>(u"Label4"_s)->text(), u"1"_s);
    }

    void scoreOfPoint_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QString>("area");
        QTest::addColumn<int>("score");
        const auto row = [](const char* name, double x, double y, const char* area, int score) {
            QTest::newRow(name) << x << y << QString::fromLatin1(area) << score;
        };
        row("centre", 1485, 1485, "Double Bull", 50);
        row("r 29", 1485, 1514, "Double Bull", 50);
        row("r 30", 1485, 1515, "Single Bull", 25);
        row("r 69", 1554, 1485, "Single Bull", 25);
        row("r 70", 1555, 1485, "Single", 6);
        row("r 644", 2129, 1485, "Single", 6);
        row("r 645", 2130, 1485, "Triple", 18);
        row("r 705", 2190, 1485, "Triple", 18);
        row("r 706", 2191, 1485, "Single", 6);
        row("r 1049", 2534, 1485, "Single", 6);
        row("r 1050", 2535, 1485, "Double", 12);
        row("r 1110", 2595, 1485, "Double", 12);
        row("r 1111", 2596, 1485, "", 0);
        row("above, |dx| < 1", 1485.5f, 485, "Single", 20);
        row("below", 1485, 2485, "Single", 3);
        row("left", 485, 1485, "Single", 11);
        // Diagonals: ties go to even, but the rounded pi puts 135 degrees just short of it.
        row("45 degrees", 1985, 1985, "Single", 2);
        row("135 degrees", 985, 1985, "Single", 7);
        row("225 degrees", 985, 985, "Single", 12);
        row("315 degrees", 1985, 985, "Single", 4);
        row("k = 40", 2485, 1480, "Single", 6);
    }
    void scoreOfPoint() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QString, area);
        QFETCH(int, score);
        const PointScore result = ScoreOfPoint(float(x), float(y));
        QCOMPARE(result.area, area);
        QCOMPARE(result.score, score);
    }

    void sectorBorderTakesTheNextSectorClockwise() {
        QCOMPARE(SectorNumber(kPi / 20), 10);
        QCOMPARE(SectorNumber(kPi / 20 - 1e-9), 6);
        QCOMPARE(SectorNumber(kTwoPi - 1e-9), 6);
    }

    void sweepsTurnAtTheirEnds() {
        Sweep line{kLeft, kLeft, kLeft + kWidth, kSweepStep};
        QList<int> seen;
        for (int tick = 0; tick < 62; ++tick, line.tick())
            seen << line.value;
        // 61 places across; the tick that would pass the edge keeps the place and turns.
        QCOMPARE(seen.mid(59), QList<int>({3790, 3840, 3840}));
        QCOMPARE(line.value, kLeft + kWidth - kSweepStep);
        Sweep power{0, 0, kMeterMax, kSweepStep, false};
        power.tick(); // would go below 0
        QVERIFY(power.forward && power.value == 0);
        for (int tick = 0; tick < 70; ++tick)
            power.tick();
        QCOMPARE(power.value, 2550); // 3050 is beyond the full scale: back from 3000
    }

    void landingFollowsPowerAndControl() {
        const int vLine = kLeft + 1000;
        const int hLine = kTop + 2000;
        QCOMPARE(landingPoint(vLine, hLine, 2713, kMeterMax).x(), 1000.0);
        QCOMPARE(landingPoint(vLine, hLine, 2713, 0).x(), 1150.0);
        QCOMPARE(landingPoint(vLine, hLine, 0, kMeterMax).y(), 2180.0);
        QCOMPARE(landingPoint(vLine, hLine, 3000, kMeterMax).y(),
                 double(float(2000 - (3000.0 / 3015 * 200 - 180))));
        QCOMPARE(controlStart(0), 0);
        QCOMPARE(controlStart(std::nextafter(1.0, 0.0)), kMeterMax);
    }

    void touchingAndDistance() {
        QVERIFY(touches({100, 100}, {134.9, 100}));
        QVERIFY(!touches({100, 100}, {135, 100}));
        QCOMPARE(DartDistance({645, -555}), 0.0);
        QCOMPARE(DartDistance({645 + 300, -555 + 400}), 500.0);
    }

    void throwCoordinatesAreWrittenPositionally_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 1234.5f << "1234.5";
        QTest::newRow("whole") << 850.0f << "850";
        QTest::newRow("negative") << float(-19.0049744) << "-19.00497";
        QTest::newRow("seven digits") << 1322.60693f << "1322.607";
        QTest::newRow("small") << 0.125f << "0.125";
        QTest::newRow("zero") << -0.0f << "0";
    }
    void throwCoordinatesAreWrittenPositionally() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(DartsWire::formatCoordinate(value), text);
    }

    // Peer numbers: -999 stands for "refused".
    void peerNumbersAreChecked_data() {
        QTest::addColumn<bool>("coordinate");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("value");
        const std::pair<const char*, int> coordinates[] = {
            {"1234.5", 1234},       {"1235.5", 1236}, {"-0.5", 0},
            {"-2.5", -2},           {".5", 0},        {"2147483647", 2147483647},
            {"2147483647.5", -999}, {"nan", -999},    {"inf", -999},
            {"1e40", -999},         {"0x10", -999},   {"1,5", -999},
            {"+5", -999},           {"", -999}};
        const std::pair<const char*, int> sessions[] = {
            {"17", 17},   {"0", 0},     {"-3", -3},           {"017", -999},
            {"-0", -999}, {"+5", -999}, {"2147483648", -999}, {"1e3", -999}};
        for (const auto& [word, value] : coordinates)
            QTest::addRow("x %s", word) << true << QString::fromLatin1(word) << value;
        for (const auto& [word, value] : sessions)
            QTest::addRow("session %s", word) << false << QString::fromLatin1(word) << value;
    }
    void peerNumbersAreChecked() {
        QFETCH(bool, coordinate);
        QFETCH(QString, word);
        QFETCH(int, value);
        const auto read =
            coordinate ? DartsWire::parseCoordinate(word) : DartsWire::parseSessionNumber(word);
        QCOMPARE(read.value_or(-999), value);
    }
};

QUENLARK_TEST_MAIN(TestDartsGame)
#include "tst_dartsgame.moc"
