#pragma once

#include <QPixmap>
#include <QWidget>

struct DartsView;

// The board, the aiming lines, the dart markers and the two meters of the darts window,
// painted in twips at fractional positions over a board picture drawn once from the same
// constants that score the darts. Its frame is the board's: (0, 0) is the board's corner.
class DartsBoardWidget : public QWidget {
    Q_OBJECT
public:
    // The widget spans the board and the meters below it, in twips from the board's corner.
    static constexpr int kSpanWidth = 3300;
    static constexpr int kSpanHeight = 4020;

    DartsBoardWidget(const DartsView& view, QWidget* parent = nullptr);

    // The board picture (200 x 200 pixels): rings, sector borders and numbers.
    static QPixmap drawBoard();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DartsView& m_view;
    QPixmap m_board;
};
