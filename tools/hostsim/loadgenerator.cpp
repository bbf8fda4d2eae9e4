#include "loadgenerator.h"

#include "hostendpoint.h"
#include "simulator.h"

#include <map>

LoadGenerator::LoadGenerator(Simulator* simulator, QString caller, QString callee, int intervalMs)
    : simulator_(simulator), caller_(std::move(caller)), callee_(std::move(callee)) {
    firstId_ = simulator_->world().nextId();
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &LoadGenerator::tick);
    timer_.start();
}

void LoadGenerator::tick() {
    // Traffic begins two seconds after the callee's first client attached: a call that rings
    // before the client is ready would never be answered.
    if (!attached_.isValid()) {
        const HostEndpoint* host = simulator_->endpoint(callee_);
        if (!host || host->clients().isEmpty())
            return;
        attached_.start();
    }
    if (attached_.elapsed() < 2000)
        return;
    const SimCall* last = calls_.isEmpty() ? nullptr : simulator_->world().call(calls_.last());
    if (!last || last->isOver()) {
        const OpResult call = simulator_->placeCall(caller_, callee_);
        if (call.ok)
            calls_.append(call.id);
        return;
    }
    if (simulator_->sendChat(caller_, callee_, QStringLiteral("load %1").arg(chats_ + 1)).ok)
        ++chats_;
}

QString LoadGenerator::summary() const {
    World& world = simulator_->world();
    int answered = 0;
    for (const uint id : calls_) {
        const SimCall* call = world.call(id);
        answered += call && call->answered ? 1 : 0;
    }
    std::map<QString, int> replies;
    for (const auto& [id, message] : world.messages())
        if (id >= firstId_ && message.from == callee_)
            ++replies[message.to];
    QString text = QStringLiteral("load calls %1 answered %2 chats %3 running %4 replies")
                       .arg(calls_.size())
                       .arg(answered)
                       .arg(chats_)
                       .arg(timer_.isActive() ? 1 : 0);
    for (const auto& [handle, count] : replies)
        text += QStringLiteral(" %1=%2").arg(handle).arg(count);
    return text;
}
