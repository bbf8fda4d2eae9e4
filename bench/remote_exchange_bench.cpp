// A whole remote control exchange between two copies of quenlark through quenlark-hostsim:
// the owner's copy (bob) logs in to the answering machine at home (alice) and gets its list,
// asks for the newest message, answers the call back, hears the message and is hung up on.
// Times come from the simulator's transcript (one wall clock); what the bench itself does
// between the steps (pressing the owner's buttons, answering the call) and the configured
// waits are left out: the home copy plays on the virtual sound backend with no playing time
// (QUENLARK_VIRTUAL_AUDIO_SCALE=0), so the message's length counts for nothing.
//   login + list: bob sends AUTH -> bob marks the last RECORD read
//   play request: bob sends PLAY -> the call back rings at bob's host
//   playback:     the answered call reaches alice (INPROGRESS) -> alice hangs up after it
#include "answering/autoanswersettings.h"
#include "app/mainformkeys.h"
#include "host_support.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <optional>

namespace {

constexpr int kRuns = 9;
constexpr int kMessages = 5;
const QString kKey = QStringLiteral("Bench_Key");
const QString kRemote = QStringLiteral("RemoteAutoAnswerForm");

struct Line {
    QDateTime at;
    QString user, direction, text;
};

// "yyyy-MM-dd hh:mm:ss.zzz USER DIR PEER [line]"
std::optional<Line> parse(const QString& entry) {
    static const QRegularExpression form(
        QStringLiteral("^(\\S+ \\S+) (\\S+) (<-|->|--) \\S* ?\\[(.*)\\]$"));
    const QRegularExpressionMatch match = form.match(entry);
    if (!match.hasMatch())
        return std::nullopt;
    return Line{QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")),
                match.captured(2), match.captured(3), match.captured(4)};
}

class Bench {
public:
    bool setUp();
    // One exchange: the three phases in ms, or nothing when a step never came.
    std::optional<std::array<double, 3>> runOnce(QString* why);

    // The simulator's transcript, on standard error: what a failed run saw.
    void dump() {
        for (const QString& line : control(QStringLiteral("Transcript")).toStringList())
            std::fprintf(stderr, "%s\n", qPrintable(line));
    }

private:
    QVariant control(const QString& method, const QVariantList& arguments = {});
    QVariant owner(const QString& method, const QVariantList& arguments) {
        return m_owner->automation(method, QVariantList{kRemote} + arguments);
    }
    QList<Line> linesFrom(qsizetype first);
    static int recordsHandled(const QList<Line>& lines);
    static bool waitFor(const std::function<bool()>& done, int ms = 15000);

