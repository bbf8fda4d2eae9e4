#include "base/genlib.h"
#include "fakeclock.h"
#include "shelltest.h"
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
        addRow("2004", 2004, true);
        addRow("2000, divisible by 400", 2000, true);
        addRow("1900, divisible by 100", 1900, false);
        addRow("2005", 2005, false);
    }
    void leapYearsFollowTheGregorianRule() {
        QFETCH(int, year);
        QFETCH(bool, leap);
        int sum = 0;
        for (int month = 0; month <= 13; ++month) // 0 and 13 count no days
            sum += DaysInMonth(year, month);
        QCOMPARE(sum, leap ? 366 : 365);
        QCOMPARE(DaysInMonth(year, 2), leap ? 29 : 28);
        QCOMPARE(DaysInYear(year), sum);
    }

    void secondsMatchQtOverEdgesAndRandomDates() {
        // Against Qt's own UTC conversion, which shares no code with the calendar arithmetic:
        // the epoch, the end of day one, the leap day of 2000 and the day after, then random
        // second counts up to 2099.
        QList<qint64> counts{0, 86399, 951825600, 951868800};
        std::mt19937 random(7);
        std::uniform_int_distribution<qint64> pick(0, 4102444799LL);
        for (int i = 0; i < 3000; ++i)
            counts.append(pick(random));
        for (qint64 count : counts) {
            const QDateTime utc = QDateTime::fromSecsSinceEpoch(count, Qt::UTC);
            const QDateTime local(utc.date(), utc.time());
            const QString display = utc.toString(QStringLiteral("yyyy/MM/dd HH:mm.ss"));
            QCOMPARE(DateToSeconds(local), count);
            QCOMPARE(SecondsToDisplay(count), display);
            QCOMPARE(StampToDisplay(DateToStamp(local)), display);
        }
    }

    void fileNameOfPath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name"); // a "/" only counts from the third character on
        addRow("backslashes", "C:\\a\\b.wav", "b.wav");
        addRow("slash at third", "ab/c.wav", "c.wav");
        addRow("slash at second", "x/y.wav", "x/y.wav");
        addRow("mixed, last wins", "C:\\a/b\\c.wav", "c.wav");
        addRow("trailing separator", "abc/", "");
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
        for (const QString& no : {dir.path(), dir.filePath(QStringLiteral("missing.wav")),
                                  dir.filePath(QStringLiteral("*.wav")),
                                  dir.filePath(QStringLiteral("a.wa?")), QString()})
            QVERIFY2(!FileExists(no), qPrintable(no));
    }

    void utf8DecodesOnlyStrictUtf8_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // empty for bytes that must be rejected
        addRow("lone continuation", QByteArray("ab\x80"), QString());
        addRow("truncated at end", QByteArray("x\xE2\x82"), QString());
        addRow("overlong slash", QByteArray("\xC0\xAF"), QString());
        addRow("surrogate half", QByteArray("\xED\xA0\x80"), QString());
        addRow("beyond U+10FFFF", QByteArray("\xF4\x90\x80\x80"), QString());
        addRow("outside the BMP", QByteArray("\xF0\x9F\x98\x80"), QStringLiteral("😀"));
        addRow("leading U+FEFF kept", QByteArray("\xEF\xBB\xBFhi"), QStringLiteral("\uFEFFhi"));
        addRow("NUL inside", QByteArray("a\0b", 3), QString(QStringLiteral("a") + QChar(0) + u'b'));
    }
    void utf8DecodesOnlyStrictUtf8() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        bool ok = text.isEmpty();
        QCOMPARE(Utf8Decode(bytes, &ok), text);
        QCOMPARE(ok, !text.isEmpty());
        if (ok)
            QCOMPARE(Utf8Encode(text), bytes);
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
        QCOMPARE(ShiftCryptChar(u'_', 1), QStringLiteral("a")); // 63 wraps to 1, skipping "."
        QCOMPARE(ShiftCryptChar(u'!', 1), QStringLiteral("False"));
    }

    void scramblingKnownValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("salt");
        QTest::addColumn<QString>("scrambled");
        // "a" = 97 is odd: steps 97, then +98. "b" = 98 is even: the salt's order swaps.
        addRow("odd first", "aa", "ab", "abIg");
        addRow("even first", "aa", "ba", "baIg");
        addRow("hex salt", "Key1", "9D", "9D" + scrambleByHand(u"Key1", 57, 68));
        addRow("empty text", "", "xy", "xy");
        addRow("one-character salt", "ab", "x", "");
        addRow("blank in salt", "ab", "x ", "");
        addRow("blank in text", "a b", "xy", "");
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
        QVERIFY(IsCryptStringOf(scrambled, key));
        for (const QString& other : {QStringLiteral("Secret_Key43"), key.chopped(1), QString(),
                                     QStringLiteral("bad key")}) // the last outside the alphabet
            QVERIFY2(!IsCryptStringOf(scrambled, other), qPrintable(other));
        QString tampered = scrambled;
        tampered[5] = tampered[5] == u'a' ? u'b' : u'a';
        QVERIFY(!IsCryptStringOf(tampered, key));
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
