#include "audio/mcicommand.h"
#include "audio/mcilib.h"
#include "platform/sound.h"
#include "platform/soundvirtual.h"
#include "soundtestfiles.h"
#include "testmain.h"
#include "testservices.h"

#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

namespace {

struct Notice {
    QString alias;
    int code;
    bool onGuiThread;
};

// Every completion notice the layer gives, in order.
struct NoticeLog {
    explicit NoticeLog(MCILib& mci) {
        QObject::connect(&mci, &MCILib::mciNotify, &mci, [this](const QString& alias, int code) {
            notices.append({alias, code, QThread::currentThread() == qApp->thread()});
        });
    }
    QList<Notice> notices;
};

constexpr int kSuccessful = 1;
constexpr int kSuperseded = 2;
constexpr int kAborted = 4;

QString quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

bool onOneFileSystem(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    return stat(QFile::encodeName(a).constData(), &first) == 0 &&
           stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev;
}

// A full disk for one scope: no file of this process may grow beyond bytes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

} // namespace

class TestMciLib : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_tempFolder;
    QString m_tone; // 1 s, played in 100 ms
    std::unique_ptr<MCILib> m_mci;
    std::unique_ptr<NoticeLog> m_log;

    int send(const QString& command) {
        QString result;
        return m_mci->mSendString(command, result);
    }
    // Lets queued notices arrive; playbacks of the tone end within this time.
    static void settle(int ms = 300) { QTest::qWait(ms); }

private slots:
    void initTestCase() {
        m_tone = m_dir.filePath(QStringLiteral("tone.wav"));
        QVERIFY(SoundTest::writeTone(m_tone, 440, 1.0));
    }

    void init() {
        qputenv("QUENLARK_VIRTUAL_AUDIO_SCALE", "0.1");
        qunsetenv("QUENLARK_VIRTUAL_AUDIO_DEVICE");
        qunsetenv("QUENLARK_VIRTUAL_RECORD_SOURCE");
        makeLib(m_dir.filePath(QStringLiteral("unsaved")));
    }

    void cleanup() {
        m_log.reset();
        m_mci.reset();
    }

private:
    // A layer on a new virtual backend, which reads the environment as it is now.
    void makeLib(const QString& tempFolder) {
        m_log.reset();
        m_tempFolder = tempFolder;
        m_mci = std::make_unique<MCILib>(std::make_unique<VirtualSoundBackend>(m_tempFolder));
        m_log = std::make_unique<NoticeLog>(*m_mci);
    }

