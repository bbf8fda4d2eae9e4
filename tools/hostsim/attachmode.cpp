#include "attachmode.h"

bool AttachMode::parse(const QString& text, AttachMode* mode) {
    const QString name = text.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    const QString delay = text.section(QLatin1Char(':'), 1);
    AttachMode parsed = *mode;
    if (name == QLatin1String("immediate"))
        parsed.kind = Kind::Immediate;
    else if (name == QLatin1String("pending"))
        parsed.kind = Kind::Pending;
    else if (name == QLatin1String("refused"))
        parsed.kind = Kind::Refused;
    else
        return false;
    if (!delay.isEmpty()) {
        bool ok = false;
        parsed.delayMs = delay.toInt(&ok);
        if (!ok || parsed.delayMs < 0 || parsed.kind != Kind::Pending)
            return false;
    }
    *mode = parsed;
    return true;
}

QString AttachMode::toString() const {
    switch (kind) {
    case Kind::Immediate:
        return QStringLiteral("immediate");
    case Kind::Pending:
        return QStringLiteral("pending:%1").arg(delayMs);
    case Kind::Refused:
        return QStringLiteral("refused");
    }
    return {};
}
