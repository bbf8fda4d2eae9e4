// The answering machine's call flow on the virtual sound backend with fake neighbours.
#include "answering/messagefiles.h"
#include "answeringrig.h"
#include "host/hostlinerouter.h"
#include "testmain.h"

using namespace Qt::StringLiterals;
using State = AnsweringState;

Q_DECLARE_METATYPE(AnsweringState)

class TestAutoAnswerMachine : public QObject {
    Q_OBJECT

private slots:
    void wholeFlowCommandByCommand() {
        AnsweringRig rig;
        rig.driveTo(State::CheckRinging);
        QCOMPARE(rig.machine.stateText(), u"Check ringing"_s);
        QCOMPARE(rig.machine.ringingInterval(), 15000);
        QCOMPARE(rig.machine.ringingTag(), u"7"_s);
        rig.machine.RingingTimer_Timer();
        QCOMPARE(rig.ports.commands, QStringList{u"SET CALL 7 STATUS INPROGRESS"_s});
        QCOMPARE(rig.machine.stateText(), u"Ringing Timeout"_s);
        rig.line(u"CALL 7 STATUS INPROGRESS"_s);
        QCOMPARE(rig.machine.stateText(), u"Answering"_s);
        QCOMPARE(rig.ports.icons, QList<int>{3});
        QCOMPARE(rig.ports.mixer, (QStringList{u"save"_s, u"on"_s}));
        rig.notice(u"aap1"_s);
        QCOMPARE(rig.machine.stateText(), u"PlayingBeepForRecording"_s);
        rig.notice(u"aap2"_s);
        QCOMPARE(rig.machine.stateText(), u"Recording"_s);
        QCOMPARE(rig.machine.recordingInterval(), 20000);
        rig.machine.RecordingTimer_Timer();
        QCOMPARE(rig.ports.commands.last(), u"SET CALL 7 STATUS FINISHED"_s);
        QSignalSpy listed(&rig.machine, &AutoAnswerMachine::messagesChanged);
        rig.line(u"CALL 7 STATUS FINISHED"_s);
        QCOMPARE(rig.machine.state(), State::Idle);
        QCOMPARE(rig.messages(), QStringList{u"20050614093005_bob.wav"_s});
        QCOMPARE(rig.ports.mixer, (QStringList{u"save"_s, u"on"_s, u"off"_s}));
        QCOMPARE(rig.ports.icons, (QList<int>{3, 0}));
        QCOMPARE(listed.size(), 1);
        QVERIFY(rig.ports.mails.isEmpty());
    }

    void waitDependsOnStatus_data() {
        QTest::addColumn<bool>("online");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<int>("interval"); // 0: not answered
        QTest::newRow("online") << true << u"15"_s << 15000;
        QTest::newRow("away") << false << u"5"_s << 5000;
        QTest::newRow("zero means off") << true << u"0"_s << 0;
        QTest::newRow("not a number") << true << u"soon"_s << 0;
        QTest::newRow("negative") << false << u"-5"_s << 0;
        QTest::newRow("beyond an hour") << true << u"3601"_s << 0;
    }
    void waitDependsOnStatus() {
        QFETCH(bool, online);
        QFETCH(QString, seconds);
        QFETCH(int, interval);
        AnsweringRig rig;
        rig.ports.online = online;
        (online ? rig.machine.settings().ringingWaitSec1 : rig.machine.settings().ringingWaitSec2) =
            seconds;
        rig.driveTo(State::CheckRinging);
        QCOMPARE(rig.machine.ringingTimerActive(), interval > 0);
        QCOMPARE(rig.machine.state(), interval > 0 ? State::CheckRinging : State::Idle);
        if (interval > 0)
            QCOMPARE(rig.machine.ringingInterval(), interval);
    }

    void endStatusInEveryStateReturnsToIdle_data() {
        QTest::addColumn<AnsweringState>("at");
        QTest::addColumn<QString>("status");
        const std::pair<const char*, State> states[] = {{"ringing", State::CheckRinging},
                                                        {"timeout", State::RingingTimeout},
                                                        {"greeting", State::Answering},
                                                        {"beep", State::PlayingBeep},
                                                        {"recording", State::Recording}};
        for (const auto& [name, state] : states) {
            for (const char* status : {"FINISHED", "MISSED", "REFUSED", "FAILED"})
                QTest::addRow("%s %s", name, status) << state << QString::fromLatin1(status);
        }
    }
    void endStatusInEveryStateReturnsToIdle() {
        QFETCH(AnsweringState, at);
        QFETCH(QString, status);
        AnsweringRig rig;
        rig.driveTo(at);
        QCOMPARE(rig.machine.state(), at);
        rig.line(u"CALL 8 STATUS "_s + status); // another call's end changes nothing
        QCOMPARE(rig.machine.state(), at);
        rig.line(u"CALL 7 STATUS "_s + status);
        QCOMPARE(rig.machine.state(), State::Idle);
        QVERIFY(!rig.machine.ringingTimerActive() && !rig.machine.recordingTimerActive());
        QCOMPARE(rig.ports.mixer.count(u"on"_s), rig.ports.mixer.count(u"off"_s));
        QCOMPARE(rig.messages().size(), at == State::Recording ? 1 : 0);
        // The next call is answered.
        rig.ports.partners.insert(u"8"_s, u"carol"_s);
        rig.line(u"CALL 8 STATUS RINGING"_s);
        rig.machine.RingingTimer_Timer();
        rig.line(u"CALL 8 STATUS INPROGRESS"_s);
        QCOMPARE(rig.machine.state(), State::Answering);
    }

