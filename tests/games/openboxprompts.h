#pragma once

#include "platform/prompts.h"

#include <QStringList>
#include <functional>

// Boxes that run something while they are open, as a real modal box lets events in: whileOpen
// runs once, at the box whose text is trigger, or at the next box when trigger is empty.
struct OpenBoxPrompts : Prompts {
    void message(const QString& text, const QString&) override {
        messages << text;
        if (whileOpen && (trigger.isEmpty() || text == trigger))
            std::exchange(whileOpen, {})();
    }
    bool confirm(const QString& text, const QString&) override {
        messages << text;
        return accept;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QStringList messages;
    QString trigger;
    std::function<void()> whileOpen;
    bool accept = true;
};
