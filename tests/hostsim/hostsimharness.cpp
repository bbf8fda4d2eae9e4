#include "hostsimharness.h"

#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

namespace {
// A test that aborts (a failed QTRY in a helper, the watchdog) must not leave its bus and
// simulator behind: they would hold the test's output open and keep ctest waiting.
void endWithTheTest(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

const QString kInterface = QStringLiteral("org.quenlark.HostControl1");
const QString kClientPath = QStringLiteral("/org/quenlark/Client");
} // namespace

PrivateBus::PrivateBus() {
    endWithTheTest(daemon_);
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1"), QStringLiteral("--nopidfile")});
    QElapsedTimer timer;
    timer.start();
    while (!daemon_.canReadLine() && timer.elapsed() < 5000)
        daemon_.waitForReadyRead(100);
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus() {
    daemon_.kill();
    daemon_.waitForFinished(2000);
}

HostSimProcess::HostSimProcess(const QStringList& arguments) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    endWithTheTest(process_);
    process_.start(QStringLiteral(QUENLARK_BINARY_DIR "/bin/quenlark-hostsim"),
                   QStringList{QStringLiteral("--no-console")} + arguments);
    QElapsedTimer timer;
    timer.start();
    while (!ready_ && timer.elapsed() < 10000) {
        if (!process_.canReadLine() && !process_.waitForReadyRead(100))
            continue;
        const QString line = QString::fromUtf8(process_.readLine()).trimmed();
        banner_.append(line);
        ready_ = line == QLatin1String("ready");
    }
}

HostSimProcess::~HostSimProcess() {
    // Ended like a user would end it, so the simulator runs its exit path (and, in the
    // sanitized build, its leak check); killed only when it does not end.
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

QString HostSimProcess::hostName(const QString& user) const {
    // "user alice bus ADDRESS host :1.2"
    for (const QString& line : banner_) {
        const QStringList words = line.split(QLatin1Char(' '));
        if (words.size() == 6 && words[0] == QLatin1String("user") && words[1] == user)
            return words[5];
    }
    return {};
}

TestClient::TestClient(const QString& address, const QString& name)
    : name_(name), connection_(QDBusConnection::connectToBus(address, name)) {
    connection_.registerObject(kClientPath, this, QDBusConnection::ExportScriptableSlots);
}

TestClient::~TestClient() {
    connection_.unregisterObject(kClientPath);
    QDBusConnection::disconnectFromBus(name_);
}

void TestClient::discover() {
    connection_.send(
        QDBusMessage::createSignal(kClientPath, kInterface, QStringLiteral("Discover")));
}

uint TestClient::commandPayload(const QByteArray& payload, const QString& target) {
    QDBusMessage call = QDBusMessage::createMethodCall(target.isEmpty() ? host : target,
                                                       QStringLiteral("/org/quenlark/Host"),
                                                       kInterface, QStringLiteral("Command"));
    call << payload;
    const QDBusMessage reply = connection_.call(call, QDBus::Block, 3000);
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toUInt() : 0;
}

void TestClient::Attach(uint status) {
    attachStatuses.append(status);
    if (status == 0)
        host = message().service();
}

uint TestClient::Notify(const QByteArray& payload) {
    if (host.isEmpty() || message().service() != host)
        return 0;
    QByteArray terminated = payload;
    terminated.append('\0');
    lines.append(QString::fromUtf8(terminated.constData()));
    return 1;
}

QString TestClient::waitFor(const QString& pattern, int timeoutMs) {
    const QRegularExpression expression(QStringLiteral("^") + pattern + QStringLiteral("$"));
    QElapsedTimer timer;
    timer.start();
    do {
        for (qsizetype i = searchFrom_; i < lines.size(); ++i) {
            if (expression.match(lines[i]).hasMatch()) {
                searchFrom_ = i + 1;
                return lines[i];
            }
        }
        QTest::qWait(20);
    } while (timer.elapsed() < timeoutMs);
    return {};
}

QVariant control(QDBusConnection& connection, const QString& method, const QVariantList& arguments,
                 QString* error) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.quenlark.HostSim"), QStringLiteral("/org/quenlark/HostSim"),
        QStringLiteral("org.quenlark.HostSim1"), method);
    call.setArguments(arguments);
    const QDBusMessage reply = connection.call(call, QDBus::Block, 3000);
    if (error)
        *error = reply.type() == QDBusMessage::ErrorMessage ? reply.errorMessage() : QString();
    return reply.arguments().value(0);
}

ProgramCopy::ProgramCopy(const QString& home, const QString& busAddress, const QString& name)
    : home_(home), name_(name), environment_(QProcessEnvironment::systemEnvironment()),
      connection_(QDBusConnection::connectToBus(busAddress, name)) {
    for (const auto& [variable, value] :
         {std::pair{QStringLiteral("HOME"), home},
          {QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config")},
          {QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share")},
          {QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache")},
          {QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run")},
          {QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress},
          {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")}})
        environment_.insert(variable, value);
    QDir().mkpath(home + QStringLiteral("/run"));
    QFile::setPermissions(home + QStringLiteral("/run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(home + QStringLiteral("/.config/Quenlark"));
    QDir().mkpath(documents());
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    endWithTheTest(process_);
}

ProgramCopy::~ProgramCopy() {
    stop();
    QDBusConnection::disconnectFromBus(name_);
}

void ProgramCopy::setEnvironment(const QString& variable, const QString& value) {
    environment_.insert(variable, value);
}

bool ProgramCopy::start() {
    process_.setProcessEnvironment(environment_);
    process_.start(QStringLiteral(QUENLARK_BINARY_DIR "/bin/quenlark"),
                   {QStringLiteral("--automation")});
    return process_.waitForStarted();
}

void ProgramCopy::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

QString ProgramCopy::settingsFile() const {
    return home_ + QStringLiteral("/.config/Quenlark/Quenlark.conf");
}

QString ProgramCopy::documents() const {
    return home_ + QStringLiteral("/Documents");
}

QVariant ProgramCopy::automation(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.quenlark.Automation"), QStringLiteral("/org/quenlark/Automation"),
        QStringLiteral("org.quenlark.Automation1"), method);
    call.setArguments(arguments);
    const QDBusMessage reply = connection_.call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0) : QVariant();
}

bool writeAnsweringSettings(const QString& home, const QString& greeting, quint16 smtpPort,
                            int recordingMaxSec, const QString& extraMain) {
    QDir().mkpath(home + QStringLiteral("/.config/Quenlark"));
    QFile conf(home + QStringLiteral("/.config/Quenlark/Quenlark.conf"));
    if (!conf.open(QIODevice::WriteOnly))
        return false;
    const QString text =
        QStringLiteral("[Main]\nAutoAnswerFlag=1\n%1"
                       "[AutoAnswer]\nAudioFile=%2\nRingingWaitSec1=1\nRingingWaitSec2=1\n"
                       "RecordingMaxSec=%3\nMailFlagCheck=1\n"
                       "[MixerConfig]\nControl=Monitor of Speakers\n"
                       "[SendMail]\nSMTPServer=127.0.0.1:%4\n"
                       "SenderMailAddress=alice@example.org\nMailAddress=owner@example.org\n")
            .arg(extraMain, greeting)
            .arg(recordingMaxSec)
            .arg(smtpPort);
    return conf.write(text.toUtf8()) == text.toUtf8().size();
}
