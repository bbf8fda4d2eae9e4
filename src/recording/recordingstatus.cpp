#include "recordingstatus.h"

void RecordingStatus::setState(State state) {
    m_state = state;
    m_error.clear();
    emit changed(text());
}

void RecordingStatus::setError(const QString& text) {
    m_error = text;
    emit changed(this->text());
}

QString RecordingStatus::text() const {
    switch (m_state) {
    case State::Recording:
        return QStringLiteral("Recording");
    case State::Playing:
        return QStringLiteral("Playing");
    case State::Idle:
        break;
    }
    return m_error;
}
