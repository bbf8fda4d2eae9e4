#include "chatdelivery.h"

namespace {
QString any(const QString& handle) {
    return handle.isEmpty() ? QStringLiteral("*") : handle;
}
} // namespace

QString ChatDelivery::key(const QString& from, const QString& to) {
    return any(from) + u'>' + any(to);
}

bool ChatDelivery::matches(const QString& pattern, const QString& handle) {
    return pattern == QLatin1String("*") || pattern == handle;
}

ChatDelivery::Rule* ChatDelivery::ruleFor(const QString& from, const QString& to) {
    // The most particular rule in force wins: both users named, then one, then none.
    for (const QString& candidate : {key(from, to), key(from, {}), key({}, to), key({}, {})}) {
        const auto found = rules_.find(candidate);
        const Rule* r = found == rules_.end() ? nullptr : &found->second;
        if (r && (r->hold || r->drop > 0 || r->duplicate > 0 || r->delayMs > 0))
            return &found->second;
    }
    return nullptr;
}

ChatDelivery::Fate ChatDelivery::decide(const QString& from, const QString& to, int* delayMs) {
    Rule* rule = ruleFor(from, to);
    if (!rule)
        return Fate::Delivered;
    if (rule->hold)
        return Fate::Held;
    if (rule->drop > 0) {
        --rule->drop;
        return Fate::Dropped;
    }
    if (rule->duplicate > 0) {
        --rule->duplicate;
        return Fate::Duplicated;
    }
    if (rule->delayMs > 0) {
        *delayMs = rule->delayMs;
        return Fate::Delayed;
    }
    return Fate::Delivered;
}

std::vector<ChatDelivery::HeldChat> ChatDelivery::release(const QString& from, const QString& to) {
    rule(from, to).hold = false;
    std::vector<HeldChat> released;
    std::vector<HeldChat> kept;
    for (const HeldChat& chat : held_) {
        const bool ours = matches(any(from), chat.from) && matches(any(to), chat.to);
        (ours ? released : kept).push_back(chat);
    }
    held_ = std::move(kept);
    return released;
}

QString ChatDelivery::fateName(Fate fate) {
    switch (fate) {
    case Fate::Delivered:
        return QStringLiteral("delivered");
    case Fate::Held:
        return QStringLiteral("held");
    case Fate::Dropped:
        return QStringLiteral("dropped");
    case Fate::Duplicated:
        return QStringLiteral("duplicated");
    case Fate::Delayed:
        return QStringLiteral("delayed");
    }
    return {};
}

QStringList ChatDelivery::describe() const {
    QStringList lines;
    for (const auto& [direction, r] : rules_)
        lines << QStringLiteral("%1 hold %2 drop %3 duplicate %4 delay %5")
                     .arg(direction, r.hold ? QStringLiteral("on") : QStringLiteral("off"))
                     .arg(r.drop)
                     .arg(r.duplicate)
                     .arg(r.delayMs);
    lines << QStringLiteral("held %1").arg(held_.size());
    return lines;
}
