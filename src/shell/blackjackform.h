#pragma once

#include <QWidget>

// "BlackJack": a game window that has no behaviour yet.
class BlackJackForm : public QWidget {
    Q_OBJECT
public:
    explicit BlackJackForm(QWidget* parent = nullptr);
};
