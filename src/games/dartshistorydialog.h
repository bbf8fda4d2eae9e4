#pragma once

#include "games/recordlib.h"

#include <QDialog>

class QLabel;
class QTableWidget;
struct Services;

// "Darts Game History": every game of the history file, coloured by its result (light red a
// win, light blue a loss), with the number of wins and losses. Each opening reads the file.
class DartsHistoryDialog : public QDialog {
    Q_OBJECT
public:
    DartsHistoryDialog(Services& services, const QString& historyPath, QWidget* parent = nullptr);

    QTableWidget& grid() { return *m_grid; }
    int wins() const { return m_wins; }
    int losses() const { return m_losses; }

private:
    void buildControls();
    void fill(const QList<GameRecord>& records);

    QTableWidget* m_grid = nullptr;
    QLabel* m_winCount = nullptr;
    QLabel* m_lossCount = nullptr;
    int m_wins = 0;
    int m_losses = 0;
};
