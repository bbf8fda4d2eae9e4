#pragma once

#include <QObject>
#include <QStringList>

class QSocketNotifier;
class Simulator;

// Line commands on standard input ("help" lists them). End of input only stops the reading:
// the simulator keeps serving until "quit", the control object's Quit or SIGTERM.
class Console : public QObject {
    Q_OBJECT

public:
    explicit Console(Simulator* simulator, QObject* parent = nullptr);
    void start();
    // Runs one console line and returns what it prints.
    QStringList run(const QString& line);

private slots:
    void readInput();

private:
    QStringList ring(const QStringList& words);
    QStringList callAction(const QStringList& words, bool answer);
    QStringList chat(const QString& line, const QStringList& words);
    QStringList attach(const QStringList& words);
    QStringList host(const QStringList& words);
    QStringList transcript(const QStringList& words);
    QString defaultUser() const;

    Simulator* simulator_;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray pending_;
};

extern const char* const kConsoleHelp;
