#pragma once

#include <QString>
#include <QStringList>

class Simulator;

// Answers one command line of one user with the lines a real host sends back to the caller.
// Lines for other clients and later lines (call and chat progress) go out through the simulator.
class CommandInterpreter {
public:
    CommandInterpreter(Simulator& simulator, const QString& user);
    QStringList execute(const QString& line);

    static QString error(int code, const QString& text);

private:
    QStringList get(const QStringList& words);
    QStringList set(const QStringList& words);
    QStringList search(const QStringList& words);
    QStringList message(const QStringList& words, const QString& line);
    QStringList call(const QStringList& words);
    QStringList protocol(const QStringList& words);
    QStringList setCall(const QStringList& words);
    QStringList setMessage(const QStringList& words);
    QStringList setUserStatus(const QStringList& words);

    QString getUser(const QStringList& words);
    QString getCall(const QStringList& words);
    QString getMessage(const QStringList& words);

    Simulator& simulator_;
    QString user_;
};
