// The answering machine over real SIP: a whole Session on a private bus and a PulseAudio daemon
// of the test's own, quenlark-sip-host with alice's baresip on that daemon (through ALSA's
// PulseAudio plugin), and bob, a second baresip whose microphone is a WAV tone. bob calls
// alice, nobody answers: the machine answers after the wait, bob hears the greeting and the
// beep, and his tone is saved as a message named after him.
#include "answering/autoanswermachine.h"
#include "answering/messagefiles.h"
#include "hostsimharness.h"
#include "platform/hosttransportdbus.h"
#include "siprig.h"
#include "soundtestfiles.h"
#include "testmain.h"
#include "testservices.h"
#include "testsession.h"

#include <QScopeGuard>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {
constexpr double kGreetingHz = 660, kBeepHz = 1000, kVoiceHz = 880;

} // namespace

class TestSipHostAnswering : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_pulse, m_keepAlive, m_bridge;
    std::unique_ptr<SoundTest::EnvOverride> m_server;
    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<Caller> m_bob;
    quint16 m_alicePort = 0;
    QString m_bobHandle;

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(u"baresip"_s).isEmpty())
            QSKIP("baresip is not installed");
        endWithTheRig(m_pulse);
        endWithTheRig(m_keepAlive);
        m_server = SoundTest::startSpeakerRig(m_pulse, m_keepAlive, m_dir.path());
        if (!m_server)
            QSKIP("pulseaudio cannot be started here");

        QList<quint16> taken;
        m_alicePort = freeSipPort(taken);
        const quint16 bobPort = freeSipPort(taken), bobCtrl = freeSipPort(taken);
        QVERIFY(m_alicePort && bobPort && bobCtrl);
        m_bobHandle = u"bob@127.0.0.1:%1"_s.arg(bobPort);
        m_bus = std::make_unique<PrivateBus>();
        QVERIFY(!m_bus->address().isEmpty());
        QVERIFY2(startBridge(m_bridge, m_bus->address(), m_alicePort, m_dir.filePath(u"alice"_s),
                             u"alsa,default"_s),
                 "the bridge did not start");
        QDir(m_dir.path()).mkdir(u"bob"_s);
        // bob's microphone: 3 s of silence, then his tone for 30 s, quieter than the greeting, so
        // the greeting stays the loudest sound bob hears even when a busy machine delays it.
        const QString voice = m_dir.filePath(u"bob.wav"_s);
        QVERIFY(SoundTest::writeTone(voice, kVoiceHz, 30, 8000, 1, 0.3, 3));
        m_bob = std::make_unique<Caller>(m_dir.filePath(u"bob"_s), bobPort, bobCtrl, voice);
        QVERIFY(m_bob->isConnected());
    }

    void cleanupTestCase() {
        m_bob.reset();
        m_bridge.terminate(); // by its pid; it stops its own baresip
        if (!m_bridge.waitForFinished(10000))
            m_bridge.kill();
        m_bridge.waitForFinished(5000);
        m_keepAlive.kill();
        m_keepAlive.waitForFinished(2000);
        m_pulse.kill();
        m_pulse.waitForFinished(5000);
    }

    void unansweredCallIsAnsweredAndRecorded() {
        TestServices test;
        // A failure shows the host lines both ways.
        test.console.setEnabled(true);
        const auto showLines = qScopeGuard([&test] {
            if (QTest::currentTestFailed())
                qWarning().noquote() << test.console.consoleLines().join(u'\n');
        });
        const QString greetingFile = test.tempPath() + u"/greeting.wav"_s;
        QVERIFY(SoundTest::writeTone(greetingFile, kGreetingHz, 1.0));
        for (const auto& [key, value] : {std::pair{u"Main/AutoAnswerFlag"_s, u"1"_s},
                                         {u"AutoAnswer/AudioFile"_s, greetingFile},
                                         {u"AutoAnswer/RingingWaitSec1"_s, u"1"_s},
                                         {u"AutoAnswer/RingingWaitSec2"_s, u"1"_s},
                                         {u"AutoAnswer/RecordingMaxSec"_s, u"8"_s},
                                         {u"MixerConfig/Control"_s, u"Monitor of Speakers"_s}})
            test.settings.write(key.section(u'/', 0, 0), key.section(u'/', 1), value);
        test.folders.createDataFolders();

        DBusHostTransport transport(QDBusConnection::connectToBus(m_bus->address(), u"quenlark"_s));
        AudioChoice audio = AudioChoice::fromEnvironment(test.tempPath() + u"/unsaved"_s);
        audio.useVirtual = false;
        Session session(test.services,
                        SessionBackends{transport, audio.createSound(), audio.createMixer(),
                                        nullptr, std::make_unique<MemorySecretStore>()});
        QVERIFY(session.api().Register());
        QVERIFY(session.api().ConnectToSkype());
        QTRY_VERIFY_WITH_TIMEOUT(!session.api().hostHandle().isEmpty(), kWaitMs);

        AutoAnswerMachine& machine = session.answering();
        m_bob->send(u"dial"_s, u"sip:alice@127.0.0.1:%1"_s.arg(m_alicePort));
        QTRY_COMPARE_WITH_TIMEOUT(machine.state(), AnsweringState::Recording, kWaitMs);
        // The machine ends the call after RecordingMaxSec and saves the message. (The session
        // runs in this thread: wait with the event loop running, not in bob's blocking wait.)
        QTRY_COMPARE_WITH_TIMEOUT(machine.state(), AnsweringState::Idle, kWaitMs);
        QVERIFY(m_bob->waitForEvent(u"CALL_CLOSED"_s));

        const QStringList saved = QDir(machine.messageFolder()).entryList({u"*.wav"_s});
        QCOMPARE(saved.size(), 1);
        QCOMPARE(MessageFiles::parse(saved[0]).caller, m_bobHandle);
        const SoundTest::Sound message =
            SoundTest::readSound(machine.messageFolder() + u'/' + saved[0]);
        // bob speaks for 30 s: the machine, not bob, ended the call.
        QVERIFY2(message.valid && message.seconds() > 2 && message.seconds() < 20,
                 qPrintable(QString::number(message.seconds())));
        QCOMPARE(SoundTest::dominantHz(message.mono, message.rate), kVoiceHz);

        // What bob heard, as baresip's sndfile wrote it: the greeting, then the beep.
        const QStringList dumps =
            QDir(m_dir.filePath(u"bob"_s)).entryList({u"dump-*-dec.wav"_s}, QDir::Files);
        QCOMPARE(dumps.size(), 1);
        const SoundTest::Sound heard = SoundTest::readSound(m_dir.filePath(u"bob/"_s + dumps[0]));
        const double greeting = SoundTest::firstHeard(heard, kGreetingHz),
                     beep = SoundTest::firstHeard(heard, kBeepHz);
        QVERIFY2(greeting >= 0 && beep > greeting,
                 qPrintable(u"greeting at %1 s, beep at %2 s"_s.arg(greeting).arg(beep)));
    }
};

QUENLARK_TEST_MAIN(TestSipHostAnswering)
#include "tst_siphost_answering.moc"
