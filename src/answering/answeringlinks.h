#pragma once

#include "answeringports.h"

#include <functional>

class MixerConfig;

// AnsweringPorts over functions the session fills in, so the machine can be wired to whichever
// parts the program has. A function left empty does nothing (or answers false / empty).
struct AnsweringLinks final : AnsweringPorts {
    std::function<void(const QString&)> send;
    std::function<bool(qint32)> isReceivedCall;
    std::function<QString(const QString&)> partner;
    std::function<bool()> online;
    std::function<void(int)> setIcon;
    std::function<void(const QString&, const QString&, const QString&)> mail;
    MixerConfig* mixer = nullptr;

    void SendCommandToSkype(const QString& line) override;
    bool IsRecievedCall(qint32 callId) const override;
    QString partnerHandle(const QString& callId) const override;
    bool userOnline() const override;
    void SetIcon(int kind) override;
    void SaveCurrentSetting() override;
    void SetMixerConfig(bool flag) override;
    void SendMail(const QString& subject, const QString& body, const QString& attachment) override;
};
