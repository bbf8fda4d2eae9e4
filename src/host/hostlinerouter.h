#pragma once

#include "hostlinetarget.h"

#include <array>
#include <functional>

// Hands every host line to the windows in a fixed order. Each window sees every line (apart
// from the two conditions below) and ignores what is not its own; a step whose window does
// not exist yet is skipped.
class HostLineRouter {
public:
    enum class Step {
        Friends,   // FriendsForm: "USERS" replies
        Audio,     // AudioForm: AUDIO_IN / AUDIO_OUT replies
        Message,   // MessageForm: chat messages; trims the line for everyone after it
        Call,      // CallForm: call status lines
        Main,      // MainForm: CURRENTUSERHANDLE, USERSTATUS, PONG
        Recording, // RecordingForm: call status lines while the answering machine is off
        Contact,   // ContactForm: USER replies while no game holds the lines
        Count
    };

    explicit HostLineRouter(const RoutingState& state) : m_state(state) {}

    void setTarget(Step step, HostLineTarget* target);
    HostLineTarget* target(Step step) const { return m_targets[index(step)]; }
    // The answering machine sits between the main window and the call recorder.
    void setAnsweringMachine(AnsweringLineTarget* target) { m_answering = target; }
    AnsweringLineTarget* answeringMachine() const { return m_answering; }
    // While the call recorder records it goes on receiving host lines even when the
    // answering machine takes them too (its switch came back with a re-attach), so the end of
    // the recorded call always reaches it.
    void setRecorderBusy(std::function<bool()> busy) { m_recorderBusy = std::move(busy); }

    void route(QString& line);

private:
    static constexpr std::size_t index(Step step) { return static_cast<std::size_t>(step); }
    void deliver(Step step, QString& line) const;
    // The answering machine runs instead of the call recorder, never beside it.
    bool answeringMachineTakesLines() const;

    const RoutingState& m_state;
    std::array<HostLineTarget*, static_cast<std::size_t>(Step::Count)> m_targets{};
    AnsweringLineTarget* m_answering = nullptr;
    std::function<bool()> m_recorderBusy;
};
