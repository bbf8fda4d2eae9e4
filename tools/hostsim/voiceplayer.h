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

    // The voice begins this long after the call is answered (so it can fall after a greeting).
    void setStartDelay(int ms) { delayMs_ = ms; }
    // A voice of its own for one simulated user, instead of the common file.
    void setUserFile(const QString& handle, const QString& wavFile) {
        userFiles_[handle] = wavFile;
    }
    bool hasVoice() const { return !wavFile_.isEmpty() || !userFiles_.empty(); }

    // Plays the voice of the speaker (the simulated party) into call callId.
    void start(uint callId, const QString& speaker = QString());
    void stop(uint callId);

private:
    QString wavFile_;
    QString device_;
    std::map<uint, QProcess*> players_;
    std::map<QString, QString> userFiles_;
    std::map<uint, QString> waiting_; // calls whose voice waits for its start delay
    int delayMs_ = 0;

    void launch(uint callId, const QString& file);
};
