#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class Simulator;

// Steady traffic for soak runs (--load MS): every MS milliseconds the caller (a simulated user)
// calls the callee when its last call is over, else writes it a chat. The console's "load"
// prints what it did and what the callee's clients did in return; "load stop" ends it. It
// waits for the callee's first client.
class LoadGenerator : public QObject {
    Q_OBJECT
public:
    LoadGenerator(Simulator* simulator, QString caller, QString callee, int intervalMs);
    void stop() { timer_.stop(); }
    // "load calls N answered A chats M running R replies H=N ..." (replies: chats the callee
    // wrote to each user during the run).
    QString summary() const;

private:
    void tick();

    Simulator* simulator_;
    QString caller_, callee_;
    QTimer timer_;
    QElapsedTimer attached_;
    QList<uint> calls_;
    uint chats_ = 0;
    uint firstId_ = 0;
};
