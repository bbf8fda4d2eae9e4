#pragma once

#include <QString>

// Message boxes, confirmations and file dialogs. Windows ask through this interface so that
// tests answer without blocking.
class Prompts {
public:
    virtual ~Prompts() = default;
    // An information or error box with an OK button.
    virtual void message(const QString& text, const QString& title = {}) = 0;
    // An OK/Cancel question; true for OK.
    virtual bool confirm(const QString& text, const QString& title = {}) = 0;
    // An open-file dialog; the chosen path, or empty text when cancelled.
    virtual QString openFileName(const QString& title, const QString& folder,
                                 const QString& filter) = 0;
};
