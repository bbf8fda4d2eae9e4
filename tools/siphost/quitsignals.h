#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP end the event loop, so baresip is stopped and the scratch
// configuration removed on the way out.
class QuitSignals : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject* parent = nullptr);

private:
    QSocketNotifier* notifier_ = nullptr;
};
