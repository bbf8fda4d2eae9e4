#pragma once

#include <QProcess>
#include <QString>

// What the bridge's own baresip instance is set up with.
struct PhoneSettings {
    QString program = QStringLiteral("baresip");
    QString configDir;    // written by the bridge; the accounts file goes here
    QString accountLine;  // one line of baresip's accounts file
    QString sipListen;    // address:port, empty: baresip's default
    QString netInterface; // e.g. 127.0.0.1 to keep SIP and RTP on loopback
    QString audioPlayer = QStringLiteral("alsa,default");
    QString audioSource = QStringLiteral("alsa,default");
    quint16 ctrlPort = 0;
};

// A free TCP port on 127.0.0.1 (0 when none could be had).
quint16 freeLoopbackPort();

// baresip started with a configuration the bridge writes. The child dies with the bridge.
class PhoneProcess {
public:
    bool start(const PhoneSettings& settings, QString* error);
    void stop();
    qint64 pid() const { return process_.processId(); }

private:
    QProcess process_;
};
