// The chat control envelope: recognition, hand-over to the feature slots, the read mark.
#include "notify/controlenvelope.h"
#include "testmain.h"

namespace {

class RecordingHandler : public ControlMessageHandler {
public:
    bool takesControlMessages() const override { return open; }
    void SkypeMessageHandler(QString& text, QString& sender) override {
        received << sender + u'|' + text;
    }
    bool open = true;
    QStringList received;
};

} // namespace

class TestControlEnvelope : public QObject {
    Q_OBJECT

private slots:
    void recognisesOnlyTheExactMarkerAsFirstWord_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("control");
        QTest::newRow("marker alone") << "@@Quenlark@@" << true;
        QTest::newRow("marker and words") << "@@Quenlark@@ AutoAnswer GETLIST" << true;
        QTest::newRow("lower case") << "@@quenlark@@ AutoAnswer GETLIST" << false;
        QTest::newRow("marker later") << "hi @@Quenlark@@ AutoAnswer GETLIST" << false;
        QTest::newRow("leading blank") << " @@Quenlark@@ AutoAnswer" << false;
        QTest::newRow("glued") << "@@Quenlark@@AutoAnswer" << false;
    }
    void recognisesOnlyTheExactMarkerAsFirstWord() {
        QFETCH(QString, text);
        QFETCH(bool, control);
        QCOMPARE(ControlEnvelope::IsControlMessage(text), control);
    }

    // Every control message is marked read exactly once, delivered or not.
    void deliversToTheOpenSlotAndAlwaysMarksRead_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("answeringOpen");
        QTest::addColumn<QStringList>("answering");
        QTest::addColumn<QStringList>("darts");
        const QStringList none;
        QTest::newRow("marker alone") << "@@Quenlark@@" << true << none << none;
        QTest::newRow("marker and feature only")
            << "@@Quenlark@@ AutoAnswer" << true << none << none;
        QTest::newRow("answering") << "@@Quenlark@@ AutoAnswer GETLIST key" << true
                                   << QStringList{"bob|GETLIST key"} << none;
        QTest::newRow("switched off")
            << "@@Quenlark@@ AutoAnswer GETLIST key" << false << none << none;
        QTest::newRow("darts") << "@@Quenlark@@ Arrowfall THROW 3 20" << true << none
                               << QStringList{"bob|THROW 3 20"};
        QTest::newRow("unknown feature") << "@@Quenlark@@ Chess MOVE e4" << true << none << none;
        QTest::newRow("double blanks kept inside, cut at the ends")
            << "@@Quenlark@@ AutoAnswer  PLAY  x.wav " << true << QStringList{"bob|PLAY  x.wav"}
            << none;
        QTest::newRow("empty feature word") << "@@Quenlark@@  AutoAnswer x" << true << none << none;
    }
    void deliversToTheOpenSlotAndAlwaysMarksRead() {
        QFETCH(QString, text);
        QFETCH(bool, answeringOpen);
        QFETCH(QStringList, answering);
        QFETCH(QStringList, darts);
        QStringList sent;
        ControlEnvelope envelope([&sent](const QString& line) { sent << line; });
        RecordingHandler answeringMachine;
        RecordingHandler dartsGame;
        answeringMachine.open = answeringOpen;
        envelope.setHandler(ControlEnvelope::Feature::AutoAnswer, &answeringMachine);
        envelope.setHandler(ControlEnvelope::Feature::Arrowfall, &dartsGame);
        envelope.Dispatch(4711, text, QStringLiteral("bob"));
        QCOMPARE(answeringMachine.received, answering);
        QCOMPARE(dartsGame.received, darts);
        QCOMPARE(sent, QStringList{"SET MESSAGE 4711 SEEN"});
    }

    void emptySlotDropsTheMessage() {
        QStringList sent;
        ControlEnvelope envelope([&sent](const QString& line) { sent << line; });
        RecordingHandler game;
        envelope.setHandler(ControlEnvelope::Feature::Arrowfall, &game);
        envelope.setHandler(ControlEnvelope::Feature::Arrowfall, nullptr);
        envelope.Dispatch(7, QStringLiteral("@@Quenlark@@ Arrowfall INVITE"), QStringLiteral("x"));
        QVERIFY(game.received.isEmpty());
        QCOMPARE(sent, QStringList{"SET MESSAGE 7 SEEN"});
    }

    void buildsOutgoingControlMessages() {
        QCOMPARE(ControlEnvelope::BuildControlMessage(QStringLiteral("carol"),
                                                      ControlEnvelope::Feature::AutoAnswer,
                                                      QStringLiteral("PLAY 1")),
                 QStringLiteral("MESSAGE carol @@Quenlark@@ AutoAnswer PLAY 1"));
        QCOMPARE(ControlEnvelope::BuildControlMessage(QStringLiteral("bob"),
                                                      ControlEnvelope::Feature::Arrowfall,
                                                      QStringLiteral("BYE ")),
                 QStringLiteral("MESSAGE bob @@Quenlark@@ Arrowfall BYE "));
    }
};

QUENLARK_TEST_MAIN(TestControlEnvelope)
#include "tst_controlenvelope.moc"
