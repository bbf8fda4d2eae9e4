#pragma once

#include "platform/prompts.h"

#include <QQueue>
#include <QStringList>

// Test backend: records every message and answers questions and file dialogs from queues a
// test fills beforehand. A question nobody queued an answer for aborts the test run.
class QueuedPrompts final : public Prompts {
public:
    void message(const QString& text, const QString& title = {}) override;
    bool confirm(const QString& text, const QString& title = {}) override;
    QString openFileName(const QString& title, const QString& folder,
                         const QString& filter) override;

    void queueConfirm(bool answer) { m_confirms.enqueue(answer); }
    void queueFileName(const QString& path) { m_fileNames.enqueue(path); }
    const QStringList& messages() const { return m_messages; }
    const QStringList& questions() const { return m_questions; }
    void clear();

private:
    QStringList m_messages;
    QStringList m_questions;
    QQueue<bool> m_confirms;
    QQueue<QString> m_fileNames;
};
