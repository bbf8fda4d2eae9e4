#include "platform/clock.h"
#include "shell/genlib.h"
#include "shell/loglib.h"
#include "testmain.h"

#include <QTemporaryDir>

#include <random>

using namespace GEnLib;

class TestGenLib : public QObject {
    Q_OBJECT
private slots:
    void leapYearsFollowTheGregorianRule_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("leap");
        QTest::newRow("2004") << 2004 << true;
        QTest::newRow("2000, divisible by 400") << 2000 << true;
        QTest::newRow("1900, divisible by 100") << 1900 << false;
        QTest::newRow("2100") << 2100 << false;
        QTest::newRow("2005") << 2005 << false;
    }
    void leapYearsFollowTheGregorianRule() {
        QFETCH(int, year);
        QFETCH(bool, leap);
        QCOMPARE(IsLeapYear(year), leap);
        QCOMPARE(DaysInYear(year), leap ? 366 : 365);
        QCOMPARE(DaysInMonth(year, 2), leap ? 29 : 28);
        int sum = 0;
        for (int month = 1; month <= 12; ++month)
            sum += DaysInMonth(year, month);
        QCOMPARE(sum, DaysInYear(year));
        QCOMPARE(DaysInMonth(year, 0), 0);
        QCOMPARE(DaysInMonth(year, 13), 0);
    }

    void dateToSecondsCountsCalendarDays_data() {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("display");
        auto at = [](int y, int mo, int d, int h, int mi, int s) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
        };
        QTest::newRow("epoch") << at(1970, 1, 1, 0, 0, 0) << 0LL
                               << QStringLiteral("1970/01/01 00:00.00");
        QTest::newRow("last second of day one")
            << at(1970, 1, 1, 23, 59, 59) << 86399LL << QStringLiteral("1970/01/01 23:59.59");
        QTest::newRow("second day")
            << at(1970, 1, 2, 0, 0, 0) << 86400LL << QStringLiteral("1970/01/02 00:00.00");
        QTest::newRow("leap day 2000")
            << at(2000, 2, 29, 12, 0, 0) << 951825600LL << QStringLiteral("2000/02/29 12:00.00");
        QTest::newRow("after leap day 2000")
            << at(2000, 3, 1, 0, 0, 0) << 951868800LL << QStringLiteral("2000/03/01 00:00.00");
    }
    void dateToSecondsCountsCalendarDays() {
        QFETCH(QDateTime, date);
        QFETCH(qint64, seconds);
        QFETCH(QString, display);
        QCOMPARE(DateToSeconds(date), seconds);
        QCOMPARE(SecondsToDisplay(seconds), display);
        QCOMPARE(StampToDisplay(DateToStamp(date)), display);
    }

    void secondsRoundTripOverRandomDates() {
        // Calendar arithmetic against Qt's own UTC conversion, which shares no code with it.
        std::mt19937 random(7);
        std::uniform_int_distribution<qint64> pick(0, 4102444799LL); // up to 2099
        for (int i = 0; i < 3000; ++i) {
            const qint64 count = pick(random);
            const QDateTime utc = QDateTime::fromSecsSinceEpoch(count, Qt::UTC);
            const QDateTime local(utc.date(), utc.time());
            QCOMPARE(DateToSeconds(local), count);
            QCOMPARE(SecondsToDisplay(count), utc.toString(QStringLiteral("yyyy/MM/dd HH:mm.ss")));
        }
    }

    void secondsToDisplayTracesItsSumsAtLevelTen() {
        QTemporaryDir dir;
        LogLib log(dir.filePath(QStringLiteral("logfile.txt")));
        log.SetLogLevel(10);
        QCOMPARE(SecondsToDisplay(31536000 + 86400 * 31 + 5, &log),
                 QStringLiteral("1971/02/01 00:00.05"));
        QFile file(log.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.value(0), QByteArray("@@@@[y=1971]34214405-31536000\r"));
        QCOMPARE(lines.value(1), QByteArray("@@@@[m=2]34214405-34214400\r"));
        QCOMPARE(lines.size(), 6); // five lines and the empty rest after the last line end
    }

    void stampToDisplayRearrangesDigits() {
        QCOMPARE(StampToDisplay(QStringLiteral("20050614093005")),
                 QStringLiteral("2005/06/14 09:30.05"));
        QCOMPARE(StampToDisplay(QStringLiteral("99991399996061")),
                 QStringLiteral("9999/13/99 99:60.61")); // no validation
    }

    void fileNameOfPath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("backslashes") << QStringLiteral("C:\\a\\b.wav") << QStringLiteral("b.wav");
        QTest::newRow("slash at third") << QStringLiteral("ab/c.wav") << QStringLiteral("c.wav");
        QTest::newRow("slash at second") << QStringLiteral("x/y.wav") << QStringLiteral("x/y.wav");
        QTest::newRow("bare name") << QStringLiteral("b.wav") << QStringLiteral("b.wav");
        QTest::newRow("mixed, last wins")
            << QStringLiteral("C:\\a/b\\c.wav") << QStringLiteral("c.wav");
        QTest::newRow("trailing separator") << QStringLiteral("abc/") << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void fileNameOfPath() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(GetFileName(path), name);
    }

    void fileExistsOnlyForFiles() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.wav"));
        QFile(file).open(QIODevice::WriteOnly);
        QVERIFY(FileExists(file));
        QVERIFY(!FileExists(dir.path()));
        QVERIFY(!FileExists(dir.filePath(QStringLiteral("missing.wav"))));
        QVERIFY(!FileExists(dir.filePath(QStringLiteral("*.wav"))));
        QVERIFY(!FileExists(dir.filePath(QStringLiteral("a.wa?"))));
        QVERIFY(!FileExists(QString()));
    }

    void utf8RejectsInvalidBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("lone continuation") << QByteArray("ab\x80");
        QTest::newRow("bad second byte") << QByteArray("\xC3\x28");
        QTest::newRow("truncated at end") << QByteArray("x\xE2\x82");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF");
        QTest::newRow("surrogate half") << QByteArray("\xED\xA0\x80");
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
        QTest::newRow("0xFF") << QByteArray("\xFF");
    }
    void utf8RejectsInvalidBytes() {
        QFETCH(QByteArray, bytes);
        bool ok = true;
        QCOMPARE(Utf8Decode(bytes, &ok), QString());
        QVERIFY(!ok);
    }

    void utf8RoundTripsEveryText_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("ascii") << QStringLiteral("CALL 12 STATUS RINGING");
        QTest::newRow("japanese") << QStringLiteral("こんにちは");
        QTest::newRow("outside the BMP") << QStringLiteral("smile 😀");
        QTest::newRow("leading byte-order mark") << QStringLiteral("\uFEFFhi");
        QTest::newRow("NUL inside") << QString(QStringLiteral("a") + QChar(0) + u'b');
    }
    void utf8RoundTripsEveryText() {
        QFETCH(QString, text);
        const QByteArray bytes = Utf8Encode(text);
        QCOMPARE(bytes.isEmpty(), text.isEmpty());
        bool ok = false;
        QCOMPARE(Utf8Decode(bytes, &ok), text);
        QVERIFY(ok);
    }

    void messageQueueSeesPostedEventsWithoutTakingThem() {
        QCoreApplication::processEvents();
        QVERIFY(IsMessageQueueEmpty());
        QObject receiver;
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        QVERIFY(!IsMessageQueueEmpty());
        QVERIFY(!IsMessageQueueEmpty()); // asking twice: the event is still there
        QCoreApplication::processEvents();
        QVERIFY(IsMessageQueueEmpty());
    }

    void constantTimeShiftMatchesTheWalk() {
        for (QChar c : kCryptAlphabet) {
            for (int n = -3; n <= 400; ++n)
                QCOMPARE(ShiftCryptChar(c, n), ShiftCryptCharByWalking(c, n));
        }
        QCOMPARE(ShiftCryptChar(u'a', 1), QStringLiteral("b"));
        QCOMPARE(ShiftCryptChar(u'_', 1), QStringLiteral("a")); // 63 wraps to 1, skipping "."
        QCOMPARE(ShiftCryptChar(u'!', 1), QStringLiteral("False"));
    }

    void scramblingKnownValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("salt");
        QTest::addColumn<QString>("scrambled");
        // "a" = 97 is odd: steps 97, then +98. "b" = 98 is even: the salt's order swaps.
        QTest::newRow("odd first")
            << QStringLiteral("aa") << QStringLiteral("ab") << QStringLiteral("abIg");
        QTest::newRow("even first")
            << QStringLiteral("aa") << QStringLiteral("ba") << QStringLiteral("baIg");
        QTest::newRow("hex salt") << QStringLiteral("Key1") << QStringLiteral("9D")
                                  << QStringLiteral("9D") + scrambleByHand(u"Key1", 57, 68);
        QTest::newRow("empty text") << QString() << QStringLiteral("xy") << QStringLiteral("xy");
        QTest::newRow("one-character salt")
            << QStringLiteral("ab") << QStringLiteral("x") << QString();
        QTest::newRow("blank in salt") << QStringLiteral("ab") << QStringLiteral("x ") << QString();
        QTest::newRow("three-character salt")
            << QStringLiteral("ab") << QStringLiteral("xyz") << QString();
        QTest::newRow("blank in text")
            << QStringLiteral("a b") << QStringLiteral("xy") << QString();
    }
    void scramblingKnownValues() {
        QFETCH(QString, text);
        QFETCH(QString, salt);
        QFETCH(QString, scrambled);
        QCOMPARE(ConvertStringToCryptString(text, salt), scrambled);
    }

    void scrambledKeysVerifyOnlyAgainstTheirKey() {
        FakeClock clock; // 2005/06/14 09:30.05 is 1118741405 = 0x42AEA39D seconds
        const QString key = QStringLiteral("Secret_Key42");
        const QString scrambled = GetCryptString(key, clock);
        QCOMPARE(scrambled.left(2), QStringLiteral("9D"));
        QCOMPARE(scrambled.size(), 2 + key.size());
        QVERIFY(IsCryptStringOf(scrambled, key));
        QVERIFY(!IsCryptStringOf(scrambled, QStringLiteral("Secret_Key43")));
        QVERIFY(!IsCryptStringOf(scrambled, key.left(key.size() - 1)));
        QString tampered = scrambled;
        tampered[5] = tampered[5] == u'a' ? u'b' : u'a';
        QVERIFY(!IsCryptStringOf(tampered, key));
        QVERIFY(!IsCryptStringOf(QString(), key));
        QVERIFY(!IsCryptStringOf(scrambled, QStringLiteral("bad key"))); // outside the alphabet
        clock.advance(1);
        QVERIFY(GetCryptString(key, clock) != scrambled); // a new salt every second
        QVERIFY(IsCryptStringOf(GetCryptString(key, clock), key));
    }

private:
    // Reference: the step counts accumulate p, q, p, q ... and each walk starts afresh.
    static QString scrambleByHand(QStringView text, int p, int q) {
        QString result;
        int steps = 0;
        for (qsizetype k = 0; k < text.size(); ++k) {
            steps += k % 2 == 0 ? p : q;
            result += ShiftCryptCharByWalking(text[k], steps);
        }
        return result;
    }
};

QUENLARK_TEST_MAIN(TestGenLib)
#include "tst_genlib.moc"
