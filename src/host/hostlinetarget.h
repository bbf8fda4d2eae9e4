#pragma once

#include <QString>

// A window that takes host lines from the router. The line is passed by reference: a target
// may trim it in place, and the targets after it then see the trimmed line.
class HostLineTarget {
public:
    virtual ~HostLineTarget() = default;
    virtual void SetSkypeResponse(QString& line) = 0;
};

// The answering machine takes host lines only while it has a greeting file (AudioFileText),
// and, once it has started on a call, until it is idle again.
class AnsweringLineTarget : public HostLineTarget {
public:
    virtual bool hasGreetingFile() const = 0;
    virtual bool isBusy() const { return false; }
};

// The windows that own the MCI device at times: the answering machine and the call recorder.
class MciNotifyHandler {
public:
    virtual ~MciNotifyHandler() = default;
    virtual void MCINOTIFYHandler() = 0;
};

// Main-window state the router reads for its conditions.
class RoutingState {
public:
    virtual ~RoutingState() = default;
    // AutoAnswerCheck is ticked.
    virtual bool autoAnswerSwitch() const = 0;
    // "DartsForm" while a darts game holds the host lines, else empty.
    virtual QString GetUnimodeForm() const = 0;
};
