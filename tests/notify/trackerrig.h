#pragma once

// The notification cores wired as the program wires them, over a recording send function.
#include "notify/announceback.h"
#include "notify/broadcastrecipients.h"
#include "notify/calltracker.h"
#include "notify/friendslist.h"
#include "notify/messagetracker.h"
#include "notify/notifyswitches.h"
#include "testservices.h"

struct FakeSwitches : NotifySwitches {
    bool sendIMSwitch() const override { return sendIM; }
    bool sendMailSwitch() const override { return sendMail; }
    bool callbackAnounceSwitch() const override { return announce; }
    QString currentUserHandle() const override { return own; }
    bool sendIM = true;
    bool sendMail = true;
    bool announce = true;
    QString own = QStringLiteral("alice");
};

struct TrackerRig {
    TrackerRig()
        : recipients(test.settings), friends(send()),
          announceBack(test.settings, switches, friends, send()),
          messages(test.log, switches, recipients, announceBack, send()),
          calls(switches, recipients, announceBack, send()) {
        calls.setMailer([this](const QString& subject) { mails << subject; });
    }
    std::function<void(const QString&)> send() {
        return [this](const QString& line) { sent << line; };
    }
    // Routes a line through the chat tracker, then the call tracker, as the router does.
    void host(const QString& text) {
        QString line = text;
        friends.SetSkypeResponse(line);
        messages.SetSkypeResponse(line);
        calls.SetSkypeResponse(line);
    }
    // A received chat and the host's answers to both queries.
    void chat(int id, const QString& from, const QString& body) {
        host(QStringLiteral("CHATMESSAGE %1 STATUS RECEIVED").arg(id));
        host(QStringLiteral("CHATMESSAGE %1 FROM_HANDLE %2").arg(id).arg(from));
        host(QStringLiteral("CHATMESSAGE %1 BODY ").arg(id) + body);
    }
    void ring(int id, const QString& from) {
        host(QStringLiteral("CALL %1 STATUS RINGING").arg(id));
        host(QStringLiteral("CALL %1 PARTNER_HANDLE %2").arg(id).arg(from));
    }
    // What was sent apart from the trackers' own host queries.
    QStringList chatsSent() const {
        QStringList chats;
        for (const QString& line : sent) {
            if (!line.startsWith(QLatin1String("GET ")))
                chats << line;
        }
        return chats;
    }

    TestServices test;
    FakeSwitches switches;
    QStringList sent;
    QStringList mails;
    BroadcastRecipients recipients;
    FriendsList friends;
    AnnounceBack announceBack;
    MessageTracker messages;
    CallTracker calls;
};
