#include "queuedprompts.h"

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
        QVERIFY(prompts.confirm(QStringLiteral("Delete?")));
        QCOMPARE(prompts.openFileName(QStringLiteral("Open"), {}, {}),
                 QStringLiteral("/tmp/a.wav"));
        QVERIFY(!prompts.confirm(QStringLiteral("Really?")));
        QCOMPARE(prompts.messages(), QStringList{QStringLiteral("Saved")});
        QCOMPARE(prompts.questions(), (QStringList{"Delete?", "Open", "Really?"}));
        prompts.queueConfirm(false);
        prompts.clear();
        QVERIFY(prompts.messages().isEmpty() && prompts.questions().isEmpty());
        prompts.queueConfirm(true); // the cleared answer is gone, this one comes first
        QVERIFY(prompts.confirm(QStringLiteral("Again?")));
    }
};

QTEST_GUILESS_MAIN(TestQueuedPrompts)
#include "tst_queuedprompts.moc"
