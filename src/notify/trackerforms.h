#pragma once

#include <QWidget>

struct Services;
class CallTracker;
class FriendsList;
class MessageTracker;
class QTableView;

// "Message": the chat table of the chat-message tracker, shown from the Debug menu. The
// tracking runs in MessageTracker whether the window is shown or not.
class MessageForm : public QWidget {
    Q_OBJECT
public:
    MessageForm(Services& services, MessageTracker& tracker, QWidget* parent = nullptr);
    QTableView* grid() const { return m_grid; }
    // "Hide".
    void Command1_Click() { hide(); }

private:
    QTableView* m_grid;
};

// "Call": the call table of the call tracker, shown from the Debug menu.
class CallForm : public QWidget {
    Q_OBJECT
public:
    CallForm(Services& services, CallTracker& tracker, QWidget* parent = nullptr);
    QTableView* grid() const { return m_grid; }
    void Command1_Click() { hide(); }

private:
    QTableView* m_grid;
};

// "Friends": the host's friends list, shown from the Debug menu; closing it only hides it,
// the list lives on in FriendsList. Loading it asks the host for the list (once per run).
class FriendsForm : public QWidget {
    Q_OBJECT
public:
    FriendsForm(Services& services, FriendsList& friends, QWidget* parent = nullptr);
    QTableView* grid() const { return m_grid; }
    // "Back".
    void Command1_Click() { hide(); }

private:
    QTableView* m_grid;
};
