// The call recorder end to end: the program core (a Session) on its real link to
// quenlark-hostsim on a private bus and on its real sound layer and mixer on a PulseAudio
// daemon of the test's own. The daemon has the speakers (null sink "spk"), and a microphone ("mic",
// a virtual source on the monitor of the null sink "micin"). During a call the simulator plays the
// remote party's voice (440 Hz) into spk and the user's voice (880 Hz) into micin, so the
// microphone carries it.
#include "../audio/soundtestfiles.h"
#include "app/mainformcore.h"
#include "audio/mcilib.h"
#include "hostsimharness.h"
#include "platform/hosttransportdbus.h"
#include "recording/callrecorder.h"
#include "recording/recordinghistory.h"
#include "testmain.h"
#include "testservices.h"
#include "testsession.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

using namespace Qt::StringLiterals;
using SoundTest::pactl;

namespace {
constexpr double kRemoteHz = 440;
constexpr double kUserHz = 880;

int loopbacks() {
    return int(pactl({u"list"_s, u"short"_s, u"modules"_s}).count(u"module-loopback"_s));
}

bool holds(const SoundTest::Sound& sound, double hz) {
    // Against a frequency neither voice has: the tone stands far above what leaks around it.
    const double floor = SoundTest::powerAt(sound.mono, sound.rate, 660) + 1e-9;
    return SoundTest::powerAt(sound.mono, sound.rate, hz) > 100 * floor;
}
} // namespace

class TestRecordingPulse : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_daemon;
    std::unique_ptr<SoundTest::EnvOverride> m_server;
    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<HostSimProcess> m_sim;

    uint ring() {
        QDBusConnection controller(u"controller"_s);
        const uint id = control(controller, u"Ring"_s, {u"bob"_s, u"alice"_s}).toUInt();
        control(controller, u"Answer"_s, {id, u"alice"_s});
        return id;
    }
    void hangUp(uint id) {
        QDBusConnection controller(u"controller"_s);
        control(controller, u"HangUp"_s, {id, u"bob"_s});
    }

private slots:
    void initTestCase() {
        const QString server = SoundTest::startPulse(
            m_daemon, m_dir.path(),
            {u"module-null-sink sink_name=spk sink_properties=device.description=Speakers"_s,
             u"module-null-sink sink_name=micin"_s,
             u"module-virtual-source source_name=mic master=micin.monitor "
             "source_properties=device.description=Microphone"_s});
        if (server.isEmpty())
            QSKIP("pulseaudio cannot be started here; the recorder is not tested end to end");
        m_server = std::make_unique<SoundTest::EnvOverride>("PULSE_SERVER", server.toUtf8());
        pactl({u"set-default-sink"_s, u"spk"_s});
        pactl({u"set-default-source"_s, u"mic"_s});
        const QString remote = m_dir.filePath(u"remote.wav"_s);
        const QString user = m_dir.filePath(u"user.wav"_s);
        QVERIFY(SoundTest::writeTone(remote, kRemoteHz, 60));
        QVERIFY(SoundTest::writeTone(user, kUserHz, 60));
        m_bus = std::make_unique<PrivateBus>();
        m_sim = std::make_unique<HostSimProcess>(
            QStringList{u"--user"_s, u"alice@"_s + m_bus->address(), u"--no-console"_s,
                        u"--voice"_s, remote, u"--voice-device"_s, u"spk"_s, u"--mic-voice"_s, user,
                        u"--mic-voice-device"_s, u"micin"_s});
        QVERIFY(m_sim->isReady());
        QDBusConnection::connectToBus(m_bus->address(), u"controller"_s);
    }
    void cleanupTestCase() {
        m_sim.reset();
        m_bus.reset();
        m_server.reset();
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }

    void recordsBothSidesOfTheCallAndSavesAtQuit() {
        TestServices test;
        test.folders.createDataFolders();
        // The mix of the speakers is what the recording hears (the mixer window's choice).
        test.settings.write("MixerConfig", "Control", "Monitor of Speakers");
        DBusHostTransport transport(QDBusConnection::connectToBus(m_bus->address(), u"program"_s));
        // The whole program core on the real sound layer and mixer (QUENLARK_AUDIO=pulse).
        AudioChoice audio = AudioChoice::fromEnvironment(m_dir.filePath(u"unsaved"_s));
        auto session = std::make_unique<Session>(
            test.services, SessionBackends{transport, audio.createSound(), audio.createMixer(),
                                           nullptr, std::make_unique<MemorySecretStore>()});
        CallRecorder& recorder = session->recorder();
        transport.registerClient();
        session->api().ConnectToSkype();
        QTRY_VERIFY(!session->api().hostHandle().isEmpty());
        session->main().timer1().stop();

        const uint call = ring();
        QTRY_VERIFY(recorder.recordButtonEnabled());
        recorder.RecordButton_Click();
        QVERIFY(recorder.recording());
        QCOMPARE(loopbacks(), 1);
        // The null sinks hand out their sound in blocks of up to two seconds.
        QTest::qWait(5000);
        hangUp(call);
        QTRY_VERIFY_WITH_TIMEOUT(!recorder.recording(), 10000);

        const QString saved = recorder.lastSavedPath();
        QVERIFY2(QFileInfo(saved).fileName().endsWith(u"_bob.wav"_s), qPrintable(saved));
        const SoundTest::Sound sound = SoundTest::readSound(saved);
        QVERIFY(sound.valid && sound.seconds() > 2);
        QVERIFY2(holds(sound, kRemoteHz), "the remote party is missing");
        QVERIFY2(holds(sound, kUserHz), "the user's own voice is missing");
        QVERIFY(!pactl({u"get-source-mute"_s, u"mic"_s}).endsWith(u"yes"_s));
        QCOMPARE(loopbacks(), 0);
        QCOMPARE(pactl({u"get-default-source"_s}), u"mic"_s);
        const RecordingEntry first = session->recordingHistory().entries().value(0);
        QCOMPARE(first.path, saved);
        QCOMPARE(first.caller, u"bob"_s);
        QCOMPARE(first.seconds, qint64(std::nearbyint(session->mci().GetAudioFileLength(saved))));

        // Quitting while a call is recorded saves it and puts the microphone back.
        const uint second = ring();
        QTRY_VERIFY(recorder.recordButtonEnabled());
        test.clock.advance(60);
        recorder.RecordButton_Click();
        QVERIFY(recorder.recording());
        QTest::qWait(1000);
        session.reset();
        QCOMPARE(QDir(test.folders.recordingPath()).entryList(QDir::Files).size(), 2);
        QCOMPARE(loopbacks(), 0);
        hangUp(second);
        QDBusConnection::disconnectFromBus(u"program"_s);
    }
};

QUENLARK_TEST_MAIN(TestRecordingPulse)
#include "tst_recording_pulse.moc"
