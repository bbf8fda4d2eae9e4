#pragma once

#include "attachmode.h"

#include <QList>
#include <QString>
#include <QStringList>

struct UserBus {
    QString handle;
    QString address; // "session" or a D-Bus address
};

struct Options {
    QList<UserBus> users;
    QString worldFile;
    AttachMode attach;
    int answerDelayMs = -2; // -2: as the world says
    bool console = true;
    QString controlService = QStringLiteral("org.quenlark.HostSim");
    QString audioIn = QStringLiteral("mic");
    QString audioOut = QStringLiteral("spk");
    QString voiceFile;
    QString voiceDevice;
    QString micVoiceFile;   // the user's own voice on the microphone during a call
    QString micVoiceDevice; // the sink that feeds the microphone source
    int voiceDelayMs = 0;
    QList<std::pair<QString, QString>> userVoices; // handle, WAV file
    QString captureFolder;
    uint firstId = 0; // 0: the world's own first id (101)
    int loadMs = 0;   // --load: a call or a chat every loadMs ms (0: none)
    QString loadFrom = QStringLiteral("bob");
};

// Reads the command line; false with a message for the user when it cannot be understood.
bool parseOptions(const QStringList& arguments, Options* options, QString* error);
