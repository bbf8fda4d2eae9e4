#pragma once

#include <QObject>
#include <QString>

class MCILib;
struct Services;

// The logic of the player window "sndPlayer": plays the named WAV file or records into it
// through the MCI device "x1", and keeps the mode, the play order type, the last MCI reply
// and the enabled state of the three buttons. The window only shows this state.
class MCIPlayer : public QObject {
    Q_OBJECT
public:
    MCIPlayer(Services& services, MCILib& mci, QObject* parent = nullptr);

    // Public operations, used by other tools through the player window.
    void PlayAudioFile(const QString& orderType);
    void StopAudioFile(qint32 unused = 0);
    void RecordAudioFile();
    void StopAudioFileAndRecord();
    QString GetPlayerMode() const { return m_mode; }
    QString GetPlayOrderType() const { return m_playOrderType; }
    void SetPlayOrderType(const QString& type) { m_playOrderType = type; }

    // Button actions.
    void PlayButton_Click();
    void RecordButton_Click();
    void StopButton_Click();
    // Stops what runs, then asks for the end of the program.
    void Command1_Click();

    QString fileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }
    QString response() const { return m_response; }
    bool playEnabled() const { return m_mode == QLatin1String("Idle"); }
    bool recordEnabled() const { return playEnabled(); }
    bool stopEnabled() const { return !playEnabled(); }

signals:
    // Mode, buttons or the MCI reply changed.
    void changed();
    void exitRequested();

private:
    // Shows a failure in a message box; false then.
    bool ExecMCICommand(const QString& command);
    void closeLeftoverDevice();
    void setMode(const QString& mode);
    QString quotedFileName() const;

    Services& m_services;
    MCILib& m_mci;
    QString m_mode = QStringLiteral("Idle");
    QString m_playOrderType;
    QString m_fileName;
    QString m_response;
};
