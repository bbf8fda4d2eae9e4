// Remote control end to end: two copies of quenlark, each with its own home and settings on a
// bus of its own, through one quenlark-hostsim; the home copy's sound on a PulseAudio daemon
// of the test's own. The owner (bob) logs in to alice's answering machine from his copy,
// driven through its windows (--automation), gets the list and asks for the newest message;
// the machine calls him back and plays it into the call, and the message counts as heard. A
// wrong key is refused, a stranger gets nothing.
#include "answering/autoanswersettings.h"
#include "app/mainformkeys.h"
#include "audio/mixerconfig.h"
#include "base/genlib.h"
#include "hostsimharness.h"
#include "soundtestfiles.h"
#include "testmain.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {
constexpr double kNewestHz = 880, kOlderHz = 440, kGreetingHz = 660;
const QString kKey = u"Home_Key.7"_s;
const QString kNewest = u"20261207080000_carol.wav"_s, kOlder = u"20261206090000_dave.wav"_s;
const QString kRemote = u"RemoteAutoAnswerForm"_s;

void writeSettings(const QString& file, const QList<std::pair<SettingKey, QString>>& values) {
    QSettings settings(file, QSettings::IniFormat);
    for (const auto& [key, value] : values)
        settings.setValue(QLatin1String(key.section) + u'/' + QLatin1String(key.key), value);
}
} // namespace

class TestRemoteEndToEnd : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_pulse, m_keepAlive;
    std::unique_ptr<SoundTest::EnvOverride> m_server;
    std::unique_ptr<PrivateBus> m_busHome, m_busOwner;
    std::unique_ptr<HostSimProcess> m_sim;
    std::unique_ptr<QDBusConnection> m_control;
    std::unique_ptr<ProgramCopy> m_home, m_owner;

    QString messages() const { return m_home->documents() + u"/Quenlark/AutoAnswer/"_s; }
    QVariant control(const QString& method, const QVariantList& arguments = {}) {
        return ::control(*m_control, method, arguments);
    }
    // Chats alice wrote to a user, oldest first ("id alice -> bob unread: text").
    QStringList chatsTo(const QString& user) {
        return control(u"Chats"_s).toStringList().filter(u" alice -> "_s + user + u' ');
    }
    bool attached(const QString& user) {
        const QStringList users = control(u"Users"_s).toStringList();
        const QString line = users.filter(QRegularExpression(u"^"_s + user + u' ')).value(0);
        return !line.isEmpty() && !line.endsWith(u"clients=[]"_s);
    }
    QVariant owner(const QString& method, const QVariantList& arguments) {
        return m_owner->automation(method, QVariantList{kRemote} + arguments);
    }
    QStringList ownerList() { return owner(u"Read"_s, {u"RecordedFileList"_s}).toStringList(); }
    void getList(const QString& key) {
        QVERIFY(owner(u"SetText"_s, {u"RemoteUserText"_s, u"alice"_s}).toBool());
        QVERIFY(owner(u"SetText"_s, {u"RemoteControlKeyText"_s, key}).toBool());
        QVERIFY(owner(u"Click"_s, {u"Command2"_s}).toBool());
    }

