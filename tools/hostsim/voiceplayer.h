#pragma once

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class QProcess;

// Plays the remote party's voice (a WAV file) into the user's sound server with paplay while a
// call with a simulated user is in progress, so that a recording of the call hears it.
class VoicePlayer : public QObject {
    Q_OBJECT

public:
    VoicePlayer(const QString& wavFile, const QString& device, QObject* parent = nullptr);
    ~VoicePlayer() override;

    void start(uint callId);
    void stop(uint callId);

private:
    QString wavFile_;
    QString device_;
    std::map<uint, QProcess*> players_;
};
