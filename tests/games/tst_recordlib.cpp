// The darts history file and its window.
#include "games/dartshistorydialog.h"
#include "games/recordlib.h"
#include "testmain.h"
#include "testservices.h"

#include <QFile>
#include <QLabel>
#include <QTableWidget>

class TestRecordLib : public QObject {
    Q_OBJECT

    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

private slots:
    void appendedRecordsReadBack() {
        TestServices test;
        const QString path = test.tempPath() + QStringLiteral("/Arrowfall.hist");
        const GameRecord first{17, QStringLiteral("alice"), {}, QStringLiteral("bob"), 2, 60,
                               45, QStringLiteral("WIN")};
        const GameRecord odd{-4,
                             QStringLiteral("a b\r\nc"),
                             QStringLiteral("20050614093005"),
                             QStringLiteral("bob"),
                             0,
                             0,
                             0,
                             QStringLiteral("LOSE")};
        QVERIFY(RecordLib::appendGameRecord(path, first));
        QVERIFY(RecordLib::appendGameRecord(path, odd));
        QCOMPARE(read(path), QByteArray("17 alice bob  2 60 45 WIN\r\n"
                                        "-4 a_b__c bob 20050614093005 0 0 0 LOSE\r\n"));
        RecordLib store;
        QVERIFY(store.LoadGameRecords(path));
        QCOMPARE(store.records().size(), 2);
        QCOMPARE(store.records()[0], first);
        QCOMPARE(store.records()[1].Inviter, QStringLiteral("a_b__c"));
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
        const QString path = writeTestFile(test.tempPath() + QStringLiteral("/h.hist"), lines);
        RecordLib store;
        QVERIFY(store.LoadGameRecords(path));
        QCOMPARE(store.records().size(), 3);
        QCOMPARE(store.records()[1].Result, QStringLiteral("LOSE"));
        QCOMPARE(store.records()[2].GameId, 5);
        QVERIFY(RecordLib::appendGameRecord(path, store.records()[0]));
        QCOMPARE(read(path), lines + "\r\n1 a b 20050614093005 1 2 3 WIN\r\n");
    }

    void failedReadAndWriteChangeNothing() {
        TestServices test;
        RecordLib store;
        store.AddGameRecord({1, {}, {}, {}, 0, 0, 0, QStringLiteral("WIN")});
        QVERIFY(!store.LoadGameRecords(test.tempPath() + QStringLiteral("/missing.hist")));
        QCOMPARE(store.records().size(), 1);
        QString error;
        QVERIFY(!RecordLib::appendGameRecord(test.tempPath() + QStringLiteral("/no/such/h"),
                                             store.records()[0], &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!store.SaveGameRecords(test.tempPath() + QStringLiteral("/no/such/h"), &error));
    }

    void historyWindowColoursAndCounts() {
        TestServices test;
        const QString path = writeTestFile(test.tempPath() + QStringLiteral("/h.hist"),
                                           "1 a b s 1 2 3 WIN\r\n2 a b s 1 2 3 LOSE\r\n"
                                           "3 a b s 1 2 3 DRAW\r\n4 a b s 1 2 3 WIN\r\n");
        DartsHistoryDialog dialog(test.services, path);
        QCOMPARE(dialog.grid().rowCount(), 4);
        QCOMPARE(dialog.grid().item(0, 0)->background().color(), QColor(255, 128, 128));
        QCOMPARE(dialog.grid().item(1, 6)->background().color(), QColor(128, 128, 255));
        QCOMPARE(dialog.grid().item(2, 3)->background().color(), QColor(Qt::white));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("2"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label4"))->text(), QStringLiteral("1"));
    }
};

QUENLARK_TEST_MAIN(TestRecordLib)
#include "tst_recordlib.moc"
