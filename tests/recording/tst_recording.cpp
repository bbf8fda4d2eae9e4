// The call recorder and the recording history on the virtual sound backend and mixer: the
// recorder's cycle and every way it can fail, the list of the recordings folder, play and
// delete.
#include "../audio/soundtestfiles.h"
#include "audio/mcilib.h"
#include "audio/mixerconfig.h"
#include "audio/mixerlib.h"
#include "platform/audiochoice.h"
#include "platform/mixervirtual.h"
#include "platform/soundvirtual.h"
#include "recording/callrecorder.h"
#include "recording/recordinghistory.h"
#include "recording/recordingnames.h"
#include "recording/recordingstatus.h"
#include "testmain.h"
#include "testservices.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<SoundBackend> virtualSound(const QString& tempFolder, bool deviceMissing) {
    const SoundTest::EnvOverride device("QUENLARK_VIRTUAL_AUDIO_DEVICE",
                                        deviceMissing ? "none" : "present");
    return AudioChoice::fromEnvironment(tempFolder).createSound();
}

// The recorder and the history as the program builds them, with notices handed to the owner
// of their alias.
struct Rig {
    explicit Rig(bool deviceMissing = false)
        : mci(virtualSound(test.tempPath() + u"/unsaved"_s, deviceMissing)) {
        test.folders.createDataFolders();
        config.setChosenSource(u"Monitor of Speakers"_s);
        recorder.setAnsweringMachineOn([this] { return answering; });
        recorder.setHostSender([this](const QString& line) { sent << line; });
        QObject::connect(&mci, &MCILib::mciNotify, &recorder, [this](const QString& alias) {
            alias == u"rr"_s ? recorder.MCINOTIFYHandler() : history.MCINOTIFYHandler();
        });
    }
    void host(const QString& text) {
        QString line = text;
        recorder.SetSkypeResponse(line);
    }
    // Lets posted completion notices arrive.
    static void settle() { QCoreApplication::processEvents(); }
    QString folder() const { return test.folders.recordingPath(); }
    QStringList files() const { return QDir(folder()).entryList(QDir::Files, QDir::Name); }
    bool mixerBack() {
        return mixer.devices[0].defaultSource == u"mic"_s && mixer.loopbackSource.isEmpty() &&
               !mixer.devices[0].sources[1].muted;
    }

    TestServices test;
    MCILib mci{AudioChoice::fromEnvironment().createSound()};
    VirtualMixer mixer;
    MixerLib mixerLib{mixer};
    MixerConfig config{test.settings, mixerLib};
    RecordingStatus status;
    RecordingHistory history{test.services, mci, status};
    CallRecorder recorder{test.services, mci, config, mixerLib, status, history};
    bool answering = false;
    QStringList sent;
};

const QDateTime kStart(QDate(2005, 8, 1), QTime(12, 34, 56));

} // namespace

class TestRecording : public QObject {
    Q_OBJECT

private slots:
    void fileNames_data() {
        QTest::addColumn<QString>("handle");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << u"bob"_s << u"20050801123456_bob.wav"_s;
        QTest::newRow("none") << QString() << u"20050801123456_.wav"_s;
        QTest::newRow("dotted") << u"bob.smith"_s << u"20050801123456_bob.smith.wav"_s;
        QTest::newRow("path") << u"../x/y"_s << u"20050801123456__._x_y.wav"_s;
        QTest::newRow("quotes") << u"a\"b\\c'"_s << u"20050801123456_a_b_c_.wav"_s;
        QTest::newRow("control") << u"\u0001e\nv"_s << u"20050801123456__e_v.wav"_s;
        QTest::newRow("long") << QString(100, u'x')
                              << u"20050801123456_"_s + QString(64, u'x') + u".wav"_s;
    }
    void fileNames() {
        QFETCH(QString, handle);
        QFETCH(QString, name);
        QCOMPARE(RecordingNames::fileName(kStart, handle), name);
        RecordingNames::Parsed parsed;
        QVERIFY(RecordingNames::parse(name, &parsed));
        QCOMPARE(parsed.caller, RecordingNames::safeHandle(handle));
    }

