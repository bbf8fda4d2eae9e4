#pragma once

#include "prompts.h"

class QWidget;

// The real backend: Qt's message boxes and file dialog, parented to the active window.
class WidgetPrompts final : public Prompts {
public:
    void message(const QString& text, const QString& title = {}) override;
    bool confirm(const QString& text, const QString& title = {}) override;
    QString openFileName(const QString& title, const QString& folder,
                         const QString& filter) override;
};
