// The whole program core on test backends, without a widget: the router's targets in their
// order, and flows that cross features (call tracker -> answering machine -> sound notices;
// chat tracker -> control envelope -> darts game).
#include "../answering/answeringrig.h"
#include "answering/remotecontrol.h"
#include "audio/mcinotices.h"
#include "contacts/contactformcore.h"
#include "games/dartsgame.h"
#include "hosttransportfake.h"
#include "notify/calltracker.h"
#include "notify/friendslist.h"
#include "notify/messagetracker.h"
#include "notify/notifications.h"
#include "recording/callrecorder.h"
#include "testmain.h"
#include "testsession.h"

#include <QSignalSpy>
#include <QTest>

namespace {
const QString kHost = QStringLiteral(":1.42");

struct Rig {
    Rig() {
        const auto store = [this](const char* section, const char* key, const QString& value) {
            test.settings.write(QString::fromLatin1(section), QString::fromLatin1(key), value);
        };
        store("Main", "AutoAnswerFlag", QStringLiteral("1"));
        store("Main", "SendIMFlag", QStringLiteral("1"));
        store("BroadCastStatus", "User001", QStringLiteral("bob"));
        store("AutoAnswer", "RemoteControlKey", QStringLiteral("ab"));
        store("AutoAnswer", "Controler001", QStringLiteral("erin"));
        store("MixerConfig", "Control", QStringLiteral("Monitor of Speakers"));
        store("AutoAnswer", "AudioFile",
              writeTone(test.tempPath() + QStringLiteral("/greeting.wav"), 660, 0.2));
        test.folders.createDataFolders();
        transport.attach(kHost, 0);
        line(QStringLiteral("CURRENTUSERHANDLE alice"));
        line(QStringLiteral("USERSTATUS ONLINE"));
        atAttach = transport.sentLines();
        transport.clearSent();
    }
    void line(const QString& text) { transport.notifyLine(kHost, text); }
    bool sent(const QString& text) const { return transport.sentLines().contains(text); }

