// The call recorder end to end: the program's real link to quenlark-hostsim on a private bus
// and its real sound layer and mixer on a PulseAudio daemon of the test's own. The daemon has
// the speakers (null sink "spk"), and a microphone ("mic", a virtual source on the monitor of
// the null sink "micin"). During a call the simulator plays the remote party's voice (440 Hz)
// into spk and the user's voice (880 Hz) into micin, so the microphone carries it.
#include "../audio/soundtestfiles.h"
#include "app/mainformcore.h"
#include "audio/mcilib.h"
#include "audio/mixerconfig.h"
#include "audio/mixerlib.h"
#include "hostsimharness.h"
#include "mainlink.h"
#include "platform/audiochoice.h"
#include "platform/hosttransportdbus.h"
#include "platform/mixerpulse.h"
#include "platform/sound.h"
#include "recording/callrecorder.h"
#include "recording/recordinghistory.h"
#include "recording/recordingstatus.h"
#include "testmain.h"
#include "testservices.h"

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

struct Interim {
    Interim(TestServices& test, HostTransport& transport, const QString& temp)
        : core(test.services, transport), m(AudioChoice::fromEnvironment(temp).createSound()),
          mixerLib_(mixer_), config(test.settings, mixerLib_), history(test.services, m, status),
          rec(test.services, m, config, mixerLib_, status, history) {
        core.api().router().setTarget(HostLineRouter::Step::Recording, &rec);
        QObject::connect(&m, &MCILib::mciNotify, &rec, [this](const QString& alias) {
            alias == u"rr"_s ? rec.MCINOTIFYHandler() : history.MCINOTIFYHandler();
        });
    }
    ~Interim() { rec.shutDown(); }
    MainLink core;
    MCILib m;
    PulseMixer mixer_;
    MixerLib mixerLib_;
    MixerConfig config;
    RecordingStatus status;
    RecordingHistory history;
    CallRecorder rec;
};

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
        DBusHostTransport transport(QDBusConnection::connectToBus(m_bus->address(), u"program"_s));
        auto session = std::make_unique<Interim>(test, transport, m_dir.filePath(u"unsaved"_s));
        // The mix of the speakers is what the recording hears (the mixer window's choice).
        session->config.setChosenSource(u"Monitor of Speakers"_s);
        CallRecorder& recorder = session->rec;
        transport.registerClient();
        session->core.api().ConnectToSkype();
        QTRY_VERIFY(!session->core.api().hostHandle().isEmpty());
        session->core.timer1().stop();

        const uint call = ring();
        QTRY_VERIFY(recorder.recordButtonEnabled());
        // The call tracker asks every new call's partner; as it would.
        session->core.api().SendCommandToSkype(u"GET CALL %1 PARTNER_HANDLE"_s.arg(call));
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
        const RecordingEntry first = session->history.entries().value(0);
        QCOMPARE(first.path, saved);
        QCOMPARE(first.caller, u"bob"_s);
        QCOMPARE(first.seconds, qint64(std::nearbyint(session->m.GetAudioFileLength(saved))));

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
