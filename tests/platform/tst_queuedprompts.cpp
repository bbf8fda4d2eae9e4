#include "platform/queuedprompts.h"

#include <QtTest>

// The prompts backend every window test relies on: if it misbehaves, those tests lie.
class TestQueuedPrompts : public QObject {
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
};

QTEST_GUILESS_MAIN(TestQueuedPrompts)
#include "tst_queuedprompts.moc"
