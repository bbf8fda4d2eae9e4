// The darts history: appending a game to a 10,000-line file, and opening the history window
// on it (construction, reading the file, filling the grid and the first paint).
#include "games/dartshistorydialog.h"
#include "games/recordlib.h"
#include "host_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableWidget>

namespace {
constexpr int kLines = 10000;
constexpr int kRounds = 20;

GameRecord game(int i) {
    return {i,
            QStringLiteral("alice"),
            QStringLiteral("20261206225300"),
            QStringLiteral("bob"),
            i % 7,
            60 + i % 100,
            45 + i % 90,
            i % 2 ? QStringLiteral("WIN") : QStringLiteral("LOSE")};
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestServices bench;
    bench.language.LoadLanguagePack(QStringLiteral("en"));
    const QString path = bench.tempPath() + QStringLiteral("/Arrowfall.hist");

    QList<double> appends;
    QList<double> opens;
    for (int round = 0; round < kRounds; ++round) {
        RecordLib store;
        for (int i = 0; i < kLines; ++i)
            store.AddGameRecord(game(i));
        store.SaveGameRecords(path);
        QElapsedTimer timer;
        timer.start();
        RecordLib::appendGameRecord(path, game(kLines));
        appends << double(timer.nsecsElapsed()) / 1e6;

        timer.restart();
        {
            DartsHistoryDialog dialog(bench.services, path);
            dialog.show();
            dialog.grid().repaint();
            opens << double(timer.nsecsElapsed()) / 1e6;
        }
        QCoreApplication::processEvents();
    }
    printFigure(QStringLiteral("append to a 10,000-line history, p99"), percentile(appends, 99),
                QStringLiteral("ms"), QStringLiteral("<= 50"), percentile(appends, 99) <= 50);
    printFigure(QStringLiteral("open the history window on 10,001 rows, max"),
                percentile(opens, 100), QStringLiteral("ms"), QStringLiteral("<= 500"),
                percentile(opens, 100) <= 500);
    printReference(QStringLiteral("open the history window, median"), percentile(opens, 50),
                   QStringLiteral("ms"));
    return 0;
}
