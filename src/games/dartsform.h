#pragma once

#include <QWidget>

#include <array>

class DartsBoardWidget;
class DartsGame;
class QLabel;
class QLineEdit;
class QPushButton;
struct Services;

// "Arrowfall": the darts window. Its logic is DartsGame; this window shows the game's view
// and passes clicks on. Control messages reach the game only while this window is shown.
class DartsForm : public QWidget {
    Q_OBJECT
public:
    DartsForm(Services& services, DartsGame& game, QWidget* parent = nullptr);

    DartsGame& game() { return m_game; }
    DartsBoardWidget& board() { return *m_board; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void showState();
    void openHistory();

    Services& m_services;
    DartsGame& m_game;
    DartsBoardWidget* m_board = nullptr;
    QLineEdit* m_remoteUserNameText = nullptr;
    QLabel* m_announce = nullptr;
    QLabel* m_localUserName = nullptr;
    QLabel* m_localScore = nullptr;
    QLabel* m_remoteUserName = nullptr;
    QLabel* m_remoteScore = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
    std::array<QLabel*, 3> m_arrows{};
};
