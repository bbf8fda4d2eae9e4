#include "blackjackform.h"

#include "centerform.h"

BlackJackForm::BlackJackForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("BlackJackForm"));
    setWindowTitle(QStringLiteral("BlackJack"));
    resize(320, 240);
    CenterForm(this);
}
