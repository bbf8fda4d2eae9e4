#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class RemoteControl;

// The logic of "Remote[AutoAnswer]" (RemoteAutoAnswerForm without its widgets): asks another
// copy's answering machine for access and its list of messages, fills the list from its
// "RECORD" answers, asks for one message to be played, and ends the session.
class RemoteAutoAnswerClient : public QObject {
    Q_OBJECT
public:
    static constexpr int kRequestTimeoutMs = 10000; // Timer1
    static constexpr int kMaxLines = 10000;
    static inline const QString kTimer1Tag = QStringLiteral("Get List Request");

    explicit RemoteAutoAnswerClient(RemoteControl& remote, QObject* parent = nullptr);

    // "Get List": false (nothing sent) for an empty user or key, or a key the machine could
    // never accept (notice() says why).
    bool Command2_Click(const QString& user, const QString& key);
    // "Play Request" for a line of the list; false when not sent (no key, this machine busy).
    bool Command3_Click(const QString& line);
    // "Close": ends this copy's controller session ("BYE" when a key is held).
    void Command1_Click();
    void Timer1_Timer();
    void AddRecordToList(const QString& date, const QString& time, const QString& caller);

    const QStringList& lines() const { return m_lines; }
    bool timer1Active() const { return m_timer1.isActive(); }

signals:
    void linesChanged();
    // A message for the user; shown without waiting for an answer.
    void notice(const QString& text, const QString& title);

private:
    void endSession();

    RemoteControl& m_remote;
    QTimer m_timer1;
    QStringList m_lines;
};
