#pragma once

#include <QObject>
#include <QString>

#include <map>

class QProcess;

// Records what the user's host sends into a call: while a call is in progress, the user's
// default source of the sound server, into <folder>/call-<id>.wav (16 kHz mono, parecord).
// The recording stream names no device, so it follows the default source when it changes,
// as a host's microphone capture does when the user switches the input.
class CallCapture : public QObject {
    Q_OBJECT

public:
    explicit CallCapture(const QString& folder, QObject* parent = nullptr);
    ~CallCapture() override;

    void start(uint callId);
    // Ends the recording; parecord finalises the WAV as it exits.
    void stop(uint callId);
    // The file of that call (complete once the call has ended); empty when never recorded.
    QString path(uint callId) const;

private:
    QString fileFor(uint callId) const;

    QString folder_;
    std::map<uint, QProcess*> recorders_;
    std::map<uint, QString> files_;
};
