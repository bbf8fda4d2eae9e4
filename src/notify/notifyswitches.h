#pragma once

#include <QString>

// The main window's state the trackers read at the moment of use: its switches and the
// signed-in user's handle. Nothing of it is cached by the trackers.
class NotifySwitches {
public:
    virtual ~NotifySwitches() = default;
    virtual bool sendIMSwitch() const = 0;          // SendIMCheck: report by chat
    virtual bool sendMailSwitch() const = 0;        // SendMailCheck: report ringing calls by mail
    virtual bool callbackAnounceSwitch() const = 0; // CallbackAnounceCheck: announce back
    virtual QString currentUserHandle() const = 0;  // CurrentUserHandleText
};
