// The base library (calendar, file names, strict UTF-8, key scrambling), the trace log and the
// debug console: both stay silent unless the settings ask for output.
#include "base/debugconsole.h"
#include "base/genlib.h"
#include "base/loglib.h"
#include "fakeclock.h"
#include "shell/consoleform.h"
#include "shelltest.h"
#include "testmain.h"
#include "testservices.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <random>

using namespace Qt::StringLiterals;
using namespace GEnLib;

class TestGenLib : public QObject {
    Q_OBJECT
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

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
            const QString display = utc.toString(u"yyyy/MM/dd HH:mm.ss"_s);
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
        const QString file = dir.filePath(u"a.wav"_s);
        QFile(file).open(QIODevice::WriteOnly);
        QVERIFY(FileExists(file));
        for (const QString& no : {dir.path(), dir.filePath(u"missing.wav"_s),
                                  dir.filePath(u"*.wav"_s), dir.filePath(u"a.wa?"_s), QString()})
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
        addRow("outside the BMP", QByteArray("\xF0\x9F\x98\x80"), u"😀"_s);
        addRow("leading U+FEFF kept", QByteArray("\xEF\xBB\xBFhi"), u"\uFEFFhi"_s);
        addRow("NUL inside", QByteArray("a\0b", 3), QString(u"a"_s + QChar(0) + u'b'));
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
        QCOMPARE(ShiftCryptChar(u'_', 1), u"a"_s); // 63 wraps to 1, skipping "."
        QCOMPARE(ShiftCryptChar(u'!', 1), u"False"_s);
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
        const QString key = u"Secret_Key42"_s;
        const QString scrambled = GetCryptString(key, clock);
        QCOMPARE(scrambled.left(2), u"9D"_s);
        QVERIFY(IsCryptStringOf(scrambled, key));
        for (const QString& other : {u"Secret_Key43"_s, key.chopped(1), QString(),
                                     u"bad key"_s}) // the last outside the alphabet
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

    void logLevelGatesLines_data() {
        QTest::addColumn<int>("threshold");
        QTest::addColumn<QByteArray>("written"); // each line is the level it was written at
        addRow("level 0 writes only -1", 0, QByteArray("-1\r\n"));
        addRow("level 1", 1, QByteArray("-1\r\n1\r\n2\r\n10\r\n"));
        addRow("level 2 drops traces", 2, QByteArray("-1\r\n2\r\n10\r\n"));
        addRow("level 10", 10, QByteArray("-1\r\n10\r\n"));
    }
    void logLevelGatesLines() {
        QFETCH(int, threshold);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        LogLib log(dir.filePath(u"logfile.txt"_s));
        log.SetLogLevel(threshold);
        for (int level : {-1, 0, 1, 2, 10})
            log.WriteLog(QString::number(level), level);
        QCOMPARE(contents(log.filePath()), written);
    }

    void everyCallAppendsOneLineToTheFileOnDisk() {
        QTemporaryDir dir;
        LogLib log(dir.filePath(u"logfile.txt"_s));
        log.SetLogLevel(1);
        {
            TraceScope trace(log, "MainForm", "Form_load");
            // The entry line is on disk while the operation still runs.
            QCOMPARE(contents(log.filePath()), QByteArray(">>> MainForm:Form_load\r\n"));
        }
        QVERIFY(QFile::remove(log.filePath())); // the user may delete the file at any time
        { TraceScope trace(log, "Link", "Handler", u"CALL 5 STATUS RINGING"_s); }
        log.WriteLog(u"Ü"_s, -1);
        QCOMPARE(contents(log.filePath()),
                 QByteArray(">>> Link:Handler[CALL 5 STATUS RINGING]\r\n<<< Link:Handler\r\n"
                            "\xC3\x9C\r\n"));
    }

    void unopenableLogLosesLinesQuietly() {
        QTemporaryDir dir;
        LogLib(dir.path()).WriteLog(u"lost"_s, -1); // a folder where the file is
        const QString missing = dir.filePath(u"no/such/folder/logfile.txt"_s);
        LogLib(missing).WriteLog(u"lost"_s, -1);
        QVERIFY(!QFile::exists(missing));
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void consoleWindowKeepsTheLastTenInViewAndSendsCommandsUnchanged() {
        TestServices test;
        test.console.ConsolePrint(u"dropped"_s); // the gate is closed: not kept
        test.console.StatusPrint(u"dropped"_s);
        test.console.setEnabled(true);
        test.console.ConsolePrint(u"line 1"_s); // start-up facts come first
        ConsoleForm form(test.services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (int i = 2; i <= 40; ++i)
            test.console.ConsolePrint(u"line %1"_s.arg(i));
        QListWidget* list = form.consoleList();
        QCOMPARE(list->count(), 40);
        QCOMPARE(list->item(0)->text(), u"line 1"_s);
        // Lines 31 to 40 in view, the newest at the bottom, older ones scrolled away.
        const QRect view = list->viewport()->rect();
        for (int row = 30; row < 40; ++row)
            QVERIFY(view.contains(list->visualItemRect(list->item(row))));
        QVERIFY(!view.intersects(list->visualItemRect(list->item(0))));

        QSignalSpy sent(&form, &ConsoleForm::commandEntered);
        auto* command = form.findChild<QLineEdit*>(u"CommandText"_s);
        for (const QString& text : {u" GET USER  echo123 FULLNAME "_s, QString()}) {
            command->setText(text);
            QTest::mouseClick(form.findChild<QPushButton*>(u"Command2"_s), Qt::LeftButton);
            QCOMPARE(sent.takeFirst().at(0).toString(), text); // sent as it is, even empty
        }
        test.console.StatusPrint(u"Connected"_s);
        QTest::mouseClick(form.findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
        QVERIFY(!form.isVisible()); // Exit only hides: the lists go on filling
        test.console.StatusPrint(u"still recorded while hidden"_s);
        QCOMPARE(form.statusList()->count(), 2);
        QCOMPARE(test.console.statusLines().size(), 2);
    }
};

QUENLARK_TEST_MAIN(TestGenLib)
#include "tst_genlib.moc"
