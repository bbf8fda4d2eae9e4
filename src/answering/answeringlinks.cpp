#include "answeringlinks.h"

#include "audio/mixerconfig.h"

void AnsweringLinks::SendCommandToSkype(const QString& line) {
    if (send)
        send(line);
}

bool AnsweringLinks::IsRecievedCall(qint32 callId) const {
    return isReceivedCall && isReceivedCall(callId);
}

QString AnsweringLinks::partnerHandle(const QString& callId) const {
    return partner ? partner(callId) : QString();
}

bool AnsweringLinks::userOnline() const {
    return online && online();
}

void AnsweringLinks::SetIcon(int kind) {
    if (setIcon)
        setIcon(kind);
}

void AnsweringLinks::SaveCurrentSetting() {
    if (mixer)
        mixer->SaveCurrentSetting();
}

void AnsweringLinks::SetMixerConfig(bool flag) {
    if (mixer)
        mixer->SetMixerConfig(flag);
}

void AnsweringLinks::SendMail(const QString& subject, const QString& body,
                              const QString& attachment) {
    if (mail)
        mail(subject, body, attachment);
}
