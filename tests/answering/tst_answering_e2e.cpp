// The answering machine end to end, as a user meets it: quenlark and quenlark-hostsim on a
// private bus, sound on a PulseAudio daemon of the test's own, mail to a real aiosmtpd. bob
// calls alice and nobody answers: bob hears the greeting and the beep, his voice is saved,
// listed and mailed. A program killed during a recording finds the message at its next start.
#include "answering/autoanswerlist.h"
#include "answering/messagefiles.h"
#include "audio/mcilib.h"
#include "hostsimharness.h"
#include "platform/audiochoice.h"
#include "smtpsink.h"
#include "soundtestfiles.h"
#include "testmain.h"

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {
constexpr double kGreetingHz = 660, kBeepHz = 1000, kVoiceHz = 880;
} // namespace

class TestAnsweringEndToEnd : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_pulse, m_keepAlive, m_smtp, m_program;
    std::unique_ptr<SoundTest::EnvOverride> m_server;
    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<HostSimProcess> m_sim;
    std::unique_ptr<QDBusConnection> m_control;

    QString home() const { return m_dir.path() + u"/home"_s; }
    QString folder() const { return home() + u"/Documents/Quenlark/AutoAnswer"_s; }
    QStringList messages() const {
        return QDir(folder()).entryList({u"*_bob.wav"_s}, QDir::Files, QDir::Name);
    }

    void writeSettings(quint16 smtpPort) {
        const QString greeting = m_dir.path() + u"/greeting.wav"_s;
        SoundTest::writeTone(greeting, kGreetingHz, 1.0);
        QVERIFY(writeAnsweringSettings(home(), greeting, smtpPort, 7, u"DebugMode=On\n"_s));
    }

    void startProgram() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : {std::pair{u"HOME"_s, home()},
                                          {u"XDG_CONFIG_HOME"_s, home() + u"/.config"_s},
                                          {u"XDG_DATA_HOME"_s, home() + u"/.local/share"_s},
                                          {u"XDG_RUNTIME_DIR"_s, m_dir.path() + u"/run"_s},
                                          {u"DBUS_SESSION_BUS_ADDRESS"_s, m_bus->address()},
                                          {u"QUENLARK_AUDIO"_s, u"pulse"_s},
                                          {u"QT_QPA_PLATFORM"_s, u"offscreen"_s}})
            env.insert(name, value);
        QDir().mkpath(m_dir.path() + u"/run"_s);
        QFile::setPermissions(m_dir.path() + u"/run"_s,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(QStringLiteral(QUENLARK_BINARY_DIR "/bin/quenlark"), {});
        QVERIFY(m_program.waitForStarted());
        // Attached once the simulator lists the program as alice's client.
        QTRY_VERIFY_WITH_TIMEOUT(!control(u"Users"_s)
                                      .toStringList()
                                      .filter(u"alice"_s)
                                      .value(0)
                                      .endsWith(u"clients=[]"_s),
                                 15000);
    }

    QVariant control(const QString& method, const QVariantList& arguments = {}) {
        return ::control(*m_control, method, arguments);
    }

