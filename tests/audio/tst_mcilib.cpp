#include "audio/mciform.h"
#include "audio/mcilib.h"
#include "platform/audiochoice.h"
#include "platform/soundvirtual.h"
#include "soundtestfiles.h"
#include "testmain.h"
#include "testservices.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QThread>

using namespace Qt::StringLiterals;

// The MCI layer on the virtual backend, which plays and records at ten times the real speed.
// Every command form the program sends (quoted paths with blanks, keywords in either order,
// doubled blanks) is parsed on the way of the cases below.
class TestMciLib : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_tempFolder;
    QString m_tone; // 1 s, played in 100 ms
    std::unique_ptr<MCILib> m_mci;
    QStringList m_notices; // "alias code", in order

    bool run(const QStringList& commands) {
        return SoundTest::run(*m_mci, commands, m_tone, m_dir.path());
    }
    // A layer on a new virtual backend, which reads the environment as it is now.
    void makeLib(const QString& tempFolder) {
        m_tempFolder = tempFolder;
        m_mci = std::make_unique<MCILib>(AudioChoice::fromEnvironment(m_tempFolder).createSound());
        connect(m_mci.get(), &MCILib::mciNotify, this, [this](const QString& alias, int code) {
            const bool gui = QThread::currentThread() == qApp->thread();
            m_notices << u"%1 %2%3"_s.arg(alias).arg(code).arg(gui ? "" : " off-gui");
        });
    }
    // Records about half a second as aar1.
    void recordHalfSecond() {
        QVERIFY(run({"open new alias aar1 type waveaudio", "record aar1"}));
        QTest::qWait(50);
        QVERIFY(run({"stop aar1"}));
    }

