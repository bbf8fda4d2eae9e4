#include "trackerforms.h"

#include "base/services.h"
#include "notify/calltracker.h"
#include "notify/friendslist.h"
#include "notify/messagetracker.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The window's grid above its one button, which hides the window.
template <typename Form>
void layOut(Form* form, QTableView* grid, const char* buttonText, int textId,
            void (Form::*click)()) {
    auto* button = Controls::button(form, "Command1", QString::fromLatin1(buttonText), textId);
    QObject::connect(button, &QPushButton::clicked, form, click);
    auto* layout = new QVBoxLayout(form);
    layout->addWidget(grid);
    layout->addWidget(button, 0, Qt::AlignRight);
    form->resize(480, 320);
}

} // namespace

MessageForm::MessageForm(Services& services, MessageTracker& tracker, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_grid(Controls::grid(this, "MessageFlexGrid", &tracker.table(), {1000, 1000})) {
    setObjectName(QStringLiteral("MessageForm"));
    setWindowTitle(QStringLiteral("Message"));
    layOut(this, m_grid, "Hide", -1, &MessageForm::Command1_Click);
    CenterForm(this);
    ApplyLanguage(this, services.language);
}

CallForm::CallForm(Services& services, CallTracker& tracker, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_grid(Controls::grid(this, "CallFlexGrid", &tracker.table(), {1000, 1000, 1000, 1000})) {
    setObjectName(QStringLiteral("CallForm"));
    setWindowTitle(QStringLiteral("Call"));
    layOut(this, m_grid, "Hide", -1, &CallForm::Command1_Click);
    CenterForm(this);
    ApplyLanguage(this, services.language);
}

FriendsForm::FriendsForm(Services& services, FriendsList& friends, QWidget* parent)
    : QWidget(parent, Qt::Window), m_grid(Controls::grid(this, "FriendsGrid", &friends, {2000})) {
    setObjectName(QStringLiteral("FriendsForm"));
    setWindowTitle(QStringLiteral("Friends"));
    layOut(this, m_grid, "Back", 100, &FriendsForm::Command1_Click);
    CenterForm(this);
    ApplyLanguage(this, services.language);
    friends.SearchFriends();
}