    // A wait ends when the user answers by hand or places a call; a recording goes on.
    void answerByHandOrOutgoingCallEndsOnlyAWait() {
        AnsweringRig rig;
        rig.driveTo(State::Recording);
        rig.line(u"CALL 9 STATUS RINGING"_s);
        QCOMPARE(rig.machine.state(), State::Recording);
        QCOMPARE(rig.machine.ringingTag(), u"7"_s);
        for (const QString& line : {u"CALL 7 STATUS INPROGRESS"_s, u"CALL 9 STATUS RINGING"_s}) {
            AnsweringRig waiting;
            waiting.driveTo(State::CheckRinging);
            waiting.line(line);
            QCOMPARE(waiting.machine.state(), State::Idle);
            QVERIFY(!waiting.machine.ringingTimerActive());
            waiting.machine.RingingTimer_Timer(); // a late tick answers nothing
            QVERIFY(waiting.ports.commands.isEmpty());
        }
    }

    void switchingOffMidCallKeepsTheMachinesLines() {
        struct Switch final : RoutingState {
            bool on = true;
            bool autoAnswerSwitch() const override { return on; }
            QString GetUnimodeForm() const override { return {}; }
        } state;
        struct Recorder final : HostLineTarget {
            QStringList lines;
            void SetSkypeResponse(QString& line) override { lines << line; }
        } recorder;
        AnsweringRig rig;
        HostLineRouter router(state);
        router.setTarget(HostLineRouter::Step::Recording, &recorder);
        router.setAnsweringMachine(&rig.machine);
        for (const QString& text : {u"CALL 7 STATUS RINGING"_s, u"CALL 7 STATUS FINISHED"_s,
                                    u"CALL 8 STATUS RINGING"_s}) {
            QString line = text;
            router.route(line);
            state.on = false; // switched off while the call rings
        }
        QCOMPARE(rig.machine.state(), State::Idle);
        QCOMPARE(recorder.lines, QStringList{u"CALL 8 STATUS RINGING"_s});
    }

    void hostSilenceEndsAWaitingState() {
        AnsweringRig rig;
        rig.driveTo(State::RingingTimeout);
        QVERIFY(rig.machine.guardTimerActive());
        rig.machine.GuardTimer_Timer();
        QCOMPARE(rig.machine.state(), State::Idle);
        // The hang-up after the maximum time is never confirmed: the message is still saved.
        rig.driveTo(State::Recording);
        rig.machine.RecordingTimer_Timer();
        rig.machine.GuardTimer_Timer();
        QCOMPARE(rig.machine.state(), State::Idle);
        QCOMPARE(rig.messages().size(), 1);
    }

    void soundFailuresNeverStick_data() {
        QTest::addColumn<QString>("greeting");
        QTest::addColumn<bool>("noDevice");
        QTest::addColumn<AnsweringState>("after"); // the state after INPROGRESS
        QTest::newRow("greeting missing") << u"/nonexistent.wav"_s << false << State::PlayingBeep;
        QTest::newRow("no sound device") << QString() << true << State::Idle;
    }
    void soundFailuresNeverStick() {
        QFETCH(QString, greeting);
        QFETCH(bool, noDevice);
        QFETCH(AnsweringState, after);
        if (noDevice)
            qputenv("QUENLARK_VIRTUAL_AUDIO_DEVICE", "none");
        AnsweringRig rig;
        qunsetenv("QUENLARK_VIRTUAL_AUDIO_DEVICE");
        if (!greeting.isEmpty())
            rig.machine.settings().audioFile = greeting;
        rig.driveTo(State::Answering);
        QCOMPARE(rig.machine.state(), after);
        rig.line(u"CALL 7 STATUS FINISHED"_s);
        QCOMPARE(rig.machine.state(), State::Idle);
        QCOMPARE(rig.ports.mixer, (QStringList{u"save"_s, u"on"_s, u"off"_s}));
        QCOMPARE(rig.ports.icons, (QList<int>{3, 0}));
    }

    void staleNoticeDoesNotSkipTheGreeting() {
        AnsweringRig rig;
        rig.driveTo(State::Answering);
        rig.line(u"CALL 7 STATUS FINISHED"_s); // closes aap1: its notice is still owed
        rig.driveTo(State::Answering);
        rig.notice(u"aap1"_s); // the old greeting's notice
        QCOMPARE(rig.machine.state(), State::Answering);
        rig.notice(u"aap1"_s);
        QCOMPARE(rig.machine.state(), State::PlayingBeep);
    }

