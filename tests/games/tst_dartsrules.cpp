// The rules both copies of a darts game must compute alike: scoring, sweeps, landing,
// touching, and the numbers of the THROW message.
#include "games/dartsboard.h"
#include "games/dartswire.h"
#include "testmain.h"

using namespace DartsBoard;

class TestDartsRules : public QObject {
    Q_OBJECT
private slots:
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

QUENLARK_TEST_MAIN(TestDartsRules)
#include "tst_dartsrules.moc"
