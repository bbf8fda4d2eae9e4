#pragma once

#include <QObject>
#include <QString>

#include <map>

class QProcess;

// The user's own voice during a call: a WAV file played with paplay, over and over while a call
// with a simulated user is in progress, into the sink whose monitor feeds the microphone source
// of the test's sound server. A recording of the mix then hears both sides of the call.
class MicrophoneVoice : public QObject {
    Q_OBJECT

public:
    MicrophoneVoice(const QString& wavFile, const QString& sink, QObject* parent = nullptr);
    ~MicrophoneVoice() override;

    void start(uint callId);
    void stop(uint callId);

private:
    void play(uint callId);

    QString wavFile_;
    QString sink_;
    std::map<uint, QProcess*> players_;
};