private slots:
    void initTestCase() {
        m_server = SoundTest::startSpeakerRig(m_pulse, m_keepAlive, m_dir.path());
        if (!m_server)
            QSKIP("pulseaudio cannot be started here");

        m_busHome = std::make_unique<PrivateBus>();
        m_busOwner = std::make_unique<PrivateBus>();
        m_sim = std::make_unique<HostSimProcess>(
            QStringList{u"--user"_s, u"alice@"_s + m_busHome->address(), u"--user"_s,
                        u"bob@"_s + m_busOwner->address(), u"--answer-delay"_s, u"-1"_s,
                        u"--capture-dir"_s, m_dir.path() + u"/capture"_s});
        QVERIFY(m_sim->isReady());
        m_control = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_busHome->address(), u"remote-e2e-control"_s));

        // At home: answering on with a greeting, the key, bob as controller, two messages.
        m_home = std::make_unique<ProgramCopy>(m_dir.path() + u"/alice"_s, m_busHome->address(),
                                               u"remote-e2e-home"_s);
        m_home->setEnvironment(u"QUENLARK_AUDIO"_s, u"pulse"_s);
        const QString greeting = m_dir.path() + u"/greeting.wav"_s;
        QVERIFY(SoundTest::writeTone(greeting, kGreetingHz, 1.0));
        writeSettings(m_home->settingsFile(),
                      {{MainKeys::AutoAnswerFlag, u"1"_s},
                       {AutoAnswerKeys::AudioFile, greeting},
                       {AutoAnswerKeys::RemoteControlKey, kKey},
                       {MixerConfigKeys::Control, u"Monitor of Speakers"_s}});
        QSettings(m_home->settingsFile(), QSettings::IniFormat)
            .setValue(u"AutoAnswer/"_s + AutoAnswerKeys::Controler.key(1), u"bob"_s);
        QVERIFY(QDir().mkpath(messages()));
        QVERIFY(SoundTest::writeTone(messages() + kOlder, kOlderHz, 2.0));
        QVERIFY(SoundTest::writeTone(messages() + kNewest, kNewestHz, 2.0));

        // Away: the owner's copy takes control messages only with its answering switch on;
        // without a greeting its machine answers no call.
        m_owner = std::make_unique<ProgramCopy>(m_dir.path() + u"/bob"_s, m_busOwner->address(),
                                                u"remote-e2e-owner"_s);
        writeSettings(m_owner->settingsFile(), {{MainKeys::AutoAnswerFlag, u"1"_s}});

        QVERIFY(m_home->start());
        QVERIFY(m_owner->start());
        QTRY_VERIFY_WITH_TIMEOUT(attached(u"alice"_s) && attached(u"bob"_s), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(
            m_owner->automation(u"Click"_s, {u"MainForm"_s, u"Command7"_s}).toBool(), 15000);
        QCOMPARE(owner(u"Read"_s, {u"RemoteUserText"_s}).toStringList().size(), 1);
    }

    void cleanupTestCase() {
        m_owner.reset();
        m_home.reset();
        m_sim.reset();
        m_keepAlive.kill();
        m_keepAlive.waitForFinished(2000);
        m_pulse.kill();
        m_pulse.waitForFinished(5000);
    }

    void strangerAndWrongKeyGetNoList() {
        // carol knows the key but is not on the controller list.
        control(u"SendChat"_s, {u"carol"_s, u"alice"_s,
                                u"@@Quenlark@@ AutoAnswer AUTH 77 "_s +
                                    GEnLib::ConvertStringToCryptString(kKey, u"4F"_s)});
        getList(u"Wrong_Key"_s);
        QTRY_COMPARE_WITH_TIMEOUT(chatsTo(u"bob"_s).size(), 1, 15000);
        QVERIFY2(chatsTo(u"bob"_s).first().contains(QRegularExpression(u"AUTH \\d+ REFUSE$"_s)),
                 qPrintable(chatsTo(u"bob"_s).first()));
        QTRY_VERIFY_WITH_TIMEOUT(
            m_owner->automation(u"Notices"_s).toStringList().contains(u"REFUSE From Remote User"_s),
            10000);
        // No list within the request's time-out.
        QTRY_VERIFY_WITH_TIMEOUT(m_owner->automation(u"Notices"_s)
                                     .toStringList()
                                     .contains(u"Get List Request is timeout!!"_s),
                                 20000);
        QVERIFY(ownerList().isEmpty());
        QCOMPARE(chatsTo(u"bob"_s).size(), 1);
    }

    void ownerHearsTheNewestMessageInTheCallBack() {
        getList(kKey);
        QTRY_COMPARE_WITH_TIMEOUT(ownerList().size(), 2, 15000);
        QCOMPARE(ownerList(),
                 QStringList({u"2026/12/07 08:00.00 carol"_s, u"2026/12/06 09:00.00 dave"_s}));
        QVERIFY(owner(u"SelectRow"_s, {u"RecordedFileList"_s, 0}).toBool());
        QVERIFY(owner(u"Click"_s, {u"Command3"_s}).toBool());

        // The machine calls bob back; his copy leaves the call ringing for him; he answers.
        QString call;
        QTRY_VERIFY_WITH_TIMEOUT(
            !(call = control(u"Calls"_s).toStringList().filter(u"alice -> bob ringing"_s).value(0))
                 .isEmpty(),
            15000);
        const uint id = call.section(u' ', 0, 0).toUInt();
        QString error;
        ::control(*m_control, u"Answer"_s, {id, u"bob"_s}, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // Played to its end, the machine hangs up.
        QTRY_VERIFY_WITH_TIMEOUT(
            control(u"Calls"_s).toStringList().contains(u"%1 alice -> bob ended"_s.arg(id)), 30000);

        // Heard at home; the other message is untouched.
        QTRY_VERIFY(QFile::exists(messages() + u"20261207080000_carol.r.wav"_s));
        QVERIFY(!QFile::exists(messages() + kNewest));
        QVERIFY(QFile::exists(messages() + kOlder));

        // What bob heard: the newest message, not the other one nor the greeting.
        const QString heardPath = control(u"CapturePath"_s, {id}).toString();
        QTRY_VERIFY_WITH_TIMEOUT(SoundTest::readSound(heardPath).valid, 10000);
        const SoundTest::Sound heard = SoundTest::readSound(heardPath);
        QVERIFY2(SoundTest::firstHeard(heard, kNewestHz) >= 0,
                 qPrintable(u"%1 s heard, dominant %2 Hz"_s.arg(heard.seconds())
                                .arg(SoundTest::dominantHz(heard.mono, heard.rate))));
        QCOMPARE(SoundTest::firstHeard(heard, kOlderHz), -1.0);
        QCOMPARE(SoundTest::firstHeard(heard, kGreetingHz), -1.0);

        // Close ends the session with one exchange of BYE; carol never got a word.
        QVERIFY(owner(u"Click"_s, {u"Command1"_s}).toBool());
        QTRY_VERIFY_WITH_TIMEOUT(chatsTo(u"bob"_s).last().contains(u"AutoAnswer BYE "_s), 10000);
        QVERIFY(chatsTo(u"carol"_s).isEmpty());
    }
};

QUENLARK_TEST_MAIN(TestRemoteEndToEnd)
#include "tst_remote_e2e.moc"
