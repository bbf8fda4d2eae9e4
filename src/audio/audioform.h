#pragma once

#include "host/hostlinetarget.h"

#include <QWidget>

#include <functional>

struct Services;
class QLineEdit;

// "Audio": the host's audio devices. When it loads it asks the host for them ("GET AUDIO_IN",
// "GET AUDIO_OUT") and shows the replies ("AUDIO_IN <device>", "AUDIO_OUT <device>") in
// AudioInText and AudioOutText. It is the router's second target.
class AudioForm : public QWidget, public HostLineTarget {
    Q_OBJECT
public:
    // sendCommand sends one command line to the host (the host link's SendCommandToSkype);
    // an empty function sends nothing.
    AudioForm(Services& services, std::function<void(const QString&)> sendCommand,
              QWidget* parent = nullptr);

    // Takes the device from an "AUDIO_IN" or "AUDIO_OUT" reply; every other line is ignored.
    // The line itself is left as it is for the targets after this one.
    void SetSkypeResponse(QString& line) override;
    // "Close": hides the window.
    void Command1_Click() { hide(); }

    QLineEdit* audioInText() const { return m_audioInText; }
    QLineEdit* audioOutText() const { return m_audioOutText; }

private:
    void Form_Load();
    void send(const QString& line);

    Services& m_services;
    std::function<void(const QString&)> m_sendCommand;
    QLineEdit* m_audioInText;
    QLineEdit* m_audioOutText;
};
