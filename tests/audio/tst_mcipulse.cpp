#include "audio/mcilib.h"
#include "platform/soundpulse.h"
#include "soundtestfiles.h"
#include "testmain.h"
#include "testservices.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>

// The MCI layer on a real PulseAudio server: the private daemon of the test run, whose default
// sink is a null sink and whose default source hears that sink.
namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

bool serverAnswers(const QString& server = {}) {
    QProcess pactl;
    QStringList args;
    if (!server.isEmpty())
        args << QStringLiteral("-s") << server;
    pactl.start(QStringLiteral("pactl"), args << QStringLiteral("info"));
    return pactl.waitForFinished(3000) && pactl.exitStatus() == QProcess::NormalExit &&
           pactl.exitCode() == 0;
}

// Sets an environment variable for one scope.
class EnvOverride {
public:
    EnvOverride(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvOverride() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

class TestMciPulse : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_tone;
    QList<int> m_codes;

    std::unique_ptr<MCILib> makeLib(const QString& tempFolder) {
        auto mci = std::make_unique<MCILib>(std::make_unique<PulseSoundBackend>(tempFolder));
        connect(mci.get(), &MCILib::mciNotify, this,
                [this](const QString&, int code) { m_codes.append(code); });
        return mci;
    }
    static int send(MCILib& mci, const QString& command) {
        QString result;
        const int status = mci.mSendString(command, result);
        if (status != 0)
            qDebug() << command << "->" << status << result;
        return status;
    }

    static int lengthMs(MCILib& mci, const QString& alias) {
        QString reply;
        mci.mSendString(QStringLiteral("status %1 length").arg(alias), reply);
        return reply.toInt();
    }

private slots:
    void initTestCase() {
        if (!serverAnswers())
            QSKIP("no PulseAudio server is reachable");
        // Another rate and channel count than the recording, so playback converts nothing.
        m_tone = m_dir.filePath(QStringLiteral("tone 440.wav"));
        QVERIFY(SoundTest::writeTone(m_tone, 440, 1.5, 44100, 2));
    }

    void init() { m_codes.clear(); }

    void recordsWhatIsPlayed() {
        const QString temp = m_dir.filePath(QStringLiteral("unsaved"));
        auto mci = makeLib(temp);
        const QString saved = m_dir.filePath(QStringLiteral("saved ü.wav"));
        QCOMPARE(send(*mci, QStringLiteral("open new type waveaudio alias r")), 0);
        QCOMPARE(send(*mci, QStringLiteral("record r")), 0);
        QCOMPARE(send(*mci, QStringLiteral("open %1 alias p").arg(quoted(m_tone))), 0);
        QCOMPARE(send(*mci, QStringLiteral("play p  notify")), 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_codes.size(), 1, 5000);
        QCOMPARE(send(*mci, QStringLiteral("stop r")), 0);
        QCOMPARE(send(*mci, QStringLiteral("save r %1").arg(quoted(saved))), 0);
        QCOMPARE(send(*mci, QStringLiteral("close r")), 0);
        QCOMPARE(send(*mci, QStringLiteral("close p")), 0);
        QTest::qWait(200);
        QCOMPARE(m_codes, QList<int>{1});

        QVERIFY(SoundTest::wavSizes(saved).upToDate());
        const SoundTest::Sound sound = SoundTest::readSound(saved);
        QVERIFY(sound.valid);
        QCOMPARE(sound.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        QCOMPARE(sound.channels, 1);
        QVERIFY2(std::abs(sound.seconds() - 1.5) < 0.3,
                 qPrintable(QString::number(sound.seconds())));
        QVERIFY2(SoundTest::rms(sound.mono) > 0.05, "the recording is silent");
        QCOMPARE(SoundTest::dominantHz(sound.mono, sound.rate), 440.0);
        QVERIFY(QDir(temp).isEmpty());
    }

    void stoppedPlaybackGivesOneNotice() {
        auto mci = makeLib(m_dir.filePath(QStringLiteral("unsaved")));
        QCOMPARE(send(*mci, QStringLiteral("open %1 alias aapu").arg(quoted(m_tone))), 0);
        QCOMPARE(send(*mci, QStringLiteral("play aapu notify")), 0);
        QTest::qWait(200);
        QCOMPARE(send(*mci, QStringLiteral("stop aapu")), 0);
        QTest::qWait(1800); // past the end the tone would have had
        QCOMPARE(m_codes, QList<int>{4});
        QCOMPARE(send(*mci, QStringLiteral("close aapu")), 0);
    }

    void filesThatCannotBePlayedOrSaved() {
        const QString temp = m_dir.filePath(QStringLiteral("unsaved"));
        auto mci = makeLib(temp);
        const QString text = writeTestFile(m_dir.filePath(QStringLiteral("notes.wav")), "hello");
        QCOMPARE(send(*mci, QStringLiteral("open %1 alias p").arg(quoted(text))), 296);
        QCOMPARE(send(*mci, QStringLiteral("open \"/no/such file.wav\" alias p")), 275);
        QCOMPARE(mci->GetAudioFileLength(m_tone), 1.5);

        QCOMPARE(send(*mci, QStringLiteral("open new alias rr type waveaudio")), 0);
        QCOMPARE(send(*mci, QStringLiteral("record rr")), 0);
        // An idle null sink hands its monitor's samples out up to two seconds late.
        QTRY_VERIFY_WITH_TIMEOUT(lengthMs(*mci, QStringLiteral("rr")) > 300, 5000);
        // The unsaved recording is a valid WAV all along, should the program die now.
        const QStringList unsaved = QDir(temp).entryList(QDir::Files);
        QCOMPARE(unsaved.size(), 1);
        // The header may lag the samples by the write under way, no more.
        const SoundTest::WavSizes sizes =
            SoundTest::wavSizes(temp + QLatin1Char('/') + unsaved.first());
        QVERIFY(sizes.ok);
        QVERIFY2(sizes.data > 8000 && sizes.data <= sizes.dataBytes &&
                     sizes.dataBytes - sizes.data <= 8192,
                 qPrintable(QStringLiteral("%1 of %2").arg(sizes.data).arg(sizes.dataBytes)));
        QCOMPARE(send(*mci, QStringLiteral("stop rr")), 0);
        const QString missing = m_dir.filePath(QStringLiteral("missing/rec.wav"));
        QCOMPARE(send(*mci, QStringLiteral("save rr %1").arg(quoted(missing))), 286);
        const QString target = m_dir.filePath(QStringLiteral("rec.wav"));
        QCOMPARE(send(*mci, QStringLiteral("save rr %1").arg(quoted(target))), 0);
        const double seconds = SoundTest::readSound(target).seconds();
        QVERIFY2(seconds > 0.2, qPrintable(QString::number(seconds)));
        QCOMPARE(send(*mci, QStringLiteral("close rr")), 0);
        QVERIFY(QDir(temp).isEmpty());
    }

    void noServerGivesErrorCodes() {
        const EnvOverride server("PULSE_SERVER", "unix:/nonexistent/quenlark-native");
        auto mci = makeLib(m_dir.filePath(QStringLiteral("unsaved")));
        QCOMPARE(send(*mci, QStringLiteral("open %1 alias p").arg(quoted(m_tone))), 0);
        QCOMPARE(send(*mci, QStringLiteral("play p notify")), 262);
        QCOMPARE(send(*mci, QStringLiteral("open new alias rr type waveaudio")), 0);
        QCOMPARE(send(*mci, QStringLiteral("record rr notify")), 262);
        QCOMPARE(send(*mci, QStringLiteral("close rr")), 0);
        QTest::qWait(100);
        QVERIFY(m_codes.isEmpty());
    }

    // The disk fills up while recording: the device ends with a failure notice, and what was
    // written before stays a valid recording that can be saved.
    void diskFullWhileRecording() {
        auto mci = makeLib(m_dir.filePath(QStringLiteral("unsaved")));
        QCOMPARE(send(*mci, QStringLiteral("open %1 alias p").arg(quoted(m_tone))), 0);
        QCOMPARE(send(*mci, QStringLiteral("play p")), 0);
        QCOMPARE(send(*mci, QStringLiteral("open new alias rr type waveaudio")), 0);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit full = old;
        full.rlim_cur = 16044; // the header and half a second
        setrlimit(RLIMIT_FSIZE, &full);
        QCOMPARE(send(*mci, QStringLiteral("record rr notify")), 0);
        QTest::qWait(100);
        QTRY_COMPARE_WITH_TIMEOUT(m_codes, QList<int>{8}, 5000);
        setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(send(*mci, QStringLiteral("stop rr")), 0);
        const QString target = m_dir.filePath(QStringLiteral("half a second.wav"));
        QCOMPARE(send(*mci, QStringLiteral("save rr %1").arg(quoted(target))), 0);
        QVERIFY(SoundTest::wavSizes(target).upToDate());
        const SoundTest::Sound sound = SoundTest::readSound(target);
        QVERIFY(sound.valid);
        QVERIFY2(sound.seconds() > 0.4 && sound.seconds() <= 0.5,
                 qPrintable(QString::number(sound.seconds())));
    }

    // A server of its own, with a tone for its source, that the test ends while recording.
    void serverGoneWhileRecordingKeepsTheSound() {
        QTemporaryDir runtime;
        const QString socket = runtime.filePath(QStringLiteral("native"));
        QProcess daemon;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        daemon.setProcessEnvironment(env);
        daemon.start(QStringLiteral("pulseaudio"),
                     {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                      QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--system=no"),
                      QStringLiteral("--load=module-native-protocol-unix socket=") + socket,
                      QStringLiteral("--load=module-sine-source source_name=tone frequency=440")});
        if (!daemon.waitForStarted(3000))
            QSKIP("pulseaudio cannot be started");
        const QString server = QStringLiteral("unix:") + socket;
        QTRY_VERIFY_WITH_TIMEOUT(serverAnswers(server), 5000);
        const EnvOverride serverVar("PULSE_SERVER", server.toUtf8());
        auto mci = makeLib(m_dir.filePath(QStringLiteral("unsaved")));
        QCOMPARE(send(*mci, QStringLiteral("open new alias rr type waveaudio")), 0);
        QCOMPARE(send(*mci, QStringLiteral("record rr notify")), 0);
        QTest::qWait(500);
        daemon.kill();
        daemon.waitForFinished(3000);
        QTRY_COMPARE_WITH_TIMEOUT(m_codes, QList<int>{8}, 3000);
        QCOMPARE(send(*mci, QStringLiteral("stop rr")), 0);
        const QString target = m_dir.filePath(QStringLiteral("before the end.wav"));
        QCOMPARE(send(*mci, QStringLiteral("save rr %1").arg(quoted(target))), 0);
        const SoundTest::Sound sound = SoundTest::readSound(target);
        QVERIFY2(sound.seconds() > 0.3, qPrintable(QString::number(sound.seconds())));
        QCOMPARE(SoundTest::dominantHz(sound.mono, sound.rate), 440.0);
        QCOMPARE(send(*mci, QStringLiteral("record rr")), 262);
        QCOMPARE(send(*mci, QStringLiteral("close rr")), 0);
    }
};

QUENLARK_TEST_MAIN(TestMciPulse)
#include "tst_mcipulse.moc"