    void historyListsRecordingsNewestFirst() {
        Rig rig;
        const QString dir = rig.folder() + u'/';
        QVERIFY(SoundTest::writeTone(dir + u"20050801123456_bob.wav"_s, 440, 2.5));
        QVERIFY(SoundTest::writeTone(dir + u"20050802000000_carol.smith.wav"_s, 440, 3.5));
        QVERIFY(SoundTest::writeTone(dir + u"20050731235959_.wav"_s, 440, 1));
        writeTestFile(dir + u"20050804000000_broken.wav"_s, "not a sound");
        writeTestFile(dir + u"2005080112345_short.wav"_s, "");
        writeTestFile(dir + u"20050801123456_bob.txt"_s, "");
        QVERIFY(QDir(dir).mkdir(u"20050805000000_folder.wav"_s));
        QVERIFY(QFile::link(dir + u"20050801123456_bob.wav"_s, dir + u"20050806000000_link.wav"_s));
        rig.history.UpdateRecordingList();
        QStringList rows;
        for (const RecordingEntry& entry : rig.history.entries())
            rows << entry.time + u'|' + entry.caller + u'|' + QString::number(entry.seconds);
        QCOMPARE(rows, (QStringList{u"2005/08/04 00:00.00|broken|0"_s,
                                    u"2005/08/02 00:00.00|carol.smith|4"_s,
                                    u"2005/08/01 12:34.56|bob|2"_s, u"2005/07/31 23:59.59||1"_s}));
        QCOMPARE(rig.history.currentRow(), 0);
        QVERIFY(rig.history.playEnabled() && rig.history.deleteEnabled());
        // A new recording on top: the selection stays on its file.
        rig.history.selectRow(2);
        QVERIFY(SoundTest::writeTone(dir + u"20050807000000_dave.wav"_s, 440, 1));
        rig.history.UpdateRecordingList();
        QCOMPARE(rig.history.entries().at(rig.history.currentRow()).caller, u"bob"_s);
    }

    void emptyFolderDisablesPlayAndDelete() {
        Rig rig;
        rig.history.UpdateRecordingList();
        QCOMPARE(rig.history.currentRow(), -1);
        QVERIFY(!rig.history.playEnabled() && !rig.history.deleteEnabled());
        rig.history.Command2_Click();
        rig.history.Command3_Click(); // no question asked: QueuedPrompts would abort
    }

    void playsAndStopsTheSelectedFile() {
        Rig rig;
        QVERIFY(SoundTest::writeTone(rig.folder() + u"/20050801123456_bob.wav"_s, 440, 30));
        rig.history.UpdateRecordingList();
        rig.history.Command2_Click();
        QVERIFY(rig.history.playing());
        QCOMPARE(rig.status.text(), u"Playing"_s);
        QVERIFY(!rig.history.deleteEnabled() && !rig.history.closeEnabled());
        rig.history.Command2_Click(); // stop: the notice ends the playback
        QVERIFY(rig.history.playing());
        rig.settle();
        QVERIFY(!rig.history.playing());
        QCOMPARE(rig.status.text(), QString());
        QVERIFY(!rig.mci.device(u"rp"_s));
    }

