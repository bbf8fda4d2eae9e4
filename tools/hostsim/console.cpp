#include "console.h"

#include "callcapture.h"
#include "deliverycontrol.h"
#include "hostendpoint.h"
#include "loadgenerator.h"
#include "simulator.h"
#include "userdetails.h"

#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

const char* const kConsoleHelp =
    "ring FROM [TO]            FROM calls TO (default: the first user on a bus)\n"
    "answer ID [AS]            answer call ID (default: as its callee)\n"
    "hangup ID [AS]            end call ID (default: as the simulated party)\n"
    "chat FROM TO TEXT         FROM writes TEXT to TO\n"
    "status HANDLE STATUS      change a user's online status (ONLINE, AWAY, DND, OFFLINE...)\n"
    "attach MODE               immediate, pending[:MS] or refused\n"
    "host HANDLE down|up       the host of HANDLE becomes not available / available again\n"
    "users | calls | chats     list users, calls or chat messages\n"
    "transcript [FILE]         print the transcript, or save it to FILE\n"
    "deliver hold|release F T  hold chats from F to T (* for anyone) / deliver what was held\n"
    "deliver drop|dup F T N    drop / deliver twice the next N chats from F to T\n"
    "deliver delay F T MS      delay every chat from F to T; deliver clear|rules\n"
    "capture ID                the file of what the user's host sent into call ID\n"
    "load [stop]               what --load did so far / end it\n"
    "help                      this list\n"
    "quit                      end the simulator";

namespace {

QStringList outcome(const OpResult& result, const QString& what) {
    if (!result.ok)
        return {QStringLiteral("error: ") + result.error};
    return {result.id ? QStringLiteral("ok %1 %2").arg(what).arg(result.id) : QStringLiteral("ok")};
}

// The capture file of a call, or an error line.
QString captureOf(const Simulator* simulator, uint callId) {
    const QString path =
        simulator->callCapture() ? simulator->callCapture()->path(callId) : QString();
    return path.isEmpty() ? QStringLiteral("error: call %1 was not recorded").arg(callId) : path;
}

} // namespace

Console::Console(Simulator* simulator, QObject* parent) : QObject(parent), simulator_(simulator) {}

void Console::start() {
    notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &Console::readInput);
}

void Console::readInput() {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
        notifier_->setEnabled(false); // end of input: keep serving the buses
        return;
    }
    pending_.append(buffer, n);
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(pending_.left(end)).trimmed();
        pending_.remove(0, end + 1);
        for (const QString& out : run(line))
            std::printf("%s\n", out.toUtf8().constData());
        std::fflush(stdout);
    }
}

QString Console::defaultUser() const {
    const auto endpoints = simulator_->endpoints();
    return endpoints.empty() ? QString() : endpoints.front()->handle();
}

QStringList Console::run(const QString& line) {
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString verb = words.value(0).toLower();
    if (verb.isEmpty())
        return {};
    if (verb == QLatin1String("help"))
        return QString::fromLatin1(kConsoleHelp).split(QLatin1Char('\n')) +
               QString::fromLatin1(kUserConsoleHelp).split(QLatin1Char('\n'));
    if (verb == QLatin1String("ring"))
        return ring(words);
    if (verb == QLatin1String("answer") || verb == QLatin1String("hangup"))
        return callAction(words, verb == QLatin1String("answer"));
    if (verb == QLatin1String("chat"))
        return chat(line, words);
    if (verb == QLatin1String("status") && words.size() == 3)
        return outcome(simulator_->setStatus(words[1], words[2]), QString());
    if (verb == QLatin1String("attach"))
        return attach(words);
    if (verb == QLatin1String("host"))
        return host(words);
    if (verb == QLatin1String("users"))
        return simulator_->userList();
    if (verb == QLatin1String("calls"))
        return simulator_->callList();
    if (verb == QLatin1String("chats"))
        return simulator_->chatList();
    if (verb == QLatin1String("transcript"))
        return transcript(words);
    if (verb == QLatin1String("deliver"))
        return deliveryCommand(simulator_, words);
    if (verb == QLatin1String("capture") && words.size() == 2)
        return {captureOf(simulator_, words[1].toUInt())};
    if (QStringList out = runUserCommand(*simulator_, words, line); !out.isEmpty())
        return out;
    if (verb == QLatin1String("load")) {
        LoadGenerator* load = simulator_->loadGenerator();
        if (!load)
            return {QStringLiteral("error: no --load")};
        if (words.value(1).toLower() == QLatin1String("stop"))
            load->stop();
        return {load->summary()};
    }
    if (verb == QLatin1String("quit")) {
        emit simulator_->quitRequested();
        return {QStringLiteral("bye")};
    }
    return {QStringLiteral("error: unknown command, try help")};
}

QStringList Console::ring(const QStringList& words) {
    if (words.size() < 2 || words.size() > 3)
        return {QStringLiteral("error: ring FROM [TO]")};
    const QString to = words.size() == 3 ? words[2] : defaultUser();
    return outcome(simulator_->placeCall(words[1], to), QStringLiteral("call"));
}

QStringList Console::callAction(const QStringList& words, bool answer) {
    bool ok = false;
    const uint id = words.value(1).toUInt(&ok);
    if (!ok || words.size() > 3)
        return {QStringLiteral("error: %1 ID [AS]").arg(words[0])};
    const QString as = words.value(2);
    return outcome(answer ? simulator_->answerCall(id, as) : simulator_->endCall(id, as),
                   QStringLiteral("call"));
}

QStringList Console::chat(const QString& line, const QStringList& words) {
    if (words.size() < 4)
        return {QStringLiteral("error: chat FROM TO TEXT")};
    // The text keeps its inner blanks: everything after the third word.
    QString rest = line.trimmed();
    for (int i = 0; i < 3; ++i)
        rest = rest.mid(rest.indexOf(QLatin1Char(' '))).trimmed();
    return outcome(simulator_->sendChat(words[1], words[2], rest), QStringLiteral("message"));
}

QStringList Console::attach(const QStringList& words) {
    AttachMode mode = simulator_->attachMode();
    if (words.size() != 2 || !AttachMode::parse(words[1], &mode))
        return {QStringLiteral("error: attach immediate|pending[:MS]|refused")};
    simulator_->setAttachMode(mode);
    return {QStringLiteral("attach ") + mode.toString()};
}

QStringList Console::host(const QStringList& words) {
    const QString state = words.value(2).toLower();
    if (words.size() != 3 || (state != QLatin1String("up") && state != QLatin1String("down")))
        return {QStringLiteral("error: host HANDLE down|up")};
    return outcome(simulator_->setHostAvailable(words[1], state == QLatin1String("up")), QString());
}

QStringList Console::transcript(const QStringList& words) {
    if (words.size() == 1)
        return simulator_->transcript().lines();
    QString error;
    if (!simulator_->transcript().save(words[1], &error))
        return {QStringLiteral("error: ") + error};
    return {QStringLiteral("saved ") + words[1]};
}