private slots:
    void parsesEveryCommandForm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("verb");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("alias");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("notify");
        using V = MciCommand::Verb;
        QTest::newRow("open file alias")
            << "open \"/a b/ü.wav\" alias x1" << int(V::Open) << "/a b/ü.wav"
            << "x1"
            << "" << false;
        QTest::newRow("open new type first")
            << "open new type waveaudio alias x1" << int(V::Open) << "new"
            << "x1"
            << "" << false;
        QTest::newRow("open new alias first")
            << "open new alias aar1 type waveaudio" << int(V::Open) << "new"
            << "aar1"
            << "" << false;
        QTest::newRow("play two blanks") << "play x1  notify" << int(V::Play) << "x1"
                                         << ""
                                         << "" << true;
        QTest::newRow("play one blank") << "play aap1 notify" << int(V::Play) << "aap1"
                                        << ""
                                        << "" << true;
        QTest::newRow("record") << "record rr notify" << int(V::Record) << "rr"
                                << ""
                                << "" << true;
        QTest::newRow("save") << "save x1 \"/tmp/my rec.wav\"" << int(V::Save) << "x1"
                              << ""
                              << "/tmp/my rec.wav" << false;
        QTest::newRow("close by file") << "close \"/a b.wav\"" << int(V::Close) << "/a b.wav"
                                       << ""
                                       << "" << false;
        QTest::newRow("status") << "status \"/a b.wav\" length" << int(V::Status) << "/a b.wav"
                                << ""
                                << "" << false;
    }
    void parsesEveryCommandForm() {
        QFETCH(QString, text);
        QFETCH(int, verb);
        QFETCH(QString, device);
        QFETCH(QString, alias);
        QFETCH(QString, file);
        QFETCH(bool, notify);
        const MciCommand cmd = parseMciCommand(text);
        QCOMPARE(cmd.error, 0);
        QCOMPARE(int(cmd.verb), verb);
        QCOMPARE(cmd.device, device);
        QCOMPARE(cmd.alias, alias);
        QCOMPARE(cmd.file, file);
        QCOMPARE(cmd.notify, notify);
    }

    void emptyCommandSendsNothing() {
        QString result = QStringLiteral("old");
        QCOMPARE(m_mci->mSendString(QString(), result), -1);
        QCOMPARE(result, QStringLiteral("コマンド文字列が指定されていません"));
    }

    void failuresGiveMciCodesAndTexts_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("textPart");
        QTest::newRow("unknown alias") << "close aap1" << 263 << "not open";
        QTest::newRow("unknown verb") << "rewind x1" << 261 << "command";
        QTest::newRow("bad keyword") << "play x1 quickly" << 259 << "parameter";
        QTest::newRow("missing file") << "open \"/no/such.wav\" alias p" << 275 << "find";
        QTest::newRow("missing quote") << "open \"/a.wav alias p" << 294 << "quotation";
        QTest::newRow("new without alias") << "open new type waveaudio" << 299 << "alias";
        QTest::newRow("alias open twice")
            << "open new type waveaudio alias busy" << 289 << "already";
    }
    void failuresGiveMciCodesAndTexts() {
        QFETCH(QString, command);
        QFETCH(int, code);
        QFETCH(QString, textPart);
        QCOMPARE(send(QStringLiteral("open \"%1\" alias busy").arg(m_tone)), 0);
        QString result;
        QCOMPARE(m_mci->mSendString(command, result), code);
        QVERIFY2(result.contains(textPart, Qt::CaseInsensitive), qPrintable(result));
    }

    void junkFileCannotBeOpened() {
        const QString junk = writeTestFile(m_dir.filePath(QStringLiteral("junk.wav")), "not riff");
        QCOMPARE(send(QStringLiteral("open %1 alias p").arg(quoted(junk))), 296);
        QCOMPARE(m_mci->device(QStringLiteral("p")), nullptr);
    }

    void aliasIsFreeAgainAfterClose() {
        QCOMPARE(send(QStringLiteral("open %1 alias aap1").arg(quoted(m_tone))), 0);
        QCOMPARE(send(QStringLiteral("close AAP1")), 0);
        QCOMPARE(send(QStringLiteral("open %1 alias aap1").arg(quoted(m_tone))), 0);
    }

    void playNotifyGivesOneNoticeAtTheEnd() {
        QCOMPARE(send(QStringLiteral("open %1 alias x1").arg(quoted(m_tone))), 0);
        QCOMPARE(send(QStringLiteral("play x1  notify")), 0);
        QVERIFY(m_log->notices.isEmpty());
        settle();
        QCOMPARE(m_log->notices.size(), 1);
        QCOMPARE(m_log->notices[0].alias, QStringLiteral("x1"));
        QCOMPARE(m_log->notices[0].code, kSuccessful);
        QVERIFY(m_log->notices[0].onGuiThread);
        QCOMPARE(send(QStringLiteral("close x1")), 0);
        settle(50);
        QCOMPARE(m_log->notices.size(), 1);
    }

    void earlyEndGivesOneAbortNotice_data() {
        QTest::addColumn<QString>("ending");
        QTest::newRow("stop") << "stop aapu";
        QTest::newRow("close") << "close aapu";
    }
    void earlyEndGivesOneAbortNotice() {
        QFETCH(QString, ending);
        QCOMPARE(send(QStringLiteral("open %1 alias aapu").arg(quoted(m_tone))), 0);
        QCOMPARE(send(QStringLiteral("play aapu notify")), 0);
        QCOMPARE(send(ending), 0);
        QVERIFY(m_log->notices.isEmpty()); // posted, not sent from inside the command
        settle();
        QCOMPARE(m_log->notices.size(), 1);
        QCOMPARE(m_log->notices[0].code, kAborted);
    }

    void playWithoutNotifyIsSilent() {
        QCOMPARE(send(QStringLiteral("open %1 alias aap2").arg(quoted(m_tone))), 0);
        QCOMPARE(send(QStringLiteral("play aap2")), 0);
        settle();
        QVERIFY(m_log->notices.isEmpty());
    }

    void secondPlaySupersedesTheFirst() {
        QCOMPARE(send(QStringLiteral("open %1 alias rp type waveaudio").arg(quoted(m_tone))), 0);
        QCOMPARE(send(QStringLiteral("play rp notify")), 0);
        QCOMPARE(send(QStringLiteral("play rp notify")), 0);
        settle();
        QCOMPARE(m_log->notices.size(), 2);
        QCOMPARE(m_log->notices[0].code, kSuperseded);
        QCOMPARE(m_log->notices[1].code, kSuccessful);
    }

    void recordSaveAndClose() {
        const QString folder = m_dir.filePath(QStringLiteral("my recordings ü"));
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + QStringLiteral("/message 1.wav");
        QCOMPARE(send(QStringLiteral("open new alias rr type waveaudio")), 0);
        QCOMPARE(send(QStringLiteral("record rr notify")), 0);
        QTest::qWait(50); // 0.5 s of sound at scale 0.1
        QString length;
        QCOMPARE(m_mci->mSendString(QStringLiteral("status rr length"), length), 0);
        QVERIFY2(length.toInt() >= 500, qPrintable(length));
        QCOMPARE(send(QStringLiteral("stop rr")), 0);
        QCOMPARE(send(QStringLiteral("save rr %1").arg(quoted(target))), 0);
        QCOMPARE(send(QStringLiteral("close rr")), 0);
        settle(50);
        QCOMPARE(m_log->notices.size(), 1);
        QCOMPARE(m_log->notices[0].code, kAborted);
        const SoundTest::Sound saved = SoundTest::readSound(target);
        QVERIFY(saved.valid);
        QCOMPARE(saved.rate, 16000);
        QCOMPARE(saved.channels, 1);
        QVERIFY2(saved.seconds() >= 0.45 && saved.seconds() < 2.0,
                 qPrintable(QString::number(saved.seconds())));
        QVERIFY(QDir(m_tempFolder).isEmpty());
    }

    void failedSaveLosesNothing() {
        QCOMPARE(send(QStringLiteral("open new type waveaudio alias x1")), 0);
        QCOMPARE(send(QStringLiteral("record x1")), 0);
        QTest::qWait(30);
        QCOMPARE(send(QStringLiteral("stop x1")), 0);
        QString result;
        const QString missing = m_dir.filePath(QStringLiteral("no folder/rec.wav"));
        QCOMPARE(m_mci->mSendString(QStringLiteral("save x1 %1").arg(quoted(missing)), result),
                 286);
        QVERIFY(result.contains(QLatin1String("not saved")));
        const QString target = m_dir.filePath(QStringLiteral("rescued.wav"));
        QCOMPARE(send(QStringLiteral("save x1 %1").arg(quoted(target))), 0);
        QVERIFY(SoundTest::readSound(target).seconds() >= 0.25);
    }

    // The unsaved recording on another file system than the target: a save copies it, and a
    // disk that fills up during the copy leaves the recording intact for another save.
    void fullDiskDuringCopyLosesNothing() {
        QTemporaryDir shm(QStringLiteral("/dev/shm/quenlark-XXXXXX"));
        if (!shm.isValid() || onOneFileSystem(shm.path(), m_dir.path()))
            QSKIP("needs a second file system at /dev/shm");
        makeLib(shm.filePath(QStringLiteral("unsaved")));
        QCOMPARE(send(QStringLiteral("open new alias aar1 type waveaudio")), 0);
        QCOMPARE(send(QStringLiteral("record aar1")), 0);
        QTest::qWait(50);
        QCOMPARE(send(QStringLiteral("stop aar1")), 0);
        const QString target = m_dir.filePath(QStringLiteral("copied.wav"));
        {
            const FileSizeLimit full(4096);
            QCOMPARE(send(QStringLiteral("save aar1 %1").arg(quoted(target))), 286);
        }
        QVERIFY(!QFile::exists(target));
        QVERIFY(!QFile::exists(target + QStringLiteral(".partial")));
        QCOMPARE(send(QStringLiteral("save aar1 %1").arg(quoted(target))), 0);
        QVERIFY(SoundTest::readSound(target).seconds() >= 0.45);
        QVERIFY(QDir(m_tempFolder).isEmpty());
    }

    void closeWithoutSaveRemovesTheRecording() {
        QCOMPARE(send(QStringLiteral("open new alias aar1 type waveaudio")), 0);
        QCOMPARE(send(QStringLiteral("record aar1")), 0);
        QTest::qWait(20);
        QCOMPARE(send(QStringLiteral("stop aar1")), 0);
        QVERIFY(!QDir(m_tempFolder).isEmpty());
        QCOMPARE(send(QStringLiteral("close aar1")), 0);
        QVERIFY(QDir(m_tempFolder).isEmpty());
    }

    void recordingHoldsTheConfiguredSound() {
        const QString source = m_dir.filePath(QStringLiteral("caller.wav"));
        QVERIFY(SoundTest::writeTone(source, 700, 0.5));
        qputenv("QUENLARK_VIRTUAL_RECORD_SOURCE", source.toUtf8());
        makeLib(m_tempFolder);
        const QString target = m_dir.filePath(QStringLiteral("caller-saved.wav"));
        QCOMPARE(send(QStringLiteral("open new alias aar1 type waveaudio")), 0);
        QCOMPARE(send(QStringLiteral("record aar1")), 0);
        QCOMPARE(send(QStringLiteral("save aar1 %1").arg(quoted(target))), 0);
        const SoundTest::Sound saved = SoundTest::readSound(target);
        QCOMPARE(saved.mono.size(), size_t(8000));
        QCOMPARE(SoundTest::dominantHz(saved.mono, saved.rate), 700.0);
    }

    void missingDeviceFailsWithoutNotice() {
        qputenv("QUENLARK_VIRTUAL_AUDIO_DEVICE", "none");
        makeLib(m_tempFolder);
        QCOMPARE(send(QStringLiteral("open %1 alias aap1").arg(quoted(m_tone))), 0);
        QString result;
        QCOMPARE(m_mci->mSendString(QStringLiteral("play aap1 notify"), result), 262);
        QVERIFY(result.contains(QLatin1String("sound device")));
        QCOMPARE(send(QStringLiteral("open new alias rr type waveaudio")), 0);
        QCOMPARE(send(QStringLiteral("record rr notify")), 262);
        settle();
        QVERIFY(m_log->notices.isEmpty());
    }

    void audioFileLength() {
        const QString odd = m_dir.filePath(QStringLiteral("a folder ü/greeting 2.wav"));
        QVERIFY(QDir().mkpath(QFileInfo(odd).path()));
        QVERIFY(SoundTest::writeTone(odd, 440, 1.25, 8000));
        QCOMPARE(m_mci->GetAudioFileLength(odd), 1.25);
        QCOMPARE(m_mci->GetAudioFileLength(odd), 1.25); // the first call closed its device
        QCOMPARE(m_mci->device(odd), nullptr);
        const QString junk = writeTestFile(m_dir.filePath(QStringLiteral("junk2.wav")), "RIFF");
        QCOMPARE(m_mci->GetAudioFileLength(junk), 0.0);
        QCOMPARE(m_mci->GetAudioFileLength(m_dir.filePath(QStringLiteral("none.wav"))), 0.0);
    }
};

QUENLARK_TEST_MAIN(TestMciLib)
#include "tst_mcilib.moc"
