#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class ContactList;

// What the contact list needs of the host link.
struct ContactLink {
    std::function<void(const QString&)> send; // SendCommandToSkype
    std::function<QString()> linkStatus;      // the main window's SkypeStatusLabel
    std::function<bool()> idle;               // IsMessageQueueEmpty
};

// Asks the host about the contacts, one contact per Timer1 tick (1 s) and only while the link
// is supervised ("Connecting") and nothing else waits to be handled; every Timer2 tick (20 s)
// the contact asked longest ago is put back in line. Both run while the window is hidden.
class ContactPoller : public QObject {
    Q_OBJECT
public:
    ContactPoller(ContactList& list, ContactLink link, QObject* parent = nullptr);

    // Starts both timers (the window's load step).
    void start();
    void Timer1_Timer();
    void Timer2_Timer();
    // Sends the four GET USER queries for the first contact waiting to be asked.
    void QueryNextContact();

    qint32 QuerySequence() const { return m_querySequence; }
    QTimer& timer1() { return m_timer1; }
    QTimer& timer2() { return m_timer2; }

private:
    ContactList& m_list;
    ContactLink m_link;
    qint32 m_querySequence = 0;
    QTimer m_timer1;
    QTimer m_timer2;
};