    QTemporaryDir m_dir;
    std::unique_ptr<PrivateBus> m_busHome, m_busOwner;
    std::unique_ptr<HostSimProcess> m_sim;
    std::unique_ptr<QDBusConnection> m_control;
    std::unique_ptr<ProgramCopy> m_home, m_owner;
};

QVariant Bench::control(const QString& method, const QVariantList& arguments) {
    return ::control(*m_control, method, arguments);
}

bool Bench::waitFor(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

QList<Line> Bench::linesFrom(qsizetype first) {
    QList<Line> lines;
    const QStringList entries = control(QStringLiteral("Transcript")).toStringList();
    for (qsizetype i = first; i < entries.size(); ++i)
        if (const std::optional<Line> line = parse(entries[i]))
            lines.append(*line);
    return lines;
}

int Bench::recordsHandled(const QList<Line>& lines) {
    QStringList records;
    int handled = 0;
    for (const Line& line : lines) {
        if (line.user != QLatin1String("bob"))
            continue;
        const QStringList words = line.text.split(u' ');
        if (line.direction == QLatin1String("->") && words.size() > 3 &&
            words[2] == QLatin1String("BODY") &&
            line.text.contains(QStringLiteral(" AutoAnswer RECORD ")))
            records.append(words[1]);
        else if (line.direction == QLatin1String("<-") && words.size() == 4 &&
                 words[0] == QLatin1String("SET") && words[3] == QLatin1String("SEEN") &&
                 records.contains(words[2]))
            ++handled;
    }
    return handled;
}

bool Bench::setUp() {
    m_busHome = std::make_unique<PrivateBus>();
    m_busOwner = std::make_unique<PrivateBus>();
    if (m_busHome->address().isEmpty() || m_busOwner->address().isEmpty())
        return false;
    m_sim = std::make_unique<HostSimProcess>(
        QStringList{QStringLiteral("--user"), QStringLiteral("alice@") + m_busHome->address(),
                    QStringLiteral("--user"), QStringLiteral("bob@") + m_busOwner->address(),
                    QStringLiteral("--answer-delay"), QStringLiteral("-1")});
    if (!m_sim->isReady())
        return false;
    m_control = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(m_busHome->address(), QStringLiteral("bench-control")));

    m_home = std::make_unique<ProgramCopy>(m_dir.path() + QStringLiteral("/alice"),
                                           m_busHome->address(), QStringLiteral("bench-home"));
    m_home->setEnvironment(QStringLiteral("QUENLARK_AUDIO"), QStringLiteral("virtual"));
    m_home->setEnvironment(QStringLiteral("QUENLARK_VIRTUAL_AUDIO_SCALE"), QStringLiteral("0"));
    {
        QSettings settings(m_home->settingsFile(), QSettings::IniFormat);
        const auto key = [](const SettingKey& k) {
            return QLatin1String(k.section) + u'/' + QLatin1String(k.key);
        };
        settings.setValue(key(MainKeys::AutoAnswerFlag), QStringLiteral("1"));
        settings.setValue(key(AutoAnswerKeys::RemoteControlKey), kKey);
        settings.setValue(QLatin1String(AutoAnswerKeys::Controler.section) + u'/' +
                              AutoAnswerKeys::Controler.key(1),
                          QStringLiteral("bob"));
    }
    const QString folder = m_home->documents() + QStringLiteral("/Quenlark/AutoAnswer/");
    QDir().mkpath(folder);
    for (int i = 0; i < kMessages; ++i) {
        // A short silent message: 44-byte header and 0.1 s of 8 kHz 8-bit mono.
        QFile file(
            folder +
            QStringLiteral("202612070900%1_caller%2.wav").arg(i, 2, 10, QLatin1Char('0')).arg(i));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        QByteArray wav(
            "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0"
            "data\0\0\0\0",
            44);
        const QByteArray samples(800, char(0x80));
        const quint32 riff = 36 + quint32(samples.size()), data = quint32(samples.size());
        memcpy(wav.data() + 4, &riff, 4);
        memcpy(wav.data() + 40, &data, 4);
        file.write(wav + samples);
    }

    m_owner = std::make_unique<ProgramCopy>(m_dir.path() + QStringLiteral("/bob"),
                                            m_busOwner->address(), QStringLiteral("bench-owner"));
    m_owner->setEnvironment(QStringLiteral("QUENLARK_AUDIO"), QStringLiteral("virtual"));
    QSettings(m_owner->settingsFile(), QSettings::IniFormat)
        .setValue(QStringLiteral("Main/AutoAnswerFlag"), QStringLiteral("1"));
    if (!m_home->start() || !m_owner->start())
        return false;
    const auto attached = [this] {
        const QStringList users = control(QStringLiteral("Users")).toStringList();
        for (const QString& user : {QStringLiteral("alice "), QStringLiteral("bob ")}) {
            const QString line = users.filter(QRegularExpression(u'^' + user)).value(0);
            if (line.isEmpty() || line.endsWith(QStringLiteral("clients=[]")))
                return false;
        }
        return true;
    };
    return waitFor(attached, 30000) && waitFor([this] {
               return m_owner
                   ->automation(QStringLiteral("Click"),
                                {QStringLiteral("MainForm"), QStringLiteral("Command7")})
                   .toBool();
           }) &&
           owner(QStringLiteral("SetText"),
                 {QStringLiteral("RemoteUserText"), QStringLiteral("alice")})
               .toBool() &&
           owner(QStringLiteral("SetText"), {QStringLiteral("RemoteControlKeyText"), kKey})
               .toBool();
}

std::optional<std::array<double, 3>> Bench::runOnce(QString* why) {
    const qsizetype first = control(QStringLiteral("Transcript")).toStringList().size();
    const auto fail = [why](const QString& step) {
        *why = step;
        return std::nullopt;
    };
    if (!owner(QStringLiteral("Click"), {QStringLiteral("Command2")}).toBool())
        return fail(QStringLiteral("Get List"));
    // The list is complete once bob's copy has handled (marked read) every RECORD.
    if (!waitFor([&] { return recordsHandled(linesFrom(first)) == kMessages; }))
        return fail(QStringLiteral("the list"));
    if (!owner(QStringLiteral("SelectRow"), {QStringLiteral("RecordedFileList"), 0}).toBool() ||
        !owner(QStringLiteral("Click"), {QStringLiteral("Command3")}).toBool())
        return fail(QStringLiteral("Play Request"));
    QString call;
    if (!waitFor([&] {
            call = control(QStringLiteral("Calls"))
                       .toStringList()
                       .filter(QStringLiteral("alice -> bob ringing"))
                       .value(0);
            return !call.isEmpty();
        }))
        return fail(QStringLiteral("the call back"));
    const uint id = call.section(u' ', 0, 0).toUInt();
    control(QStringLiteral("Answer"), {id, QStringLiteral("bob")});
    const QString ended = QStringLiteral("%1 alice -> bob ended").arg(id);
    if (!waitFor([&] { return control(QStringLiteral("Calls")).toStringList().contains(ended); }))
        return fail(QStringLiteral("the hang-up after the playback"));
    // Close, and wait for the machine's BYE so that the next login finds no session.
    owner(QStringLiteral("Click"), {QStringLiteral("Command1")});
    const auto byeAnswered = [&] {
        for (const Line& line : linesFrom(first))
            if (line.user == QLatin1String("bob") && line.direction == QLatin1String("->") &&
                line.text.contains(QStringLiteral("AutoAnswer BYE ")))
                return true;
        return false;
    };
    if (!waitFor(byeAnswered))
        return fail(QStringLiteral("BYE"));

    QDateTime authSent, lastRecordSeen, playSent, ringing, answered, hungUp;
    QString lastRecordId;
    const QString callId = QString::number(id);
    for (const Line& line : linesFrom(first)) {
        const bool toBob =
            line.user == QLatin1String("bob") && line.direction == QLatin1String("->");
        const bool fromBob =
            line.user == QLatin1String("bob") && line.direction == QLatin1String("<-");
        const bool toAlice =
            line.user == QLatin1String("alice") && line.direction == QLatin1String("->");
        const bool fromAlice =
            line.user == QLatin1String("alice") && line.direction == QLatin1String("<-");
        const QStringList words = line.text.split(u' ');
        if (fromBob && !authSent.isValid() &&
            line.text.startsWith(QStringLiteral("MESSAGE alice ")) &&
            line.text.contains(QStringLiteral(" AutoAnswer AUTH ")))
            authSent = line.at;
        else if (toBob && words.size() > 3 && words[2] == QLatin1String("BODY") &&
                 line.text.contains(QStringLiteral(" AutoAnswer RECORD ")))
            lastRecordId = words[1];
        else if (fromBob && !lastRecordId.isEmpty() && !playSent.isValid() && words.size() == 4 &&
                 words[0] == QLatin1String("SET") && words[2] == lastRecordId &&
                 words[3] == QLatin1String("SEEN"))
            lastRecordSeen = line.at;
        else if (fromBob && !playSent.isValid() &&
                 line.text.contains(QStringLiteral(" AutoAnswer PLAY ")))
            playSent = line.at;
        else if (toBob && !ringing.isValid() &&
                 line.text == QStringLiteral("CALL %1 STATUS RINGING").arg(callId))
            ringing = line.at;
        else if (toAlice && !answered.isValid() &&
                 line.text == QStringLiteral("CALL %1 STATUS INPROGRESS").arg(callId))
            answered = line.at;
        else if (fromAlice && !hungUp.isValid() &&
                 line.text == QStringLiteral("SET CALL %1 STATUS FINISHED").arg(callId))
            hungUp = line.at;
    }
    for (const auto& [stamp, name] : {std::pair{authSent, "AUTH"},
                                      {lastRecordSeen, "last RECORD"},
                                      {playSent, "PLAY"},
                                      {ringing, "RINGING"},
                                      {answered, "INPROGRESS"},
                                      {hungUp, "FINISHED"}})
        if (!stamp.isValid())
            return fail(QStringLiteral("%1 in the transcript").arg(QLatin1String(name)));
    return std::array<double, 3>{double(authSent.msecsTo(lastRecordSeen)),
                                 double(playSent.msecsTo(ringing)),
                                 double(answered.msecsTo(hungUp))};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Bench bench;
    if (!bench.setUp()) {
        std::fprintf(stderr, "bench_remote_exchange: the two copies did not come up\n");
        return 1;
    }
    QList<double> login, play, playback, total;
    for (int i = 0; i < kRuns; ++i) {
        QString why;
        const auto run = bench.runOnce(&why);
        if (!run) {
            std::fprintf(stderr, "bench_remote_exchange: run %d: no %s\n", i + 1, qPrintable(why));
            bench.dump();
            return 1;
        }
        login.append((*run)[0]);
        play.append((*run)[1]);
        playback.append((*run)[2]);
        total.append((*run)[0] + (*run)[1] + (*run)[2]);
    }
    std::printf("remote control between two quenlark copies through quenlark-hostsim, %d runs, "
                "%d messages listed\n",
                kRuns, kMessages);
    printReference(QStringLiteral("login + list (AUTH to last RECORD), median"),
                   percentile(login, 50), QStringLiteral("ms"));
    printReference(QStringLiteral("play request (PLAY to RINGING), median"), percentile(play, 50),
                   QStringLiteral("ms"));
    printReference(QStringLiteral("playback (INPROGRESS to hang-up), median"),
                   percentile(playback, 50), QStringLiteral("ms"));
    const double median = percentile(total, 50);
    printFigure(QStringLiteral("login-list-play exchange, median"), median, QStringLiteral("ms"),
                QStringLiteral("< 300 ms"), median < 300);
    printReference(QStringLiteral("login-list-play exchange, worst"), percentile(total, 100),
                   QStringLiteral("ms"));
    return 0;
}
