#pragma once

#include <QString>

// How the host answers a client's discovery: at once, after the user's authorization, or not.
struct AttachMode {
    enum class Kind { Immediate, Pending, Refused };
    Kind kind = Kind::Immediate;
    int delayMs = 1000; // pending: time until the user grants the attach

    // "immediate", "pending", "pending:MS" or "refused"; false for anything else.
    static bool parse(const QString& text, AttachMode* mode);
    QString toString() const;
};

// Attach statuses a host reports.
enum AttachStatus : uint {
    AttachSuccess = 0,
    AttachPendingAuthorization = 1,
    AttachRefused = 2,
    AttachNotAvailable = 3,
    AttachAvailable = 0x8001,
};
