#pragma once

#include <QObject>
#include <QString>

// RecordingStatusLabel of the main window: what the recordings' sound devices are doing. The
// recorder and the history's player share it, so that they never hold a device at the same
// time. The state is kept here, never read back from the label's text.
class RecordingStatus : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Recording, Playing };
    using QObject::QObject;

    State state() const { return m_state; }
    bool idle() const { return m_state == State::Idle; }
    // A new state clears an error shown so far.
    void setState(State state);
    // An error shown in the label while idle, until the next state change or a new error.
    void setError(const QString& text);
    // "Recording", "Playing", the error or the empty text.
    QString text() const;

signals:
    void changed(const QString& text);

private:
    State m_state = State::Idle;
    QString m_error;
};