private slots:
    void initTestCase() {
        m_server = SoundTest::startSpeakerRig(m_pulse, m_keepAlive, m_dir.path());
        if (!m_server)
            QSKIP("pulseaudio cannot be started here");
        const quint16 port = SmtpSink::start(m_smtp, {m_dir.path() + u"/mail"_s});
        if (!port)
            QSKIP("python3-aiosmtpd is not installed");
        writeSettings(port);
        const QString voice = m_dir.path() + u"/bob.wav"_s;
        SoundTest::writeTone(voice, kVoiceHz, 3.0);
        m_bus = std::make_unique<PrivateBus>();
        m_sim = std::make_unique<HostSimProcess>(
            QStringList{u"--user"_s, u"alice@"_s + m_bus->address(), u"--answer-delay"_s, u"-1"_s,
                        u"--capture-dir"_s, m_dir.path() + u"/capture"_s, u"--user-voice"_s,
                        u"bob="_s + voice, u"--voice-delay"_s, u"2500"_s});
        QVERIFY(m_sim->isReady());
        m_control = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_bus->address(), u"e2e-control"_s));
        startProgram();
    }

    void cleanupTestCase() {
        m_program.terminate();
        m_program.waitForFinished(10000);
        m_sim.reset();
        m_smtp.closeWriteChannel();
        m_smtp.waitForFinished(5000);
        m_keepAlive.kill();
        m_keepAlive.waitForFinished(2000);
        m_pulse.kill();
        m_pulse.waitForFinished(5000);
    }

    void unansweredCallIsAnsweredRecordedListedAndMailed() {
        const uint call = control(u"Ring"_s, {u"bob"_s, u"alice"_s}).toUInt();
        QVERIFY(call > 0);
        QTRY_COMPARE_WITH_TIMEOUT(messages().size(), 1, 40000);
        const QString message = folder() + u'/' + messages().first();

        // What bob heard: the greeting, then the beep.
        const QString heardPath = control(u"CapturePath"_s, {call}).toString();
        QTRY_VERIFY_WITH_TIMEOUT(SoundTest::readSound(heardPath).valid, 10000);
        const SoundTest::Sound heard = SoundTest::readSound(heardPath);
        const double greeting = SoundTest::firstHeard(heard, kGreetingHz),
                     beep = SoundTest::firstHeard(heard, kBeepHz);
        QVERIFY2(greeting >= 0 && beep > greeting,
                 qPrintable(u"greeting at %1 s, beep at %2 s"_s.arg(greeting).arg(beep)));

        // What was saved: bob's voice.
        const SoundTest::Sound saved = SoundTest::readSound(message);
        QVERIFY(saved.valid);
        QCOMPARE(SoundTest::dominantHz(saved.mono, saved.rate), kVoiceHz);

        // Listed first, unheard, bob as caller, its own length.
        MCILib mci{AudioChoice::fromEnvironment().createSound()};
        AutoAnswerList list(mci);
        list.UpdateAutoanswerList(folder());
        QVERIFY(!list.messages().isEmpty());
        const RecordedMessage& first = list.messages().first();
        QCOMPARE(first.path, message);
        QCOMPARE(first.caller, u"bob"_s);
        QVERIFY(!first.heard);
        QCOMPARE(first.seconds, AutoAnswerList::roundHalfEven(saved.seconds()));

        // Mailed with the message attached.
        const QString mail = m_dir.path() + u"/mail/mail001"_s;
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mail + u".json"_s), 20000);
        const QJsonObject shown = SmtpSink::read(mail + u".eml"_s);
        QCOMPARE(shown[u"subject"_s].toString(),
                 u"==Quenlark== Auto Answering Machine [Recorded Message]"_s);
        const QJsonObject attachment = shown[u"attachments"_s].toArray().first().toObject();
        QCOMPARE(attachment[u"filename"_s].toString(), messages().first());
        QFile file(message);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(attachment[u"data"_s].toString().toLatin1(), file.readAll().toBase64());
    }

    void messageOfAKilledProgramIsFoundAtTheNextStart() {
        const QString journal =
            home() + u"/.local/share/Quenlark/Quenlark/AutoAnswer-capture.txt"_s;
        const uint call = control(u"Ring"_s, {u"bob"_s, u"alice"_s}).toUInt();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(journal), 30000);
        QTest::qWait(3000); // bob speaks
        m_program.kill();
        QVERIFY(m_program.waitForFinished(5000));
        control(u"HangUp"_s, {call, u"bob"_s});
        QCOMPARE(messages().size(), 1);
        startProgram();
        QTRY_COMPARE_WITH_TIMEOUT(messages().size(), 2, 15000);
        MCILib mci{AudioChoice::fromEnvironment().createSound()};
        AutoAnswerList list(mci);
        list.UpdateAutoanswerList(folder());
        QCOMPARE(list.messages().size(), 2);
        QCOMPARE(list.messages().first().caller, u"bob"_s);
        // A sound the MCI layer opens, with bob's seconds in it.
        QVERIFY(mci.GetAudioFileLength(list.messages().first().path) > 1.0);
    }
};

QUENLARK_TEST_MAIN(TestAnsweringEndToEnd)
#include "tst_answering_e2e.moc"
