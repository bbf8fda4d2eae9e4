#pragma once

#include <QString>

// What the darts game needs from the rest of the program: the host link to send its control
// messages, the main window's exclusivity marker and the signed-in user.
class DartsLink {
public:
    virtual ~DartsLink() = default;
    // One host command line (SendCommandToSkype).
    virtual void sendCommand(const QString& line) = 0;
    // The unimode form: "DartsForm" while a game holds the host lines, else empty.
    virtual void SetUnimodeForm(const QString& name) = 0;
    // CurrentUserHandleText of the main window.
    virtual QString currentUserHandle() const = 0;
};
