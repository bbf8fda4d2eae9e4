// The aiming sweep: the darts window's 30 ms timer moving the vertical line across the board,
// offscreen, and the cost of one tick (the handler and a repaint of the board).
#include "games/dartsboardwidget.h"
#include "games/dartsform.h"
#include "games/dartsgame.h"
#include "games/dartslink.h"
#include "host_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>

namespace {
struct QuietLink final : DartsLink {
    void sendCommand(const QString&) override {}
    void SetUnimodeForm(const QString&) override {}
    QString currentUserHandle() const override { return QStringLiteral("alice"); }
};
constexpr int kTraverses = 5;
constexpr int kTicksPerTraverse = 61;
constexpr int kCostRounds = 2000;
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestServices bench;
    bench.language.LoadLanguagePack(QStringLiteral("en"));
    QuietLink link;
    DartsGame game(bench.services, link);
    DartsForm form(bench.services, game);
    form.show();
    // An accepted invitation starts the first dart's aiming: the vertical line sweeps.
    bench.prompts.queueConfirm(true);
    QString invitation = QStringLiteral("INVITE 17");
    QString partner = QStringLiteral("bob");
    game.SkypeMessageHandler(invitation, partner);

    QList<double> intervals;
    QList<double> traverses;
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    int ticks = 0;
    qint64 traverseStart = 0;
    QObject::connect(&game.timer1(), &QTimer::timeout, &app, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (ticks > 0)
            intervals << double(now - last) / 1e6;
        last = now;
        if (++ticks % kTicksPerTraverse == 0) {
            traverses << double(now - traverseStart) / 1e6;
            traverseStart = now;
        }
        if (ticks == kTraverses * kTicksPerTraverse)
            app.quit();
    });
    game.timer1().start(); // restart, so the first traverse starts now
    traverseStart = clock.nsecsElapsed();
    app.exec();
    game.timer1().stop();

    QList<double> costs;
    for (int round = 0; round < kCostRounds; ++round) {
        QElapsedTimer tick;
        tick.start();
        game.Timer1_Timer();
        const QPixmap frame = form.board().grab(); // a full paint of the board
        Q_UNUSED(frame);
        costs << double(tick.nsecsElapsed()) / 1e6;
    }
    const double traverse = percentile(traverses, 50);
    printFigure(QStringLiteral("line traverse (61 ticks), median"), traverse, QStringLiteral("ms"),
                QStringLiteral("1830 +- 5%"), std::abs(traverse - 1830) <= 91.5);
    printFigure(QStringLiteral("tick interval, median"), percentile(intervals, 50),
                QStringLiteral("ms"), QStringLiteral("30"),
                std::abs(percentile(intervals, 50) - 30) <= 1.5);
    printFigure(QStringLiteral("tick interval, p99"), percentile(intervals, 99),
                QStringLiteral("ms"), QStringLiteral("<= 35"), percentile(intervals, 99) <= 35);
    printFigure(QStringLiteral("tick cost (handler + board repaint), p99"), percentile(costs, 99),
                QStringLiteral("ms"), QStringLiteral("<= 2"), percentile(costs, 99) <= 2);
    printReference(QStringLiteral("tick cost, max"), percentile(costs, 100), QStringLiteral("ms"));
    return 0;
}