    TestServices test;
    FakeHostTransport transport;
    QStringList atAttach;
    Session session{test.services, testBackends(transport, test.tempPath() + "/unsaved")};
};
} // namespace

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void everyCoreTakesItsRouterStep() {
        Rig rig;
        using Step = HostLineRouter::Step;
        Notifications& notify = rig.session.notifications();
        const QList<QPair<Step, HostLineTarget*>> steps{{Step::Friends, &notify.friends()},
                                                        {Step::Message, &notify.messages()},
                                                        {Step::Call, &notify.calls()},
                                                        {Step::Main, &rig.session.main()},
                                                        {Step::Recording, &rig.session.recorder()},
                                                        {Step::Contact, &rig.session.contacts()}};
        for (const auto& [step, target] : steps)
            QCOMPARE(rig.session.router().target(step), target);
        QCOMPARE(rig.session.router().answeringMachine(), &rig.session.answering());
        // The first attach did the load steps that need no window.
        QCOMPARE(rig.atAttach.count(QStringLiteral("SEARCH FRIENDS")), 1);
    }

    // The call tracker's table tells the machine the call is incoming and who calls; the
    // greeting's and the beep's notices reach the machine; the stored answering source is
    // recorded from though no mixer window was loaded; the message is named after the
    // caller; the recipient hears of the call by chat.
    void aRingingCallIsReportedAnsweredAndRecorded() {
        Rig rig;
        AutoAnswerMachine& machine = rig.session.answering();
        rig.line(QStringLiteral("CALL 7 STATUS RINGING"));
        QVERIFY(rig.sent(QStringLiteral("GET CALL 7 PARTNER_HANDLE")));
        QCOMPARE(machine.state(), AnsweringState::CheckRinging);
        rig.line(QStringLiteral("CALL 7 PARTNER_HANDLE carol"));
        const QStringList reports =
            rig.transport.sentLines().filter(QStringLiteral("MESSAGE bob "));
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports[0].contains("carol"));
        machine.RingingTimer_Timer();
        QVERIFY(rig.sent(QStringLiteral("SET CALL 7 STATUS INPROGRESS")));
        rig.line(QStringLiteral("CALL 7 STATUS INPROGRESS"));
        QTRY_COMPARE_WITH_TIMEOUT(machine.state(), AnsweringState::Recording, 10000);
        QVERIFY(!rig.session.recorder().recording());
        const auto source = [&rig] {
            return rig.session.mixerDevice().readDevices()[0].defaultSource;
        };
        QCOMPARE(source(), QStringLiteral("spk.monitor"));
        QSignalSpy recorded(&machine, &AutoAnswerMachine::messageRecorded);
        rig.line(QStringLiteral("CALL 7 STATUS FINISHED"));
        QCOMPARE(source(), QStringLiteral("mic"));
        const auto saved = [&machine] {
            return QDir(machine.messageFolder()).entryList({QStringLiteral("*.wav")}, QDir::Files);
        };
        QTRY_COMPARE(saved().size(), 1);
        QVERIFY2(saved()[0].contains("carol"), qPrintable(saved()[0]));
        // What the desktop notification shows: the caller and the file, to measure.
        QCOMPARE(recorded.size(), 1);
        QCOMPARE(recorded[0][0].toString(), QStringLiteral("carol"));
        QCOMPARE(recorded[0][1].toString(), machine.messageFolder() + u'/' + saved()[0]);
    }

    // An unclaimed alias goes to the host link's MCINotifyTarget switch; a claimed one only
    // to its owner.
    void soundNoticesReachTheOwnerOfTheirAlias() {
        Rig rig;
        QStringList seen;
        rig.session.notices().claim(QStringLiteral("mine"),
                                    [&seen](const QString& alias) { seen << alias; });
        emit rig.session.mci().mciNotify(QStringLiteral("MINE"), 1);
        emit rig.session.mci().mciNotify(QStringLiteral("other"), 1);
        QCOMPARE(seen, QStringList{QStringLiteral("MINE")});
    }

    // A darts invitation travels as a chat: tracker, envelope, game; never reported.
    void aDartsInvitationReachesTheGameThroughTheEnvelope() {
        Rig rig;
        rig.session.darts().setShown(true);
        rig.test.prompts.queueConfirm(false);
        rig.line(QStringLiteral("CHATMESSAGE 9 STATUS RECEIVED"));
        rig.line(QStringLiteral("CHATMESSAGE 9 FROM_HANDLE dave"));
        rig.line(QStringLiteral("CHATMESSAGE 9 BODY @@Quenlark@@ Arrowfall INVITE 1234"));
        QVERIFY(
            rig.sent(QStringLiteral("MESSAGE dave @@Quenlark@@ Arrowfall INVITE 1234 WAITING")));
        QVERIFY(rig.sent(QStringLiteral("MESSAGE dave @@Quenlark@@ Arrowfall INVITE 1234 REFUSE")));
        QVERIFY(rig.transport.sentLines().filter(QStringLiteral("MESSAGE bob ")).isEmpty());
    }

    // A listed controller's login travels the same way to the remote control, which answers
    // with the key stored in the settings; with the answering switch off it is dropped.
    void aRemoteLoginReachesTheRemoteControlThroughTheEnvelope() {
        Rig rig;
        const auto chat = [&rig](int id, const QString& words) {
            rig.line(QStringLiteral("CHATMESSAGE %1 STATUS RECEIVED").arg(id));
            rig.line(QStringLiteral("CHATMESSAGE %1 FROM_HANDLE erin").arg(id));
            rig.line(QStringLiteral("CHATMESSAGE %1 BODY @@Quenlark@@ AutoAnswer ").arg(id) +
                     words);
        };
        chat(10, QStringLiteral("AUTH 1234 10XJ")); // "ab" with the salt "10"
        const QString key = rig.session.remote().sessionKey();
        QVERIFY(!key.isEmpty());
        QVERIFY(
            rig.sent(QStringLiteral("MESSAGE erin @@Quenlark@@ AutoAnswer AUTH 1234 OK ") + key));
        rig.session.main().setSwitch(MainFormCore::AutoAnswer, false);
        rig.transport.clearSent();
        chat(11, QStringLiteral("BYE ") + key);
        QCOMPARE(rig.session.remote().sessionKey(), key);
        QVERIFY(rig.transport.sentLines().filter(QStringLiteral("MESSAGE erin")).isEmpty());
    }
};

QUENLARK_TEST_MAIN(TestSession)
#include "tst_session.moc"
