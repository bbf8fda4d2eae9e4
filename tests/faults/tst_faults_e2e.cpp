// Injected faults, end to end: quenlark answering calls on a private bus with quenlark-hostsim,
// a PulseAudio daemon and an aiosmtpd of the test's own, and one fault at a time. A settings
// file the program must not write; the host killed during a greeting and during a recording;
// the SMTP server killed during DATA; the disk full during a recording; the sound server killed
// during a recording. No message is lost and the machine goes on answering.
#include "answering/messagefiles.h"
#include "hostsimharness.h"
#include "smtpsink.h"
#include "soundtestfiles.h"
#include "testmain.h"

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

class TestFaults : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_pulse, m_keepAlive, m_smtp;
    std::unique_ptr<ProgramCopy> m_program;
    std::unique_ptr<SoundTest::EnvOverride> m_server;
    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<HostSimProcess> m_sim;
    std::unique_ptr<QDBusConnection> m_control;
    quint16 m_smtpPort = 0;
    int m_sinks = 0, m_simStarts = 0;
    bool m_tmpfs = false;

    QString home() const { return m_dir.path() + u"/home"_s; }
    QString recordingTemp() const { return m_dir.path() + u"/rectemp"_s; }
    QString folder() const { return home() + u"/Documents/Quenlark/AutoAnswer"_s; }
    QString journal() const {
        return home() + u"/.local/share/Quenlark/Quenlark/AutoAnswer-capture.txt"_s;
    }
    QStringList messages() const {
        return QDir(folder()).entryList({u"*_bob.wav"_s}, QDir::Files, QDir::Name);
    }
    static QString logOf(const QString& home) {
        QFile file(home + u"/.local/share/Quenlark/Quenlark/logfile.txt"_s);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // The program attached: the simulator lists a client of alice's host.
    bool attached() {
        const QString user = control(u"Users"_s).toStringList().filter(u"alice"_s).value(0);
        return !user.isEmpty() && !user.endsWith(u"clients=[]"_s);
    }
    QVariant control(const QString& method, const QVariantList& arguments = {}) {
        return ::control(*m_control, method, arguments);
    }
    QString callState(uint id) {
        const QStringList calls = control(u"Calls"_s).toStringList().filter(u"%1 "_s.arg(id));
        return calls.isEmpty() ? QString() : calls.first().section(u' ', -1);
    }
    // The size of the capture the journal names.
    qint64 captured() const {
        QFile file(journal());
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        return QFileInfo(QString::fromUtf8(file.readLine()).trimmed()).size();
    }
    uint ring() { return control(u"Ring"_s, {u"bob"_s, u"alice"_s}).toUInt(); }
    uint ringUntilAnswered() {
        const uint call = ring();
        [&] { QTRY_COMPARE_WITH_TIMEOUT(callState(call), u"inprogress"_s, 15000); }();
        return call;
    }

    // A simulator whose ids never repeat those of an earlier one: the program keeps every id.
    void startSimulator() {
        m_sim = std::make_unique<HostSimProcess>(
            QStringList{u"--user"_s, u"alice@"_s + m_bus->address(), u"--answer-delay"_s, u"-1"_s,
                        u"--first-id"_s, QString::number(1000 * ++m_simStarts)});
        QVERIFY(m_sim->isReady());
    }
    // The mail server on the program's port; "--stall" keeps the first mail in DATA.
    void startSink(const QStringList& options = {}) {
        if (m_smtp.state() != QProcess::NotRunning) {
            m_smtp.kill();
            m_smtp.waitForFinished(5000);
        }
        QStringList arguments{m_dir.path() + u"/mail%1"_s.arg(++m_sinks)};
        if (m_smtpPort)
            arguments << u"--port"_s << QString::number(m_smtpPort);
        m_smtpPort = SmtpSink::start(m_smtp, arguments + options);
    }
    void startProgram() {
        if (m_program)
            return;
        m_program = std::make_unique<ProgramCopy>(home(), m_bus->address(), u"faults-program"_s);
        m_program->setEnvironment(u"QUENLARK_AUDIO"_s, u"pulse"_s);
        m_program->setEnvironment(u"QUENLARK_RECORDING_TEMP"_s, recordingTemp());
        QVERIFY(m_program->start());
        QTRY_VERIFY_WITH_TIMEOUT(attached(), 15000);
    }

private slots:
    void initTestCase() {
        m_server = SoundTest::startSpeakerRig(m_pulse, m_keepAlive, m_dir.path());
        if (!m_server)
            QSKIP("pulseaudio cannot be started here");
        startSink();
        if (!m_smtpPort)
            QSKIP("python3-aiosmtpd is not installed");
        QDir().mkpath(recordingTemp());
        m_tmpfs = QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=1m"_s,
                                                 u"tmpfs"_s, recordingTemp()}) == 0;
        const QString greeting = m_dir.path() + u"/greeting.wav"_s;
        SoundTest::writeTone(greeting, 660, 2.0);
        QVERIFY(writeAnsweringSettings(home(), greeting, m_smtpPort, 4));
        m_bus = std::make_unique<PrivateBus>();
        startSimulator();
        m_control = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_bus->address(), u"faults-control"_s));
    }

    void cleanupTestCase() {
        m_program.reset();
        m_sim.reset();
        m_smtp.closeWriteChannel();
        m_smtp.waitForFinished(5000);
        m_keepAlive.kill();
        m_keepAlive.waitForFinished(2000);
        m_pulse.kill();
        m_pulse.waitForFinished(5000);
        if (m_tmpfs)
            QProcess::execute(u"umount"_s, {u"-l"_s, recordingTemp()});
    }

    // [settings] The program starts on its defaults (or the read-only file's values), says so
    // in its log, and leaves the file exactly as it was, also when it ends.
    void settingsFileNotWritten_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("said");
        const QByteArray good = "[Main]\nDebugMode=On\n[AutoAnswer]\nRingingWaitSec1=3\n";
        QTest::newRow("unreadable") << QByteArray() << u"cannot be read"_s;
        QTest::newRow("damaged") << good + "[Recipients\n\x01\xff\xfe garbage\n" << u"is damaged"_s;
        QTest::newRow("read-only") << good << u"is read-only"_s;
    }
    void settingsFileNotWritten() {
        QFETCH(QByteArray, text);
        QFETCH(QString, said);
        const QString home = m_dir.path() + u"/settings-"_s + QTest::currentDataTag();
        const QString file = home + u"/.config/Quenlark/Quenlark.conf"_s;
        QDir().mkpath(text.isEmpty() ? file : home + u"/.config/Quenlark"_s);
        if (!text.isEmpty()) {
            QFile conf(file);
            QVERIFY(conf.open(QIODevice::WriteOnly));
            conf.write(text);
            conf.close();
            QFile::setPermissions(file, said.contains(u"read-only"_s)
                                            ? QFile::ReadOwner
                                            : QFile::ReadOwner | QFile::WriteOwner);
        }
        const QFile::Permissions modes = QFile::permissions(file);
        ProgramCopy program(home, m_bus->address(), u"faults-settings"_s);
        QVERIFY(program.start());
        QTRY_VERIFY_WITH_TIMEOUT(logOf(home).contains(said), 15000);
        QTest::qWait(500);
        program.stop();
        QCOMPARE(QFile::permissions(file), modes);
        if (text.isEmpty()) {
            QVERIFY(QFileInfo(file).isDir());
        } else {
            QFile conf(file);
            QVERIFY(conf.open(QIODevice::ReadOnly));
            QCOMPARE(conf.readAll(), text);
        }
    }

    // [host] The host killed during the greeting or the recording: the machine still records
    // to its maximum time and keeps the message, attaches to the host that comes back and
    // answers its next call.
    void hostKilledDuringCall_data() {
        QTest::addColumn<bool>("recording");
        QTest::newRow("greeting") << false;
        QTest::newRow("recording") << true;
    }
    void hostKilledDuringCall() {
        QFETCH(bool, recording);
        startProgram();
        const qsizetype before = messages().size();
        ringUntilAnswered();
        if (recording) {
            QTRY_VERIFY_WITH_TIMEOUT(captured() > 16000, 10000);
        } else {
            QTest::qWait(500);
            QVERIFY(!QFile::exists(journal())); // the 2 s greeting plays
        }
        m_sim->process().kill();
        m_sim.reset();
        startSimulator();
        QTRY_COMPARE_WITH_TIMEOUT(messages().size(), before + 1, 30000);
        QVERIFY(MessageFiles::parse(messages().last()).valid);
        QTRY_VERIFY_WITH_TIMEOUT(attached(), 30000);
        const uint next = ringUntilAnswered();
        QTRY_COMPARE_WITH_TIMEOUT(callState(next), u"ended"_s, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(messages().size(), before + 2, 5000);
    }

    // [smtp] The server killed while it holds a mail in DATA: that mail fails at once and the
    // log says so; the next message's mail goes out to the server that comes back.
    void smtpKilledDuringData() {
        startProgram();
        // Every earlier message mailed: a mail queued while no server listens would wait for
        // the connection's time-out.
        const QDir sent(m_dir.path() + u"/mail%1"_s.arg(m_sinks));
        QTRY_COMPARE_WITH_TIMEOUT(sent.entryList({u"*.json"_s}).size(), messages().size(), 20000);
        startSink({u"--stall"_s});
        ringUntilAnswered();
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += m_smtp.readAllStandardOutput()).contains("STALLED"),
                                 30000);
        startSink();
        QTRY_VERIFY_WITH_TIMEOUT(logOf(home()).contains(u"SendMail: the mail failed"_s), 10000);
        const qsizetype before = messages().size();
        ringUntilAnswered();
        QTRY_COMPARE_WITH_TIMEOUT(messages().size(), before + 1, 20000);
        const QString mail = m_dir.path() + u"/mail%1/mail001"_s.arg(m_sinks);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mail + u".json"_s), 20000);
        const QJsonObject shown = SmtpSink::read(mail + u".eml"_s);
        QCOMPARE(shown[u"attachments"_s].toArray().first()[u"filename"_s].toString(),
                 messages().last());
    }

    // [disk] The recording's disk fills: the caller is hung up, what was captured is saved
    // and the log says so.
    void diskFullDuringRecording() {
        if (!m_tmpfs)
            QSKIP("cannot mount a tmpfs for the recordings here (mount needs root)");
        startProgram();
        // Room for about a second of sound (16 kHz, 16 bit).
        const QString filler = recordingTemp() + u"/filler"_s;
        {
            QFile fill(filler);
            QVERIFY(fill.open(QIODevice::WriteOnly));
            fill.write(QByteArray(1024 * 1024 - 40 * 1024, 'x'));
        }
        const qsizetype said = logOf(home()).count(u"recording stopped early"_s);
        const qsizetype before = messages().size();
        const uint call = ringUntilAnswered();
        QTRY_COMPARE_WITH_TIMEOUT(logOf(home()).count(u"recording stopped early"_s), said + 1,
                                  15000);
        QTRY_COMPARE_WITH_TIMEOUT(callState(call), u"ended"_s, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(messages().size(), before + 1, 5000);
        const SoundTest::Sound saved = SoundTest::readSound(folder() + u'/' + messages().last());
        QVERIFY2(saved.valid && saved.seconds() > 0.3 && saved.seconds() < 3,
                 qPrintable(QString::number(saved.seconds())));
        QFile::remove(filler);
    }

    // [sound] The sound server killed during a recording: the caller is hung up and the part
    // captured is saved. Last: the server does not come back.
    void soundServerKilledDuringRecording() {
        startProgram();
        const qsizetype said = logOf(home()).count(u"recording stopped early"_s);
        const qsizetype before = messages().size();
        const uint call = ringUntilAnswered();
        QTRY_VERIFY_WITH_TIMEOUT(captured() > 16000, 10000);
        m_pulse.kill();
        QTRY_COMPARE_WITH_TIMEOUT(logOf(home()).count(u"recording stopped early"_s), said + 1,
                                  10000);
        QTRY_COMPARE_WITH_TIMEOUT(callState(call), u"ended"_s, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(messages().size(), before + 1, 5000);
        const SoundTest::Sound saved = SoundTest::readSound(folder() + u'/' + messages().last());
        QVERIFY2(saved.valid && saved.seconds() > 0.45,
                 qPrintable(QString::number(saved.seconds())));
    }
};

QUENLARK_TEST_MAIN(TestFaults)
#include "tst_faults_e2e.moc"
