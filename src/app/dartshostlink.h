#pragma once

#include "app/mainformcore.h"
#include "games/dartslink.h"

// The darts game's way to the host and to the main window: commands go through the host link,
// the exclusivity marker and the signed-in user are the main window's.
class MainDartsLink final : public DartsLink {
public:
    explicit MainDartsLink(MainFormCore& core) : m_core(core) {}
    void sendCommand(const QString& line) override { m_core.api().SendCommandToSkype(line); }
    void SetUnimodeForm(const QString& name) override { m_core.SetUnimodeForm(name); }
    QString currentUserHandle() const override { return m_core.currentUserHandle(); }

private:
    MainFormCore& m_core;
};