private slots:
    void initTestCase() {
        m_tone = m_dir.filePath(u"tone.wav"_s);
        QVERIFY(SoundTest::writeTone(m_tone, 440, 1.0));
        writeTestFile(m_dir.filePath(u"junk.wav"_s), "not riff");
    }
    void init() {
        qputenv("QUENLARK_VIRTUAL_AUDIO_SCALE", "0.1");
        qunsetenv("QUENLARK_VIRTUAL_AUDIO_DEVICE");
        qunsetenv("QUENLARK_VIRTUAL_RECORD_SOURCE");
        m_notices.clear();
        makeLib(m_dir.filePath(u"unsaved"_s));
    }
    void cleanup() { m_mci.reset(); }

    void failuresGiveMciCodesAndTexts_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("textPart");
        const std::tuple<const char*, int, const char*> rows[] = {
            {"", -1, "コマンド文字列が指定されていません"},
            {"close aap1", 263, "not open"},
            {"rewind x1", 261, "command"},
            {"play x1 quickly", 259, "parameter"},
            {"open \"/no/such.wav\" alias p", 275, "find"},
            {"open \"%1/junk.wav\" alias p", 296, "cannot be played"},
            {"open \"/a.wav alias p", 294, "quotation"},
            {"open new type waveaudio", 299, "alias"},
            {"open new type waveaudio alias busy", 289, "already"}};
        for (const auto& [command, code, textPart] : rows)
            QTest::newRow(command)
                << QString::fromUtf8(command) << code << QString::fromUtf8(textPart);
    }
    void failuresGiveMciCodesAndTexts() {
        QFETCH(QString, command);
        QVERIFY(run({"open <tone> alias busy"}));
        QString result;
        QTEST(m_mci->mSendString(command.replace(u"%1"_s, m_dir.path()), result), "code");
        QFETCH(QString, textPart);
        QVERIFY2(result.contains(textPart, Qt::CaseInsensitive), qPrintable(result));
        QCOMPARE(m_mci->device(u"p"_s), nullptr);
    }

    // Notices are posted to the GUI thread, never sent from inside a command, and a device
    // gives at most one per play.
    void playNoticesComeOnceEach_data() {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("to the end") << QStringList{"play x1  notify"} << QStringList{"x1 1"};
        QTest::newRow("stopped") << QStringList{"play x1 notify", "stop x1"} << QStringList{"x1 4"};
        QTest::newRow("closed") << QStringList{"play x1 notify", "close x1"} << QStringList{"x1 4"};
        QTest::newRow("without notify") << QStringList{"play x1"} << QStringList{};
        QTest::newRow("superseded")
            << QStringList{"play x1 notify", "play x1 notify"} << QStringList{"x1 2", "x1 1"};
    }
    void playNoticesComeOnceEach() {
        QFETCH(QStringList, commands);
        QVERIFY(run(QStringList{"open <tone> alias x1"} + commands));
        QVERIFY(m_notices.isEmpty());
        QTest::qWait(300); // the tone has ended
        QString ignored;
        m_mci->mSendString(u"close X1"_s, ignored);
        QTest::qWait(50);
        QTEST(m_notices, "notices");
        QVERIFY(run({"open <tone> alias x1"})); // the alias is free again
    }

    void recordStatusSaveAndClose() {
        const QString target = m_dir.filePath(u"my recordings ü/message 1.wav"_s);
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        QVERIFY(run({"open new alias rr type waveaudio", "record rr notify"}));
        QTest::qWait(50); // 0.5 s of sound at scale 0.1
        QString reply;
        QCOMPARE(m_mci->mSendString(u"status rr length"_s, reply), 0);
        QVERIFY2(reply.toInt() >= 500, qPrintable(reply));
        QVERIFY(run({"stop rr", "save rr \"<dir>/no folder/rec.wav\" -> 286",
                     "save rr \"<dir>/my recordings ü/message 1.wav\"", "close rr"}));
        QTest::qWait(50);
        QCOMPARE(m_notices, QStringList{"rr 4"});
        const SoundTest::Sound saved = SoundTest::readSound(target);
        QVERIFY(saved.valid && saved.rate == 16000 && saved.channels == 1);
        QVERIFY2(saved.seconds() >= 0.45 && saved.seconds() < 2.0,
                 qPrintable(QString::number(saved.seconds())));
        QVERIFY(QDir(m_tempFolder).isEmpty());
        recordHalfSecond();
        QVERIFY(!QDir(m_tempFolder).isEmpty());
        QVERIFY(run({"close aar1"})); // without a save: nothing is kept
        QVERIFY(QDir(m_tempFolder).isEmpty());
        // At program end an unsaved capture is kept for the next start's recovery.
        recordHalfSecond();
        m_mci.reset();
        QCOMPARE(QDir(m_tempFolder).entryList(QDir::Files).size(), 1);
    }

    // The unsaved recording on another file system than the target: a save copies it, and a
    // disk that fills up during the copy leaves the recording intact for another save.
    void fullDiskDuringCopyLosesNothing() {
        QTemporaryDir shm(u"/dev/shm/quenlark-XXXXXX"_s);
        if (!shm.isValid() ||
            QStorageInfo(shm.path()).device() == QStorageInfo(m_dir.path()).device())
            QSKIP("needs a second file system at /dev/shm");
        makeLib(shm.filePath(u"unsaved"_s));
        recordHalfSecond();
        const QString target = m_dir.filePath(u"copied.wav"_s);
        {
            const SoundTest::FileSizeLimit full(4096);
            QVERIFY(run({"save aar1 \"<dir>/copied.wav\" -> 286"}));
        }
        QVERIFY(!QFile::exists(target) && !QFile::exists(target + u".partial"_s));
        QVERIFY(run({"save aar1 \"<dir>/copied.wav\""}));
        QVERIFY(SoundTest::readSound(target).seconds() >= 0.45);
        QVERIFY(QDir(m_tempFolder).isEmpty());
    }

    void recordingHoldsTheConfiguredSound() {
        const QString source = m_dir.filePath(u"caller.wav"_s);
        QVERIFY(SoundTest::writeTone(source, 700, 0.5));
        qputenv("QUENLARK_VIRTUAL_RECORD_SOURCE", source.toUtf8());
        makeLib(m_tempFolder);
        QVERIFY(run({"open new alias aar1 type waveaudio", "record aar1",
                     "save aar1 \"<dir>/caller-saved.wav\""}));
        const SoundTest::Sound saved = SoundTest::readSound(m_dir.filePath(u"caller-saved.wav"_s));
        QCOMPARE(saved.mono.size(), size_t(8000));
        QCOMPARE(SoundTest::dominantHz(saved.mono, saved.rate), 700.0);
    }

    // Without a sound device nothing plays, records or notifies, and the player window's next
    // try opens its file again instead of finding the alias in use (289).
    void missingDeviceFailsWithoutNotice() {
        qputenv("QUENLARK_VIRTUAL_AUDIO_DEVICE", "none");
        makeLib(m_tempFolder);
        QVERIFY(run({"open <tone> alias aap1", "play aap1 notify -> 262",
                     "open new alias rr type waveaudio", "record rr notify -> 262"}));
        TestServices ts;
        MCIPlayer player(ts.services, *m_mci);
        MCIForm form(ts.services, player);
        form.findChild<QLineEdit*>(u"FileNameText"_s)->setText(m_tone);
        form.player().PlayButton_Click();
        form.player().RecordButton_Click();
        form.player().PlayButton_Click();
        QCOMPARE(ts.prompts.messages().size(), 3);
        for (const QString& message : ts.prompts.messages())
            QVERIFY2(message.endsWith(QLatin1String(" (262)")), qPrintable(message));
        QCOMPARE(form.GetPlayerMode(), u"Idle"_s);
        QTest::qWait(300);
        QVERIFY(m_notices.isEmpty());
    }

    void audioFileLength() {
        const QString odd = m_dir.filePath(u"a folder ü/greeting 2.wav"_s);
        QVERIFY(QDir().mkpath(QFileInfo(odd).path()));
        QVERIFY(SoundTest::writeTone(odd, 440, 1.25, 8000));
        QCOMPARE(m_mci->GetAudioFileLength(odd), 1.25);
        QCOMPARE(m_mci->GetAudioFileLength(odd), 1.25); // the first call closed its device
        QCOMPARE(m_mci->device(odd), nullptr);
        const QString cut = writeTestFile(m_dir.filePath(u"cut.wav"_s), "RIFF");
        QCOMPARE(m_mci->GetAudioFileLength(cut), 0.0);
        QCOMPARE(m_mci->GetAudioFileLength(m_dir.filePath(u"none.wav"_s)), 0.0);
    }

    // The player window "sndPlayer", driven through its controls.
    void playerWindowPlaysAndRecords() {
        TestServices ts;
        MCIPlayer player(ts.services, *m_mci);
        MCIForm form(ts.services, player);
        const auto button = [&form](const char* name) {
            return form.findChild<QPushButton*>(QLatin1String(name));
        };
        const auto idle = [&] {
            return form.GetPlayerMode() == QLatin1String("Idle") &&
                   !button("StopButton")->isEnabled() && button("PlayButton")->isEnabled() &&
                   button("RecordButton")->isEnabled();
        };
        QLineEdit* fileName = form.findChild<QLineEdit*>(u"FileNameText"_s);
        button("PlayButton")->click(); // no file yet
        QCOMPARE(ts.prompts.messages().size(), 1);
        QVERIFY(ts.prompts.messages().first().endsWith(QLatin1String(" (275)")));
        QVERIFY(idle());

        const QString target = ts.tempPath() + u"/Documents/new message.wav"_s;
        fileName->setText(target);
        form.RecordAudioFile();
        QCOMPARE(form.GetPlayerMode(), u"Record"_s);
        QCOMPARE(m_mci->statusText(), u"Record"_s);
        QVERIFY(button("StopButton")->isEnabled() && !button("PlayButton")->isEnabled());
        QTest::qWait(30);
        form.StopAudioFileAndRecord();
        QVERIFY(idle() && m_mci->statusText().isEmpty());
        QVERIFY(SoundTest::readSound(target).seconds() >= 0.25);

        fileName->setText(m_tone);
        form.PlayAudioFile(u"greeting"_s);
        QCOMPARE(form.GetPlayOrderType(), u"greeting"_s);
        QCOMPARE(m_mci->statusText(), u"Play"_s);
        QTest::qWait(200); // the playback has ended meanwhile
        QCOMPARE(form.GetPlayerMode(), u"Play"_s);
        button("StopButton")->click();
        QVERIFY(idle());
        button("PlayButton")->click(); // x1 was closed: it opens again without an error
        QCOMPARE(form.GetPlayerMode(), u"Play"_s);
        QCOMPARE(ts.prompts.messages().size(), 1);
    }
};

QUENLARK_TEST_MAIN(TestMciLib)
#include "tst_mcilib.moc"
