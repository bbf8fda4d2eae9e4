// The mixer layer and its configuration window against a real PulseAudio daemon. The test runs
// a daemon of its own (null sink "spk", virtual source "mic" on spk.monitor, default source
// mic), so switching the default source never disturbs other sound tests running beside it.
#include "audio/mixerconfig.h"
#include "audio/mixerlib.h"
#include "platform/memorysettingsstore.h"
#include "platform/mixerpulse.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

namespace {
QString pactl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    if (!process.waitForFinished(5000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString defaultSource() {
    for (const QString& line : pactl({QStringLiteral("info")}).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Default Source: ")))
            return line.mid(16).trimmed();
    }
    return QString();
}

bool micMuted() {
    return pactl({QStringLiteral("get-source-mute"), QStringLiteral("mic")})
        .endsWith(QLatin1String("yes"));
}
} // namespace

class TestMixerPulse : public QObject {
    Q_OBJECT
    QTemporaryDir m_runtime;
    QProcess m_daemon;
    PulseMixer m_mixer;
    MixerLib m_lib{m_mixer};

private slots:
    void initTestCase() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        m_daemon.setProcessEnvironment(env);
        const QString socket = m_runtime.path() + QStringLiteral("/native");
        m_daemon.start(QStringLiteral("pulseaudio"),
                       {QStringLiteral("--daemonize=no"), QStringLiteral("-n"),
                        QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--system=no"),
                        QStringLiteral("--load=module-native-protocol-unix socket=") + socket,
                        QStringLiteral("--load=module-null-sink sink_name=spk"),
                        QStringLiteral("--load=module-virtual-source source_name=mic "
                                       "master=spk.monitor "
                                       "source_properties=device.description=Microphone"),
                        QStringLiteral("--log-target=stderr")});
        if (!m_daemon.waitForStarted(5000))
            QSKIP("pulseaudio cannot be started here; the PulseAudio mixer is not tested");
        qputenv("PULSE_SERVER", QByteArray("unix:") + socket.toUtf8());
        QElapsedTimer waited;
        waited.start();
        QStringList devices;
        while (m_lib.GetMixerDevices(devices) == 0 && waited.elapsed() < 10000)
            QTest::qWait(100);
        pactl({QStringLiteral("set-default-source"), QStringLiteral("mic")});
        if (defaultSource() != QLatin1String("mic"))
            QSKIP("the private PulseAudio daemon did not come up; see its log on stderr");
    }
    void cleanupTestCase() {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }

    void selectorListsTheServersSources() {
        QStringList devices;
        QCOMPARE(m_lib.GetMixerDevices(devices), qint16(1));
        QVERIFY(!devices.first().isEmpty());
        QStringList names;
        qint32 id = 0, count = 0;
        QCOMPARE(m_lib.GetRecordingSources(0, names, id, count), QStringLiteral("Microphone"));
        QCOMPARE(count, qint32(names.size()));
        QVERIFY(names.contains(QStringLiteral("Microphone")));
        QVERIFY(names.size() >= 2); // the sink's monitor as well
    }

    void answeringSwitchSetsDefaultSourceAndRestores() {
        MemorySettingsStore settings;
        MixerConfig config(settings, m_lib);
        config.SaveCurrentSetting();
        QCOMPARE(config.foundDeviceIndex(), 0);
        QStringList others = config.sourceNames();
        others.removeAll(QStringLiteral("Microphone"));
        QCOMPARE(others.size(), 1); // the monitor of "spk"
        config.setChosenSource(others.first());
        config.SetMixerConfig(true);
        QCOMPARE(defaultSource(), QStringLiteral("spk.monitor"));
        config.SetMixerConfig(false);
        QCOMPARE(defaultSource(), QStringLiteral("mic"));
    }

    void microphoneMuteFollowsValue() {
        m_lib.SetMicrophoneMute(0, 1);
        QVERIFY(micMuted());
        m_lib.SetMicrophoneMute(0, 0);
        QVERIFY(!micMuted());
    }

    void noServerMeansNoDevice() {
        const QByteArray server = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", QByteArray("unix:") + m_runtime.path().toUtf8() + "/nobody");
        QStringList names{QStringLiteral("stale")};
        qint32 id = 7, count = 7;
        QCOMPARE(m_lib.GetMixerDevices(names), qint16(0));
        QVERIFY(names.isEmpty());
        QCOMPARE(m_lib.GetRecordingSources(0, names, id, count), QString());
        QCOMPARE(id, 0);
        QCOMPARE(count, 0);
        QVERIFY(!m_lib.SelectRecordingSource(1, 2, 0, 0));
        QVERIFY(!m_mixer.setSourceMute(0, QStringLiteral("mic"), true));
        m_lib.SetMicrophoneMute(0, 1);
        qputenv("PULSE_SERVER", server);
        QVERIFY(!micMuted());
    }
};

QUENLARK_TEST_MAIN(TestMixerPulse)
#include "tst_mixerpulse.moc"
