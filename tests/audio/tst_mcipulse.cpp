#include "audio/mcilib.h"
#include "platform/soundpulse.h"
#include "soundtestfiles.h"
#include "testmain.h"
#include "testservices.h"

#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

// The MCI layer on a real PulseAudio server: the private daemon of the test run, whose default
// sink is a null sink and whose default source hears that sink.
class TestMciPulse : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_temp = m_dir.filePath(u"unsaved"_s);
    QString m_tone;
    QList<int> m_codes;
    std::unique_ptr<MCILib> m_mci;

    // A layer on a new backend, which reads PULSE_SERVER as it is now.
    void makeLib() {
        m_mci = std::make_unique<MCILib>(std::make_unique<PulseSoundBackend>(m_temp));
        connect(m_mci.get(), &MCILib::mciNotify, this,
                [this](const QString&, int code) { m_codes.append(code); });
    }
    bool run(const QStringList& commands) {
        return SoundTest::run(*m_mci, commands, m_tone, m_dir.path());
    }
    SoundTest::Sound saved(const QString& name) const {
        return SoundTest::readSound(m_dir.filePath(name));
    }

private slots:
    void initTestCase() {
        if (SoundTest::pactl({u"info"_s}).isEmpty())
            QSKIP("no PulseAudio server is reachable");
        // Another rate and channel count than the recording, so playback converts nothing.
        m_tone = m_dir.filePath(u"tone 440.wav"_s);
        QVERIFY(SoundTest::writeTone(m_tone, 440, 1.5, 44100, 2));
    }
    void init() {
        m_codes.clear();
        makeLib();
    }
    void cleanup() { m_mci.reset(); }

    void recordsWhatIsPlayed() {
        QVERIFY(run({"open new type waveaudio alias r", "record r", "open <tone> alias p",
                     "play p  notify"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_codes.size(), 1, 5000);
        QVERIFY(run({"stop r", "save r \"<dir>/saved ü.wav\"", "close r", "close p"}));
        QTest::qWait(200);
        QCOMPARE(m_codes, QList<int>{1});
        QVERIFY(SoundTest::wavSizes(m_dir.filePath(u"saved ü.wav"_s)).upToDate());
        const SoundTest::Sound sound = saved(u"saved ü.wav"_s);
        QCOMPARE(sound.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        QVERIFY(sound.valid && sound.channels == 1);
        QVERIFY2(std::abs(sound.seconds() - 1.5) < 0.3,
                 qPrintable(QString::number(sound.seconds())));
        QVERIFY2(SoundTest::rms(sound.mono) > 0.05, "the recording is silent");
        QCOMPARE(SoundTest::dominantHz(sound.mono, sound.rate), 440.0);
        QVERIFY(QDir(m_temp).isEmpty());
    }

    void stoppedPlaybackGivesOneNotice() {
        QVERIFY(run({"open <tone> alias aapu", "play aapu notify"}));
        QTest::qWait(200);
        QVERIFY(run({"stop aapu"}));
        QTest::qWait(1800); // past the end the tone would have had
        QCOMPARE(m_codes, QList<int>{4});
    }

    void filesThatCannotBePlayedOrSaved() {
        writeTestFile(m_dir.filePath(u"notes.wav"_s), "hello");
        QVERIFY(run({"open \"<dir>/notes.wav\" alias p -> 296",
                     "open \"/no/such file.wav\" alias p -> 275"}));
        QCOMPARE(m_mci->GetAudioFileLength(m_tone), 1.5);
        QVERIFY(run({"open new alias rr type waveaudio", "record rr"}));
        // An idle null sink hands its monitor's samples out up to two seconds late.
        QString length;
        QTRY_VERIFY_WITH_TIMEOUT(
            m_mci->mSendString(u"status rr length"_s, length) == 0 && length.toInt() > 300, 5000);
        // The unsaved recording is a valid WAV all along, should the program die now; its
        // header may lag the samples by the write under way, no more.
        const QStringList unsaved = QDir(m_temp).entryList(QDir::Files);
        QCOMPARE(unsaved.size(), 1);
        const SoundTest::WavSizes sizes = SoundTest::wavSizes(m_temp + u'/' + unsaved.first());
        QVERIFY2(sizes.data > 8000 && sizes.data <= sizes.dataBytes &&
                     sizes.dataBytes - sizes.data <= 8192,
                 qPrintable(u"%1 of %2"_s.arg(sizes.data).arg(sizes.dataBytes)));
        QVERIFY(run({"stop rr", "save rr \"<dir>/missing/rec.wav\" -> 286",
                     "save rr \"<dir>/rec.wav\"", "close rr"}));
        QVERIFY2(saved(u"rec.wav"_s).seconds() > 0.2, "the saved recording is empty");
        QVERIFY(QDir(m_temp).isEmpty());
    }

    void noServerGivesErrorCodes() {
        const SoundTest::EnvOverride server("PULSE_SERVER", "unix:/nonexistent/quenlark-native");
        makeLib();
        QVERIFY(run({"open <tone> alias p", "play p notify -> 262",
                     "open new alias rr type waveaudio", "record rr notify -> 262", "close rr"}));
        QTest::qWait(100);
        QVERIFY(m_codes.isEmpty());
    }

    // The disk fills up while recording: the device ends with a failure notice, and what was
    // written before stays a valid recording that can be saved.
    void diskFullWhileRecording() {
        QVERIFY(run({"open <tone> alias p", "play p", "open new alias rr type waveaudio"}));
        {
            const SoundTest::FileSizeLimit full(16044); // the header and half a second
            QVERIFY(run({"record rr notify"}));
            QTRY_COMPARE_WITH_TIMEOUT(m_codes, QList<int>{8}, 5000);
        }
        QVERIFY(run({"stop rr", "save rr \"<dir>/half a second.wav\""}));
        QVERIFY(SoundTest::wavSizes(m_dir.filePath(u"half a second.wav"_s)).upToDate());
        const SoundTest::Sound sound = saved(u"half a second.wav"_s);
        QVERIFY2(sound.valid && sound.seconds() > 0.4 && sound.seconds() <= 0.5,
                 qPrintable(QString::number(sound.seconds())));
    }

    // A server of its own, with a tone for its source, that the test ends while recording.
    void serverGoneWhileRecordingKeepsTheSound() {
        QTemporaryDir runtime;
        QProcess daemon;
        const QString server =
            SoundTest::startPulse(daemon, runtime.path(), {u"module-sine-source frequency=440"_s});
        if (server.isEmpty())
            QSKIP("pulseaudio cannot be started");
        const SoundTest::EnvOverride serverVar("PULSE_SERVER", server.toUtf8());
        makeLib();
        QVERIFY(run({"open new alias rr type waveaudio", "record rr notify"}));
        QTest::qWait(500);
        daemon.kill();
        daemon.waitForFinished(3000);
        QTRY_COMPARE_WITH_TIMEOUT(m_codes, QList<int>{8}, 3000);
        QVERIFY(run({"stop rr", "save rr \"<dir>/before the end.wav\"", "record rr -> 262"}));
        const SoundTest::Sound sound = saved(u"before the end.wav"_s);
        QVERIFY2(sound.seconds() > 0.3, qPrintable(QString::number(sound.seconds())));
        QCOMPARE(SoundTest::dominantHz(sound.mono, sound.rate), 440.0);
    }
};

QUENLARK_TEST_MAIN(TestMciPulse)
#include "tst_mcipulse.moc"
