#include "hostlinerouter.h"

void HostLineRouter::setTarget(Step step, HostLineTarget* target) {
    if (step != Step::Count)
        m_targets[index(step)] = target;
}

void HostLineRouter::deliver(Step step, QString& line) const {
    if (HostLineTarget* target = m_targets[index(step)])
        target->SetSkypeResponse(line);
}

bool HostLineRouter::answeringMachineTakesLines() const {
    // A machine busy with a call keeps its lines when the switch or the greeting changes.
    return m_answering && ((m_state.autoAnswerSwitch() && m_answering->hasGreetingFile()) ||
                           m_answering->isBusy());
}

void HostLineRouter::route(QString& line) {
    deliver(Step::Friends, line);
    deliver(Step::Audio, line);
    deliver(Step::Message, line);
    deliver(Step::Call, line);
    deliver(Step::Main, line);
    const bool answering = answeringMachineTakesLines();
    if (answering)
        m_answering->SetSkypeResponse(line);
    if (!answering || (m_recorderBusy && m_recorderBusy()))
        deliver(Step::Recording, line);
    if (m_state.GetUnimodeForm().isEmpty())
        deliver(Step::Contact, line);
}
