#include "callcapture.h"

#include <QDir>
#include <QProcess>

namespace {
constexpr int kFinishMs = 3000;
}

CallCapture::CallCapture(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder) {
    QDir().mkpath(folder_);
}

CallCapture::~CallCapture() {
    while (!recorders_.empty())
        stop(recorders_.begin()->first);
}

QString CallCapture::fileFor(uint callId) const {
    return folder_ + QStringLiteral("/call-%1.wav").arg(callId);
}

void CallCapture::start(uint callId) {
    stop(callId);
    auto* recorder = new QProcess(this);
    recorder->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    recorder->start(QStringLiteral("parecord"),
                    {QStringLiteral("--file-format=wav"), QStringLiteral("--rate=16000"),
                     QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20"),
                     fileFor(callId)});
    if (!recorder->waitForStarted(kFinishMs)) {
        delete recorder;
        return;
    }
    recorders_[callId] = recorder;
    files_[callId] = fileFor(callId);
}

void CallCapture::stop(uint callId) {
    auto it = recorders_.find(callId);
    if (it == recorders_.end())
        return;
    QProcess* recorder = it->second;
    recorders_.erase(it);
    recorder->terminate();
    if (!recorder->waitForFinished(kFinishMs))
        recorder->kill();
    recorder->waitForFinished(kFinishMs);
    delete recorder;
}

QString CallCapture::path(uint callId) const {
    auto it = files_.find(callId);
    return it == files_.end() ? QString() : it->second;
}
