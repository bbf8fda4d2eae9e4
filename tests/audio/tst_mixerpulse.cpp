// The mixer layer and its configuration against a real PulseAudio daemon. The test runs a daemon
// of its own (null sink "spk", virtual source "mic" on spk.monitor, default source mic), so
// switching the default source never disturbs other sound tests running beside it.
#include "audio/mixerconfig.h"
#include "audio/mixerlib.h"
#include "memorysettingsstore.h"
#include "platform/mixerpulse.h"
#include "soundtestfiles.h"
#include "testmain.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using SoundTest::pactl;

namespace {
QString defaultSource() {
    return pactl({u"get-default-source"_s});
}

int loopbacks() {
    return int(pactl({u"list"_s, u"short"_s, u"modules"_s}).count(u"module-loopback"_s));
}

bool micMuted() {
    return pactl({u"get-source-mute"_s, u"mic"_s}).endsWith("yes");
}
} // namespace

class TestMixerPulse : public QObject {
    Q_OBJECT
    QTemporaryDir m_runtime;
    QProcess m_daemon;
    std::unique_ptr<SoundTest::EnvOverride> m_server;
    PulseMixer m_mixer;
    MixerLib m_lib{m_mixer};

private slots:
    void initTestCase() {
        const QString server = SoundTest::startPulse(
            m_daemon, m_runtime.path(),
            {u"module-null-sink sink_name=spk"_s,
             QStringLiteral("module-virtual-source source_name=mic master=spk.monitor "
                            "source_properties=device.description=Microphone")});
        if (server.isEmpty())
            QSKIP("pulseaudio cannot be started here; the PulseAudio mixer is not tested");
        m_server = std::make_unique<SoundTest::EnvOverride>("PULSE_SERVER", server.toUtf8());
        pactl({u"set-default-source"_s, u"mic"_s});
        QCOMPARE(defaultSource(), u"mic"_s);
    }
    void cleanupTestCase() {
        m_server.reset();
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }

    void answeringSwitchSetsDefaultSourceAndRestores() {
        QStringList devices;
        QCOMPARE(m_lib.GetMixerDevices(devices), qint16(1));
        QVERIFY(!devices.first().isEmpty());
        MemorySettingsStore settings;
        MixerConfig config(settings, m_lib);
        config.SaveCurrentSetting();
        QCOMPARE(config.sourceNames().value(config.savedSourceIndex()), u"Microphone"_s);
        QStringList others = config.sourceNames();
        QCOMPARE(others.removeAll(u"Microphone"_s), 1);
        QCOMPARE(others.size(), 1); // the monitor of "spk"
        config.setChosenSource(others.first());
        config.SetMixerConfig(true);
        QCOMPARE(defaultSource(), u"spk.monitor"_s);
        config.SetMixerConfig(false);
        QCOMPARE(defaultSource(), u"mic"_s);
    }

    // Audible in the mix: the program's loopback of "mic"; muted again: no loopback left, and
    // the source itself never muted.
    void microphoneInMixIsTheProgramsLoopback() {
        m_lib.SetMicrophoneMute(0, 0);
        QCOMPARE(loopbacks(), 1);
        QVERIFY(pactl({u"list"_s, u"modules"_s}).contains(u"source=\"mic\""_s));
        QCOMPARE(m_lib.GetMicrophoneMute(0), 0);
        m_lib.SetMicrophoneMute(0, 0); // twice audible is still one loopback
        QCOMPARE(loopbacks(), 1);
        m_lib.SetMicrophoneMute(0, 1);
        QCOMPARE(loopbacks(), 0);
        QCOMPARE(m_lib.GetMicrophoneMute(0), 1);
        QVERIFY(!micMuted());
        // The program's end removes a loopback still loaded.
        {
            PulseMixer mixer;
            MixerLib lib(mixer);
            lib.SetMicrophoneMute(0, 0);
            QCOMPARE(loopbacks(), 1);
        }
        QCOMPARE(loopbacks(), 0);
    }

    void noServerMeansNoDevice() {
        {
            const SoundTest::EnvOverride gone("PULSE_SERVER", "unix:/nonexistent/quenlark");
            QStringList names{u"stale"_s};
            qint32 id = 7, count = 7;
            QCOMPARE(m_lib.GetMixerDevices(names), qint16(0));
            QVERIFY(names.isEmpty());
            QCOMPARE(m_lib.GetRecordingSources(0, names, id, count), QString());
            QVERIFY(id == 0 && count == 0);
            QVERIFY(!m_lib.SelectRecordingSource(1, 2, 0, 0));
            QVERIFY(!m_mixer.loadLoopback(0, u"mic"_s));
            m_lib.SetMicrophoneMute(0, 0);
        }
        QVERIFY(!micMuted() && loopbacks() == 0);
    }
};

QUENLARK_TEST_MAIN(TestMixerPulse)
#include "tst_mixerpulse.moc"
