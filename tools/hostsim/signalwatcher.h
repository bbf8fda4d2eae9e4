#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop (self-pipe), so the
// simulator ends through the same clean path as "quit".
class SignalWatcher : public QObject {
    Q_OBJECT

public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

signals:
    void terminationRequested();

private:
    static void handle(int signal);
    QSocketNotifier* notifier_ = nullptr;
};