    void deleteActsOnTheRowsFileAfterConfirmation_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("goneBefore");
        QTest::newRow("ok") << true << false;
        QTest::newRow("cancel") << false << false;
        QTest::newRow("already gone") << true << true;
    }
    void deleteActsOnTheRowsFileAfterConfirmation() {
        QFETCH(bool, ok);
        QFETCH(bool, goneBefore);
        Rig rig;
        const QString path = rig.folder() + u"/20050801123456_bob.smith.wav"_s;
        QVERIFY(SoundTest::writeTone(path, 440, 1));
        rig.history.UpdateRecordingList();
        if (goneBefore)
            QFile::remove(path);
        rig.test.prompts.queueConfirm(ok);
        rig.history.Command3_Click();
        QCOMPARE(rig.test.prompts.questions().value(0), u"Delete File ["_s + path + u']');
        QCOMPARE(QFile::exists(path), !ok && !goneBefore);
        QVERIFY(rig.test.prompts.messages().isEmpty());
        QCOMPARE(rig.history.entries().size(), ok || goneBefore ? 0 : 1);
    }

    void recordsTheCallAndSavesItAtItsEnd() {
        Rig rig;
        rig.test.clock.setNow(kStart);
        rig.host(u"CALL 5 STATUS RINGING"_s);
        rig.host(u"CALL 5 PARTNER_HANDLE bob"_s);
        QVERIFY(!rig.recorder.recordButtonEnabled());
        rig.host(u" CALL 5 STATUS INPROGRESS "_s);
        QVERIFY(rig.recorder.recordButtonEnabled());
        rig.recorder.RecordButton_Click();
        QVERIFY(rig.recorder.recording() && !rig.recorder.autoAnswerCheckEnabled());
        QCOMPARE(rig.status.text(), u"Recording"_s);
        QCOMPARE(rig.mixer.devices[0].defaultSource, u"spk.monitor"_s);
        QCOMPARE(rig.mixer.loopbackSource, u"mic"_s);
        // Neither another call, nor this call resuming, nor a play request ends it.
        rig.host(u"CALL 6 STATUS INPROGRESS"_s);
        rig.host(u"CALL 6 STATUS FINISHED"_s);
        rig.host(u"CALL 5 STATUS INPROGRESS"_s);
        rig.history.Command2_Click();
        rig.settle();
        QVERIFY(rig.recorder.recording());
        rig.answering = true; // the switch came back with a re-attach
        rig.host(u"CALL 5 STATUS FINISHED"_s);
        rig.settle();
        QVERIFY(!rig.recorder.recording() && rig.recorder.autoAnswerCheckEnabled());
        QVERIFY(!rig.recorder.recordButtonEnabled());
        QCOMPARE(rig.files(), QStringList{u"20050801123456_bob.wav"_s});
        QVERIFY(rig.mixerBack());
        QCOMPARE(rig.status.text(), QString());
        QCOMPARE(rig.history.entries().value(0).caller, u"bob"_s);
        QVERIFY(!rig.mci.device(u"rr"_s));
    }

    void unknownPartnerIsAskedForAndNamesTheFile() {
        Rig rig;
        rig.test.clock.setNow(kStart);
        rig.host(u"CALL 7 STATUS INPROGRESS"_s);
        rig.recorder.RecordButton_Click();
        QCOMPARE(rig.sent, QStringList{u"GET CALL 7 PARTNER_HANDLE"_s});
        rig.host(u"CALL 7 PARTNER_HANDLE carol"_s);
        rig.host(u"CALL 7 STATUS FINISHED"_s);
        rig.settle();
        QCOMPARE(rig.files(), QStringList{u"20050801123456_carol.wav"_s});
    }

    void answeringMachineOnKeepsTheButtonOff() {
        Rig rig;
        rig.answering = true;
        rig.host(u"CALL 5 STATUS INPROGRESS"_s);
        rig.recorder.RecordButton_Click();
        QVERIFY(!rig.recorder.recordButtonEnabled() && !rig.recorder.recording());
    }

    void failedStartIsUndone() {
        Rig rig(true);
        rig.host(u"CALL 5 STATUS INPROGRESS"_s);
        rig.recorder.RecordButton_Click();
        QVERIFY(!rig.recorder.recording() && rig.recorder.autoAnswerCheckEnabled());
        QVERIFY(rig.mixerBack());
        QVERIFY(!rig.status.text().isEmpty() && rig.status.idle());
        QVERIFY(!rig.mci.device(u"rr"_s));
    }

    void saveRetriesAndNeverLosesTheRecording() {
        Rig rig;
        rig.test.clock.setNow(kStart);
        rig.host(u"CALL 5 STATUS INPROGRESS"_s);
        // The folder went away: the save makes it again.
        rig.recorder.StartRecording();
        QVERIFY(QDir(rig.folder()).removeRecursively());
        rig.recorder.StopRecording();
        rig.settle();
        QCOMPARE(rig.files(), QStringList{u"20050801123456_.wav"_s});
        // A file where the folder should be: the recording is kept, a new one cannot drop it.
        rig.recorder.StartRecording();
        QVERIFY(QDir(rig.folder()).removeRecursively());
        writeTestFile(rig.folder(), "in the way");
        rig.recorder.StopRecording();
        rig.settle();
        QVERIFY(rig.recorder.hasUnsavedRecording() && !rig.status.text().isEmpty());
        QVERIFY(rig.mci.device(u"rr"_s) && rig.mixerBack());
        rig.recorder.StartRecording();
        QVERIFY(!rig.recorder.recording() && rig.mci.device(u"rr"_s));
        QFile::remove(rig.folder());
        rig.recorder.StartRecording(); // saves the kept one first, in the same second: no overwrite
        QVERIFY(rig.recorder.recording() && !rig.recorder.hasUnsavedRecording());
        QCOMPARE(rig.files(), QStringList{u"20050801123456_.wav"_s});
        rig.recorder.shutDown(); // quitting saves what records
        QCOMPARE(rig.files(), (QStringList{u"20050801123456_.wav"_s, u"20050801123457_.wav"_s}));
        QVERIFY(rig.mixerBack() && !rig.recorder.recording());
    }
};

QUENLARK_TEST_MAIN(TestRecording)
#include "tst_recording.moc"
