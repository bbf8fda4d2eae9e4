#include "audio/mciform.h"
#include "audio/mcilib.h"
#include "platform/soundvirtual.h"
#include "soundtestfiles.h"
#include "testmain.h"
#include "testservices.h"

#include <QLineEdit>
#include <QPushButton>

// The player window "sndPlayer" on the virtual backend, driven through its controls.
class TestMciForm : public QObject {
    Q_OBJECT
    std::unique_ptr<TestServices> m_test;
    std::unique_ptr<MCILib> m_mci;
    std::unique_ptr<MCIForm> m_form;

    QPushButton* button(const char* name) const {
        return m_form->findChild<QPushButton*>(QLatin1String(name));
    }
    void setFileName(const QString& path) {
        m_form->findChild<QLineEdit*>(QStringLiteral("FileNameText"))->setText(path);
    }
    bool idleButtons() const {
        return button("PlayButton")->isEnabled() && button("RecordButton")->isEnabled() &&
               !button("StopButton")->isEnabled();
    }

private slots:
    void init() {
        qputenv("QUENLARK_VIRTUAL_AUDIO_SCALE", "0.1");
        m_test = std::make_unique<TestServices>();
        m_mci = std::make_unique<MCILib>(
            std::make_unique<VirtualSoundBackend>(m_test->tempPath() + QStringLiteral("/tmp")));
        m_form = std::make_unique<MCIForm>(m_test->services, *m_mci);
    }
    void cleanup() {
        m_form.reset();
        m_mci.reset();
        m_test.reset();
    }

    void playWithoutFileShowsTheError() {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("sndPlayer"));
        button("PlayButton")->click();
        QCOMPARE(m_test->prompts.messages().size(), 1);
        QVERIFY(m_test->prompts.messages().first().endsWith(QLatin1String(" (275)")));
        QCOMPARE(m_form->GetPlayerMode(), QStringLiteral("Idle"));
        QVERIFY(idleButtons());
    }

    void recordThenStopWritesTheFile() {
        const QString target = m_test->tempPath() + QStringLiteral("/Documents/new message.wav");
        setFileName(target);
        m_form->RecordAudioFile();
        QCOMPARE(m_form->GetPlayerMode(), QStringLiteral("Record"));
        QCOMPARE(m_mci->statusText(), QStringLiteral("Record"));
        QVERIFY(!idleButtons() && button("StopButton")->isEnabled());
        QTest::qWait(30);
        m_form->StopAudioFileAndRecord();
        QCOMPARE(m_test->prompts.messages(), QStringList());
        QCOMPARE(m_form->GetPlayerMode(), QStringLiteral("Idle"));
        QCOMPARE(m_mci->statusText(), QString());
        QVERIFY(idleButtons());
        QVERIFY(SoundTest::readSound(target).seconds() >= 0.25);
    }

    void playStaysInPlayUntilStopped() {
        const QString tone = m_test->tempPath() + QStringLiteral("/tone.wav");
        QVERIFY(SoundTest::writeTone(tone, 440, 0.5));
        setFileName(tone);
        m_form->PlayAudioFile(QStringLiteral("greeting"));
        QCOMPARE(m_form->GetPlayOrderType(), QStringLiteral("greeting"));
        QCOMPARE(m_mci->statusText(), QStringLiteral("Play"));
        QTest::qWait(150); // the playback has ended meanwhile
        QCOMPARE(m_form->GetPlayerMode(), QStringLiteral("Play"));
        button("StopButton")->click();
        QCOMPARE(m_form->GetPlayerMode(), QStringLiteral("Idle"));
        // x1 was closed: the next play opens it again without an error.
        button("PlayButton")->click();
        QCOMPARE(m_test->prompts.messages(), QStringList());
        QCOMPARE(m_form->GetPlayerMode(), QStringLiteral("Play"));
    }

    void stopWhenIdleOnlyResetsButtons() {
        button("StopButton")->click();
        QCOMPARE(m_test->prompts.messages(), QStringList());
        QVERIFY(idleButtons());
    }
};

QUENLARK_TEST_MAIN(TestMciForm)
#include "tst_mciform.moc"
