#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/queuedprompts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// The test backends other tests rely on: if they misbehave, every window test lies.
class TestBackends : public QObject {
    Q_OBJECT
private slots:
    void queuedPromptsAnswerInQueueOrder() {
        QueuedPrompts prompts;
        prompts.queueConfirm(true);
        prompts.queueConfirm(false);
        prompts.queueFileName(QStringLiteral("/tmp/a.wav"));
        prompts.message(QStringLiteral("Saved"));
        QCOMPARE(prompts.confirm(QStringLiteral("Delete?")), true);
        QCOMPARE(prompts.openFileName(QStringLiteral("Open"), QString(), QString()),
                 QStringLiteral("/tmp/a.wav"));
        QCOMPARE(prompts.confirm(QStringLiteral("Really?")), false);
        QCOMPARE(prompts.messages(), QStringList{QStringLiteral("Saved")});
        QCOMPARE(prompts.questions(),
                 (QStringList{QStringLiteral("Delete?"), QStringLiteral("Open"),
                              QStringLiteral("Really?")}));
        prompts.queueConfirm(false);
        prompts.clear();
        QVERIFY(prompts.messages().isEmpty() && prompts.questions().isEmpty());
        prompts.queueConfirm(true); // the cleared answer is gone, this one comes first
        QCOMPARE(prompts.confirm(QStringLiteral("Again?")), true);
    }

    void fakeClockStandsStillUntilAdvanced() {
        FakeClock clock;
        const QDateTime start = clock.now();
        QCOMPARE(clock.now(), start);
        clock.advance(90);
        QCOMPARE(clock.now(), start.addSecs(90));
    }

    void seededRandomNumbersRepeatAndStayInRange() {
        FakeClock first;
        FakeClock second;
        first.seed(42);
        second.seed(42);
        QSet<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const int value = first.randomBetween(1, 6);
            QCOMPARE(second.randomBetween(1, 6), value);
            QVERIFY(value >= 1 && value <= 6);
            seen.insert(value);
            const double fraction = first.random();
            second.random();
            QVERIFY(fraction >= 0.0 && fraction < 1.0);
        }
        QCOMPARE(seen.size(), 6); // both ends are reachable
    }

    void dataFoldersAreCreatedUnderDocuments() {
        QTemporaryDir dir;
        const FixedFolders folders(dir.path() + QStringLiteral("/Docs"), QString(), QString());
        QCOMPARE(folders.autoAnswerPath(),
                 dir.path() + QStringLiteral("/Docs/Quenlark/AutoAnswer"));
        folders.createDataFolders();
        folders.createDataFolders(); // again: the folders exist, nothing fails
        QVERIFY(QFileInfo(folders.autoAnswerPath()).isDir());
        QVERIFY(QFileInfo(folders.recordingPath()).isDir());
        QCOMPARE(folders.recordingPath(), dir.path() + QStringLiteral("/Docs/Quenlark/Recording"));
    }
};

QTEST_GUILESS_MAIN(TestBackends)
#include "tst_testbackends.moc"
