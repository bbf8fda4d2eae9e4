#include "queuedprompts.h"

#include <QtGlobal>

void QueuedPrompts::message(const QString& text, const QString& /*title*/) {
    m_messages << text;
}

bool QueuedPrompts::confirm(const QString& text, const QString& /*title*/) {
    m_questions << text;
    if (m_confirms.isEmpty())
        qFatal("QueuedPrompts: unexpected question \"%s\"", qPrintable(text));
    return m_confirms.dequeue();
}

QString QueuedPrompts::openFileName(const QString& title, const QString& /*folder*/,
                                    const QString& /*filter*/) {
    m_questions << title;
    if (m_fileNames.isEmpty())
        qFatal("QueuedPrompts: unexpected file dialog \"%s\"", qPrintable(title));
    return m_fileNames.dequeue();
}

void QueuedPrompts::clear() {
    m_messages.clear();
    m_questions.clear();
    m_confirms.clear();
    m_fileNames.clear();
}