    void fileNameIsTheAnsweredCallersAndNeverOverwrites() {
        AnsweringRig rig;
        rig.ports.partners.insert(u"7"_s, u"../evil\"x"_s);
        writeTestFile(rig.folder() + u"/20050614093005__._evil_x.wav"_s, "taken");
        rig.line(u"CALL 5 PARTNER_HANDLE mallory"_s);
        rig.driveTo(State::Recording);
        rig.line(u"CALL 7 STATUS FINISHED"_s);
        QCOMPARE(rig.messages(), (QStringList{u"20050614093005__._evil_x.wav"_s,
                                              u"20050614093006__._evil_x.wav"_s}));
    }

    void failedSaveKeepsTheCaptureForLater() {
        AnsweringRig rig;
        rig.machine.settings().mailFlag = true;
        QDir(rig.folder()).removeRecursively();
        writeTestFile(rig.folder(), "a file where the folder should be");
        rig.driveTo(State::Recording);
        rig.line(u"CALL 7 STATUS FINISHED"_s);
        QCOMPARE(rig.machine.state(), State::Idle);
        QVERIFY(rig.ports.mails.isEmpty());
        QFile::remove(rig.folder());
        rig.ports.partners.insert(u"8"_s, u"carol"_s);
        rig.line(u"CALL 8 STATUS RINGING"_s);
        rig.machine.RingingTimer_Timer();
        rig.line(u"CALL 8 STATUS INPROGRESS"_s);
        rig.notice(u"aap1"_s);
        rig.notice(u"aap2"_s); // the kept message is saved before the next recording
        QCOMPARE(rig.messages(), QStringList{u"20050614093005_bob.wav"_s});
        QCOMPARE(rig.machine.state(), State::Recording);
    }

    void captureLeftByACrashIsRecovered() {
        AnsweringRig next;
        const QString kept = next.test.tempPath() + u"/kept.wav"_s;
        {
            AnsweringRig rig;
            rig.driveTo(State::Recording);
            const QString capture = rig.mci.device(u"aar1"_s)->capturePath();
            QFile file(rig.test.folders.userDataPath() + u"/AutoAnswer-capture.txt"_s);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(QFile::copy(capture, kept)); // what a kill would leave behind
            writeTestFile(next.test.folders.userDataPath() + u"/AutoAnswer-capture.txt"_s,
                          file.readAll().replace(capture.toUtf8(), kept.toUtf8()));
        }
        QSignalSpy listed(&next.machine, &AutoAnswerMachine::messagesChanged);
        next.machine.start();
        QCOMPARE(next.messages(), QStringList{u"20050614093005_bob.wav"_s});
        QCOMPARE(listed.size(), 1);
        QVERIFY(!QFile::exists(kept));
    }

    void recordingIsMailedAsBase64() {
        AnsweringRig rig;
        rig.test.language.LoadLanguagePack(u"en"_s);
        rig.machine.settings().mailFlag = true;
        rig.driveTo(State::Recording);
        rig.line(u"CALL 7 STATUS FINISHED"_s);
        QCOMPARE(rig.ports.mails.size(), 1);
        const QStringList fields = rig.ports.mails.first().split(u'|');
        QCOMPARE(fields[0], u"==Quenlark== Auto Answering Machine [Recorded Message]"_s);
        QCOMPARE(fields[1], rig.test.language.GetLanguageString(107) +
                                u"\r\nCaller : bob\r\nRecorded : 2005/06/14 09:30.05\r\n"_s);
        QCOMPARE(fields[2], rig.test.folders.userDataPath() + u"/20050614093005_bob.wav"_s);
        QFile attachment(fields[2]);
        QVERIFY(attachment.open(QIODevice::ReadOnly));
        QVERIFY(attachment.readAll().startsWith("UklGR")); // "RIFF" in Base64
        attachment.close();
        rig.machine.mailFinished(rig.test.tempPath() + u"/greeting.wav"_s); // not its own
        QVERIFY(QFile::exists(rig.machine.settings().audioFile));
        rig.machine.mailFinished(fields[2]);
        QVERIFY(!QFile::exists(fields[2]));
    }

    void playedOrStoppedMessageBecomesHeard_data() {
        QTest::addColumn<bool>("stop");
        QTest::newRow("to its end") << false;
        QTest::newRow("stopped") << true;
    }
    void playedOrStoppedMessageBecomesHeard() {
        QFETCH(bool, stop);
        AnsweringRig rig;
        rig.connectNotices();
        const QString path =
            writeTone(rig.folder() + u"/20050801123456_john.smith.wav"_s, 440, 0.1);
        QVERIFY(rig.machine.playMessage(path));
        QCOMPARE(rig.machine.state(), State::Playing);
        rig.line(u"CALL 7 STATUS RINGING"_s); // not answered while playing
        QCOMPARE(rig.machine.state(), State::Playing);
        if (stop)
            rig.machine.stopMessage();
        QTRY_COMPARE(rig.machine.state(), State::Idle);
        QCOMPARE(rig.messages(), QStringList{u"20050801123456_john.smith.r.wav"_s});
    }
};

QUENLARK_TEST_MAIN(TestAutoAnswerMachine)
#include "tst_autoanswermachine.moc"
