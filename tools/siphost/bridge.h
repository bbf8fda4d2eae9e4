#pragma once

#include "ctrlcodec.h"
#include "sipaddress.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>

// Turns host command lines into baresip commands and baresip events into host lines. Calls get
// numeric ids of their own (baresip's ids are hex strings the link cannot carry); a call's
// entry stays after it ended so late queries are still answered.
class Bridge : public QObject {
    Q_OBJECT

public:
    Bridge(SipAddressBook book, const QString& audioIn, const QString& audioOut,
           QObject* parent = nullptr);

    void handleCommand(const QString& line);
    void handleEvent(const CtrlMessage& message);

signals:
    void notify(const QString& line);
    // A ctrl_tcp command for baresip (command, params).
    void baresipCommand(const QString& command, const QString& params);

private:
    struct Call {
        uint id = 0;
        QString sipId; // baresip's id; empty for a dial baresip has not reported yet
        QString peerUri;
        bool incoming = false;
        bool established = false;
        bool endedHere = false; // this side hung up
        QString status;
        QDateTime started;
    };

    void setStatus(Call& call, const QString& status);
    Call* callBySipId(const CtrlMessage& message);
    Call* callById(const QString& word);
    void closed(Call& call, const QString& reason);
    void prune();

    void getCommand(const QStringList& words);
    void getCall(const QStringList& words);
    void setCommand(const QStringList& words);
    void setCall(const QStringList& words);
    void dial(const QString& handle);
    void error(int number, const QString& text);

    SipAddressBook book_;
    QString audioIn_;
    QString audioOut_;
    QString userStatus_ = QStringLiteral("ONLINE");
    bool registered_ = true;
    uint nextId_ = 1;
    QMap<uint, Call> calls_;
};
