#include "shell/genlib.h"
#include "testmain.h"

class TestGenLib : public QObject {
    Q_OBJECT
private slots:
    void dateToSecondsCountsCalendarDays_data() {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("epoch") << QDateTime(QDate(1970, 1, 1), QTime(0, 0)) << 0LL;
        QTest::newRow("second day") << QDateTime(QDate(1970, 1, 2), QTime(0, 0)) << 86400LL;
        QTest::newRow("after leap day 2000")
            << QDateTime(QDate(2000, 3, 1), QTime(0, 0)) << 951868800LL;
    }
    void dateToSecondsCountsCalendarDays() {
        QFETCH(QDateTime, date);
        QFETCH(qint64, seconds);
        QCOMPARE(GEnLib::DateToSeconds(date), seconds);
    }
};

QUENLARK_TEST_MAIN(TestGenLib)
#include "tst_genlib.moc"
