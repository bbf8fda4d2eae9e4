#include "voiceplayer.h"

#include <QProcess>
#include <QTextStream>
#include <QTimer>

VoicePlayer::VoicePlayer(const QString& wavFile, const QString& device, QObject* parent)
    : QObject(parent), wavFile_(wavFile), device_(device) {}

VoicePlayer::~VoicePlayer() {
    for (auto& [id, player] : players_) {
        player->disconnect(this);
        player->kill();
        player->waitForFinished(1000);
    }
}

void VoicePlayer::start(uint callId, const QString& speaker) {
    stop(callId);
    const auto own = userFiles_.find(speaker);
    const QString file = own == userFiles_.end() ? wavFile_ : own->second;
    if (file.isEmpty())
        return;
    if (delayMs_ <= 0) {
        launch(callId, file);
        return;
    }
    waiting_[callId] = file;
    QTimer::singleShot(delayMs_, this, [this, callId] {
        auto it = waiting_.find(callId);
        if (it == waiting_.end())
            return;
        const QString waitingFile = it->second;
        waiting_.erase(it);
        launch(callId, waitingFile);
    });
}

void VoicePlayer::launch(uint callId, const QString& file) {
    QStringList arguments;
    if (!device_.isEmpty())
        arguments << QStringLiteral("--device=") + device_;
    arguments << file;
    auto* player = new QProcess(this);
    player->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    auto forget = [this, callId, player] {
        auto it = players_.find(callId);
        if (it != players_.end() && it->second == player)
            players_.erase(it);
        player->deleteLater();
    };
    connect(player, &QProcess::finished, this, forget);
    // A player that never started (no paplay) sends no finished signal.
    connect(player, &QProcess::errorOccurred, this, [forget](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            forget();
    });
    players_[callId] = player;
    player->start(QStringLiteral("paplay"), arguments);
}

void VoicePlayer::stop(uint callId) {
    waiting_.erase(callId);
    auto it = players_.find(callId);
    if (it == players_.end())
        return;
    QProcess* player = it->second;
    players_.erase(it);
    player->kill(); // the finished handler deletes it
}
