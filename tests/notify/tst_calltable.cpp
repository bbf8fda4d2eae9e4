// The call table: rows by id, first and latest status, the incoming test, the model.
#include "base/genlibtext.h"
#include "notify/calltable.h"
#include "testmain.h"

#include <QAbstractItemModelTester>

class TestCallTable : public QObject {
    Q_OBJECT

private slots:
    void keepsFirstAndLatestStatusAndAnswersIncoming() {
        CallTable table;
        QAbstractItemModelTester tester(&table);
        QCOMPARE(table.AddCallID(12, {}, QStringLiteral("RINGING")), -1);
        QCOMPARE(table.AddCallID(13, {}, QStringLiteral("ROUTING")), -1);
        QCOMPARE(table.AddCallID(13, {}, QStringLiteral("RINGING")), -1);
        QCOMPARE(table.AddCallID(12, QStringLiteral("bob"), {}), 0);
        QCOMPARE(table.AddCallID(12, {}, QStringLiteral("INPROGRESS")), -1);
        QCOMPARE(table.AddCallID(12, {}, {}), -1);
        QVERIFY(table.IsRecievedCall(12));
        QVERIFY(!table.IsRecievedCall(13));
        QVERIFY(!table.IsRecievedCall(99));
        QCOMPARE(table.PartnerHandle(12), QStringLiteral("bob"));
        QCOMPARE(table.PartnerHandle(99), QString());
        const CallTable::Row& row = table.rowAt(0);
        QCOMPARE(row.firstStatus, QStringLiteral("RINGING"));
        QCOMPARE(row.lastStatus, QStringLiteral("INPROGRESS"));
        QCOMPARE(table.data(table.index(0, CallTable::IdColumn)).toString(), QStringLiteral("12"));
    }

    // A reply that created the row before any status line leaves the first status to come.
    void firstStatusArrivesAfterAnEarlyReply() {
        CallTable table;
        table.AddCallID(5, QStringLiteral("carol"), {});
        QVERIFY(!table.IsRecievedCall(5));
        table.AddCallID(5, {}, QStringLiteral("RINGING"));
        QVERIFY(table.IsRecievedCall(5));
        QCOMPARE(table.PartnerHandle(5), QStringLiteral("carol"));
    }

    void handledRowsShowBlue() {
        CallTable table;
        table.AddCallID(1, {}, QStringLiteral("RINGING"));
        QVERIFY(!table.data(table.index(0, 2), Qt::BackgroundRole).isValid());
        table.markHandled(0);
        QCOMPARE(table.data(table.index(0, 2), Qt::BackgroundRole).value<QColor>(),
                 QColor(0, 0, 255));
    }

    void hostIdsAreDecimalWordsThatFit_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<qint64>("id"); // -1: no id
        QTest::newRow("plain") << "12" << qint64(12);
        QTest::newRow("leading zeros") << "007" << qint64(7);
        QTest::newRow("largest") << "2147483647" << qint64(2147483647);
        QTest::newRow("overflow") << "2147483648" << qint64(-1);
        QTest::newRow("long zeros") << "0000000000002147483647" << qint64(2147483647);
        QTest::newRow("sign") << "+5" << qint64(-1);
        QTest::newRow("negative") << "-5" << qint64(-1);
        QTest::newRow("letters") << "12a" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("arabic digit") << QString(QChar(0x0663)) << qint64(-1);
    }
    void hostIdsAreDecimalWordsThatFit() {
        QFETCH(QString, word);
        QFETCH(qint64, id);
        const std::optional<qint32> parsed = GEnLib::ParseHostId(word);
        QCOMPARE(parsed ? qint64(*parsed) : qint64(-1), id);
    }
};

QUENLARK_TEST_MAIN(TestCallTable)
#include "tst_calltable.moc"
