#include "microphonevoice.h"

#include <QProcess>

MicrophoneVoice::MicrophoneVoice(const QString& wavFile, const QString& sink, QObject* parent)
    : QObject(parent), wavFile_(wavFile), sink_(sink) {}

MicrophoneVoice::~MicrophoneVoice() {
    for (auto& [id, player] : players_) {
        player->disconnect(this);
        player->kill();
        player->waitForFinished(1000);
    }
}

void MicrophoneVoice::start(uint callId) {
    stop(callId);
    play(callId);
}

void MicrophoneVoice::play(uint callId) {
    QStringList arguments;
    if (!sink_.isEmpty())
        arguments << QStringLiteral("--device=") + sink_;
    arguments << wavFile_;
    auto* player = new QProcess(this);
    player->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    players_[callId] = player;
    // The voice goes on as long as the call: a file played to its end starts again.
    connect(player, &QProcess::finished, this, [this, callId, player](int code) {
        player->deleteLater();
        auto it = players_.find(callId);
        if (it == players_.end() || it->second != player)
            return;
        players_.erase(it);
        if (code == 0)
            play(callId);
    });
    // A player that never started (no paplay) sends no finished signal.
    connect(player, &QProcess::errorOccurred, this,
            [this, callId, player](QProcess::ProcessError e) {
                if (e != QProcess::FailedToStart)
                    return;
                auto it = players_.find(callId);
                if (it != players_.end() && it->second == player)
                    players_.erase(it);
                player->deleteLater();
            });
    player->start(QStringLiteral("paplay"), arguments);
}

void MicrophoneVoice::stop(uint callId) {
    auto it = players_.find(callId);
    if (it == players_.end())
        return;
    QProcess* player = it->second;
    players_.erase(it);
    player->kill(); // the finished handler deletes it
}
