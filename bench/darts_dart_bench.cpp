// A dart from the thrower's SendThrow to the partner's AddPoint: two program copies on two
// buses through quenlark-hostsim, each dart a chat message fetched and handed to the game.
#include "dartsplayer.h"
#include "host_support.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {
constexpr int kGames = 12;

// Milliseconds from a THROW leaving one copy to the other copy placing that dart. A dart that
// waits for the receiver's first-dart decision is placed from a tick, not a message, and is
// not counted.
struct DartClock {
    void sent(const QString& line) {
        const qsizetype at = line.indexOf(QStringLiteral("Arrowfall THROW "));
        if (at >= 0)
            started.insert(line.mid(at), clock.nsecsElapsed());
    }
    void placed(const Player& receiver) {
        const QString& body = receiver.dispatched.last();
        const auto found = started.find(body.mid(body.indexOf(QStringLiteral("Arrowfall "))));
        if (found == started.end())
            return;
        latencies << double(clock.nsecsElapsed() - found.value()) / 1e6;
        started.erase(found);
    }
    QElapsedTimer clock;
    QHash<QString, qint64> started;
    QList<double> latencies;
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrivateBus busA;
    PrivateBus busB;
    HostSimProcess sim({QStringLiteral("--user"), QStringLiteral("alice@") + busA.address(),
                        QStringLiteral("--user"), QStringLiteral("bob@") + busB.address()});
    if (!sim.isReady())
        return 1;
    Player alice(busA.address(), QStringLiteral("alice-program"));
    Player bob(busB.address(), QStringLiteral("bob-program"));
    if (!alice.attach(QStringLiteral("alice")) || !bob.attach(QStringLiteral("bob")))
        return 1;
    DartClock clock;
    clock.clock.start();
    for (Player* player : {&alice, &bob}) {
        Player* other = player == &alice ? &bob : &alice;
        player->onSend = [&clock](const QString& line) { clock.sent(line); };
        // The partner's dart is placed when the receiver's count of its darts goes up.
        QObject::connect(&other->game, &DartsGame::changed, &app,
                         [&clock, other, last = 0]() mutable {
                             const int count = other->game.RemoteThrowCount();
                             if (count > last || (count == 1 && last == 3))
                                 clock.placed(*other);
                             last = count;
                         });
    }
    for (int game = 0; game < kGames; ++game) {
        alice.game.Command2_Click(QStringLiteral("bob"));
        QDeadlineTimer deadline(60000);
        do {
            QTest::qWait(5);
            for (Player* player : {&alice, &bob})
                if (player->game.view().command1Enabled)
                    throwDart(*player);
        } while (!deadline.hasExpired() && (alice.game.state() != DartsGame::State::Idle ||
                                            bob.game.state() != DartsGame::State::Idle));
    }
    printFigure(QStringLiteral("dart, SendThrow to the partner's AddPoint, median"),
                percentile(clock.latencies, 50), QStringLiteral("ms"), QStringLiteral("<= 10"),
                percentile(clock.latencies, 50) <= 10);
    printFigure(QStringLiteral("dart, SendThrow to the partner's AddPoint, p99"),
                percentile(clock.latencies, 99), QStringLiteral("ms"), QStringLiteral("<= 50"),
                percentile(clock.latencies, 99) <= 50);
    printReference(QStringLiteral("darts measured"), clock.latencies.size(), QString());
    return 0;
}
