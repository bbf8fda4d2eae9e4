#pragma once

#include <QString>

// What the answering machine needs from the rest of the program: the host link, the call
// tracker's table, the main window's user status and tray icon, the mixer switch and the mail
// sender. The session implements it over the real parts; tests over fakes.
class AnsweringPorts {
public:
    virtual ~AnsweringPorts() = default;

    virtual void SendCommandToSkype(const QString& line) = 0;
    // True when the call tracker holds the call as incoming (its first status was RINGING).
    virtual bool IsRecievedCall(qint32 callId) const = 0;
    // The caller of that call as the call tracker learnt it; empty when not known (yet).
    virtual QString partnerHandle(const QString& callId) const = 0;
    // The main window's UserStatusLabel reads "ONLINE".
    virtual bool userOnline() const = 0;
    // 3 shows the answering tray icon, 0 the normal one.
    virtual void SetIcon(int kind) = 0;
    // MixerConfigForm: capture the current recording source, switch to the answering source
    // (true) and back to the captured one (false).
    virtual void SaveCurrentSetting() = 0;
    virtual void SetMixerConfig(bool flag) = 0;
    // Queues one mail with these fields; the attachment is a Base64 file the mail sender
    // deletes once the mail is done (sent, refused or failed).
    virtual void SendMail(const QString& subject, const QString& body,
                          const QString& attachment) = 0;
};
