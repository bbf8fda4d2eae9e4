#pragma once

#include "../audio/soundtestfiles.h"
#include "answering/answeringports.h"
#include "answering/autoanswermachine.h"
#include "audio/mcilib.h"
#include "platform/audiochoice.h"
#include "platform/sound.h"
#include "testservices.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>

// The answering machine on the virtual sound backend with fake neighbours that record what
// the machine asks of them.
struct FakeAnsweringPorts final : AnsweringPorts {
    QStringList commands;
    QStringList mixer; // "save", "on", "off"
    QList<int> icons;
    QStringList mails; // subject | body | attachment
    QSet<qint32> incoming{7, 8};
    QHash<QString, QString> partners{{QStringLiteral("7"), QStringLiteral("bob")}};
    bool online = true;

    void SendCommandToSkype(const QString& line) override { commands << line; }
    bool IsRecievedCall(qint32 id) const override { return incoming.contains(id); }
    QString partnerHandle(const QString& id) const override { return partners.value(id); }
    bool userOnline() const override { return online; }
    void SetIcon(int kind) override { icons << kind; }
    void SaveCurrentSetting() override { mixer << QStringLiteral("save"); }
    void SetMixerConfig(bool flag) override { mixer << QString::fromLatin1(flag ? "on" : "off"); }
    void SendMail(const QString& subject, const QString& body, const QString& file) override {
        mails << subject + u'|' + body + u'|' + file;
    }
};

// A tone file in a folder made as needed; returns its path.
inline QString writeTone(const QString& path, double hz, double seconds, int rate = 16000) {
    QDir().mkpath(QFileInfo(path).path());
    SoundTest::writeTone(path, hz, seconds, rate);
    return path;
}

struct AnsweringRig {
    TestServices test;
    MCILib mci{
        AudioChoice::fromEnvironment(test.tempPath() + QStringLiteral("/unsaved")).createSound()};
    FakeAnsweringPorts ports;
    AutoAnswerMachine machine{test.services, mci, ports};

    // Completion notices are handed in by the test (notice()), or by connectNotices().
    AnsweringRig() {
        machine.settings().audioFile =
            writeTone(test.tempPath() + QStringLiteral("/greeting.wav"), 660, 0.2);
        test.folders.createDataFolders();
        machine.start();
        ports.commands.clear();
    }
    QString folder() const { return machine.messageFolder(); }
    QStringList messages() const { return QDir(folder()).entryList(QDir::Files, QDir::Name); }
    void line(const QString& text) {
        QString copy = text;
        machine.SetSkypeResponse(copy);
    }
    void notice(const QString& alias) { machine.MCINOTIFYHandler(alias); }
    void connectNotices() {
        QObject::connect(&mci, &MCILib::mciNotify, &machine,
                         [this](const QString& alias) { machine.MCINOTIFYHandler(alias); });
    }
    // Drives call 7 from its first RINGING to the given state.
    void driveTo(AnsweringState target) {
        line(QStringLiteral("CALL 7 STATUS RINGING"));
        if (target == AnsweringState::CheckRinging)
            return;
        machine.RingingTimer_Timer();
        if (target == AnsweringState::RingingTimeout)
            return;
        line(QStringLiteral("CALL 7 STATUS INPROGRESS"));
        if (target == AnsweringState::Answering)
            return;
        notice(QStringLiteral("aap1"));
        if (target == AnsweringState::PlayingBeep)
            return;
        notice(QStringLiteral("aap2"));
    }
};
