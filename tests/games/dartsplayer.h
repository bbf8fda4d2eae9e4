#pragma once

// One copy of the program for darts tests and benchmarks: the real host link on a bus of its
// own, the main window's logic, the control envelope and the darts game.
#include "app/mainformcore.h"
#include "games/dartsgame.h"
#include "games/dartslink.h"
#include "mainlink.h"
#include "openboxprompts.h"
#include "platform/hosttransportdbus.h"
#include "testservices.h"

#include <QFile>
#include <QtTest>

// It fetches each received chat's writer and text, as the chat tracker does, and hands control
// messages to the envelope.
struct Player : HostLineTarget, DartsLink {
    Player(const QString& address, const QString& name)
        : connectionName(name), transport(QDBusConnection::connectToBus(address, name)),
          core(test.services, transport) {
        test.language.LoadLanguagePack(QStringLiteral("en"));
        transport.registerClient();
        core.api().router().setTarget(HostLineRouter::Step::Message, this);
        game.setShown(true);
        envelope.setHandler(ControlEnvelope::Feature::Arrowfall, &game);
    }
    ~Player() override { QDBusConnection::disconnectFromBus(connectionName); }

    void sendCommand(const QString& line) override {
        sent << line;
        if (onSend)
            onSend(line);
        core.api().SendCommandToSkype(line);
    }
    void SetUnimodeForm(const QString& name) override { core.SetUnimodeForm(name); }
    QString currentUserHandle() const override { return core.currentUserHandle(); }

    void SetSkypeResponse(QString& line) override {
        const QStringList words = line.split(u' ');
        if (words.size() == 4 && words[0] == QLatin1String("CHATMESSAGE") &&
            words[3] == QLatin1String("RECEIVED")) {
            core.api().SendCommandToSkype(
                QStringLiteral("GET CHATMESSAGE %1 FROM_HANDLE").arg(words[1]));
            core.api().SendCommandToSkype(QStringLiteral("GET CHATMESSAGE %1 BODY").arg(words[1]));
        } else if (words.size() >= 4 && words[2] == QLatin1String("FROM_HANDLE")) {
            writers[words[1]] = words[3];
        } else if (words.size() >= 4 && words[2] == QLatin1String("BODY")) {
            const QString body = line.section(u' ', 3);
            if (ControlEnvelope::IsControlMessage(body)) {
                dispatched << body;
                envelope.Dispatch(words[1].toInt(), body, writers.value(words[1]));
            }
        }
    }

    bool attach(const QString& handle) {
        core.api().ConnectToSkype();
        for (QDeadlineTimer deadline(10000);
             core.currentUserHandle() != handle && !deadline.hasExpired();)
            QTest::qWait(20);
        core.timer1().stop();
        game.Form_Activate();
        return core.currentUserHandle() == handle;
    }
    QByteArray history() const {
        QFile file(game.historyPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString connectionName;
    TestServices test;
    OpenBoxPrompts prompts;
    Services services{test.settings, prompts,      test.clock,   test.folders,
                      test.log,      test.console, test.language};
    DBusHostTransport transport;
    MainLink core;
    DartsGame game{services, *this};
    ControlEnvelope envelope{[this](const QString& line) { core.api().SendCommandToSkype(line); }};
    QHash<QString, QString> writers;
    QStringList sent;
    QStringList dispatched;
    std::function<void(const QString&)> onSend;
    int darts = 0;
};

// Aims by ticking the sweeps by hand, so each dart lands somewhere new near the bull.
inline void throwDart(Player& player) {
    const int n = player.darts++;
    if (player.game.stage() == DartsGame::Stage::Ready) // the second and third dart of a turn
        player.game.Command1_Click();
    const int ticks[] = {28 + (n * 7) % 5, 28 + (n * 3) % 5, 40 + (n * 11) % 20};
    for (const int count : ticks) {
        player.game.timer1().stop();
        for (int tick = 0; tick < count; ++tick)
            player.game.Timer1_Timer();
        player.game.Command1_Click();
    }
}
