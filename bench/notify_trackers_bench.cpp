// The chat and call trackers behind the router on the fake link: 100,000 chats (status,
// sender and text: 300,000 lines) and 100,000 calls (ringing, partner, finished: 300,000
// lines) with three recipients, once with the windows hidden and once with them shown.
#include "app/mainformcore.h"
#include "host_support.h"
#include "hosttransportfake.h"
#include "mainlink.h"
#include "notify/broadcastrecipients.h"
#include "notify/calltracker.h"
#include "notify/friendslist.h"
#include "notify/messagetracker.h"
#include "notify/notifications.h"
#include "notify/notifyswitches.h"
#include "notify/trackerforms.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

constexpr int kChats = 100'000;
constexpr int kCalls = 100'000;
constexpr int kWindow = 10'000; // lines in the first and the last sample
constexpr int kGroup = 100;

qint64 threadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

struct AllOn : NotifySwitches {
    bool sendIMSwitch() const override { return true; }
    bool sendMailSwitch() const override { return true; }
    bool callbackAnounceSwitch() const override { return true; }
    QString currentUserHandle() const override { return QStringLiteral("alice"); }
};

struct Figures {
    double linesPerSecond = 0;
    double firstMedianNs = 0;
    double lastMedianNs = 0;
};

// The host's lines for one chat and one call, each id new.
QStringList linesFor(int i) {
    const QString chat = QString::number(1000000 + i);
    const QString call = QString::number(5000000 + i);
    return {QStringLiteral("CHATMESSAGE ") + chat + QStringLiteral(" STATUS RECEIVED"),
            QStringLiteral("CHATMESSAGE ") + chat + QStringLiteral(" FROM_HANDLE bob"),
            QStringLiteral("CHATMESSAGE ") + chat + QStringLiteral(" BODY see you at 8, ok?"),
            QStringLiteral("CALL ") + call + QStringLiteral(" STATUS RINGING"),
            QStringLiteral("CALL ") + call + QStringLiteral(" PARTNER_HANDLE carol"),
            QStringLiteral("CALL ") + call + QStringLiteral(" STATUS FINISHED")};
}

Figures run(bool windowsShown) {
    TestServices bench;
    FakeHostTransport transport;
    MainLink core(bench.services, transport);
    transport.registerClient();
    transport.attach(QStringLiteral(":1.2"), 0);
    core.timer1().stop();
    AllOn switches;
    SkypeAPIHandler& api = core.api();
    Notifications notifications(bench.services, switches,
                                [&api](const QString& line) { api.SendCommandToSkype(line); });
    notifications.plugInto(api.router());
    int mails = 0;
    notifications.calls().setMailer([&mails](const QString&) { ++mails; });
    for (const char* handle : {"carol", "dave", "erin"})
        notifications.recipients().add(QString::fromLatin1(handle));
    std::unique_ptr<MessageForm> messageForm;
    std::unique_ptr<CallForm> callForm;
    if (windowsShown) {
        messageForm = std::make_unique<MessageForm>(bench.services, notifications.messages());
        callForm = std::make_unique<CallForm>(bench.services, notifications.calls());
        messageForm->show();
        callForm->show();
    }

    // Cost is the thread's CPU time, so other programs on the machine do not count. Lines are
    // timed in groups of 100 (the clock costs more than a line); each group's cost per line is
    // one sample of the first or last 10,000 lines.
    QList<double> first;
    QList<double> last;
    const int calls = std::max(kChats, kCalls);
    const qint64 total = qint64(calls) * 6;
    qint64 routed = 0;
    qint64 cpuNs = 0;
    qint64 groupStart = threadCpuNs();
    for (int i = 0; i < calls; ++i) {
        for (const QString& text : linesFor(i)) {
            QString copy = text;
            api.router().route(copy);
            if (++routed % kGroup != 0)
                continue;
            const qint64 now = threadCpuNs();
            const double perLine = double(now - groupStart) / kGroup;
            cpuNs += now - groupStart;
            if (routed <= kWindow)
                first.append(perLine);
            else if (routed > total - kWindow)
                last.append(perLine);
            groupStart = now;
        }
        if (i % 1000 == 999) {
            transport.clearSent(); // the fake link's record, not part of the program
            if (windowsShown)
                QCoreApplication::processEvents();
            groupStart = threadCpuNs();
        }
    }
    notifications.unplugFrom(api.router());
    if (mails != kCalls)
        std::printf("warning: %d ring mails for %d calls\n", mails, kCalls);
    return {double(routed) * 1e9 / double(cpuNs), percentile(first, 50), percentile(last, 50)};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Figures hidden = run(false);
    const Figures shown = run(true);
    std::printf("Notification trackers: %d chats and %d calls through the router, three "
                "recipients (CPU time of the program's thread)\n",
                kChats, kCalls);
    printFigure(QStringLiteral("lines/s, windows hidden"), hidden.linesPerSecond,
                QStringLiteral("lines/s"), QStringLiteral(">= 200000"),
                hidden.linesPerSecond >= 200000);
    const double growth = hidden.lastMedianNs / hidden.firstMedianNs;
    printReference(QStringLiteral("median line cost, first 10,000"), hidden.firstMedianNs,
                   QStringLiteral("ns CPU"));
    printReference(QStringLiteral("median line cost, last 10,000"), hidden.lastMedianNs,
                   QStringLiteral("ns CPU"));
    printFigure(QStringLiteral("median line cost, last 10,000 / first 10,000"), growth,
                QStringLiteral("x"), QStringLiteral("<= 1.5"), growth <= 1.5);
    printFigure(QStringLiteral("lines/s, windows shown"), shown.linesPerSecond,
                QStringLiteral("lines/s"), QStringLiteral(">= 200000"),
                shown.linesPerSecond >= 200000);
    const double slowdown = hidden.linesPerSecond / shown.linesPerSecond;
    printFigure(QStringLiteral("shown / hidden cost"), slowdown, QStringLiteral("x"),
                QStringLiteral("<= 2"), slowdown <= 2);
    return 0;
}
