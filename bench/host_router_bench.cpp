// Host lines through the router in process, with every window that takes host lines today
// (AudioForm and the main window's logic), and through the whole receive path of the link
// (payload decoding, the line counter and the router).
#include "app/mainformcore.h"
#include "audio/audioform.h"
#include "host_support.h"
#include "hosttransportfake.h"
#include "mainlink.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr qint64 kRunNs = 2'000'000'000;

// A mix of what a host sends in a busy minute: calls, chats, contacts, status and pongs.
const QStringList kLines = {
    QStringLiteral("CALL 1042 STATUS RINGING"),
    QStringLiteral("CALL 1042 PARTNER_HANDLE bob"),
    QStringLiteral("CHATMESSAGE 77 STATUS RECEIVED"),
    QStringLiteral("CHATMESSAGE 77 BODY  see you at 8 "),
    QStringLiteral("USER carol ONLINESTATUS AWAY"),
    QStringLiteral("USER carol FULLNAME Carol Example"),
    QStringLiteral("USERSTATUS ONLINE"),
    QStringLiteral("AUDIO_IN mic"),
    QStringLiteral("PONG"),
    QStringLiteral("USERS bob, carol, dave"),
};

template <typename Step> double linesPerSecond(Step&& step) {
    QElapsedTimer timer;
    timer.start();
    qint64 lines = 0;
    while (timer.nsecsElapsed() < kRunNs) {
        for (const QString& line : kLines)
            step(line);
        lines += kLines.size();
    }
    return double(lines) * 1e9 / double(timer.nsecsElapsed());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestServices bench;
    FakeHostTransport transport;
    MainLink core(bench.services, transport);
    AudioForm audio(bench.services, {});
    core.api().router().setTarget(HostLineRouter::Step::Audio, &audio);
    transport.registerClient();
    transport.attach(QStringLiteral(":1.2"), 0);
    core.timer1().stop();

    HostLineRouter& router = core.api().router();
    const double routed = linesPerSecond([&router](const QString& text) {
        QString line = text; // every line arrives as a string of its own
        router.route(line);
    });
    QList<QByteArray> payloads;
    for (const QString& line : kLines)
        payloads.append(SkypeAPIHandler::encodeLine(line));
    qsizetype next = 0;
    const double received = linesPerSecond([&](const QString&) {
        core.api().onNotify(QStringLiteral(":1.2"), payloads[next]);
        next = (next + 1) % payloads.size();
    });
    std::printf("Host lines in process (targets: AudioForm, MainForm)\n");
    printFigure(QStringLiteral("router"), routed, QStringLiteral("lines/s"),
                QStringLiteral(">= 1000000"), routed >= 1e6);
    printFigure(QStringLiteral("receive path (decode, count, route)"), received,
                QStringLiteral("lines/s"), QStringLiteral(">= 1000000"), received >= 1e6);
    return 0;
}
