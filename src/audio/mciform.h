#pragma once

#include "mciplayer.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
struct Services;

// "sndPlayer": a small player and recorder for one WAV file, reached from the main window's
// Player menu. Its logic is MCIPlayer; this window binds the controls to it.
class MCIForm : public QWidget {
    Q_OBJECT
public:
    MCIForm(Services& services, MCIPlayer& player, QWidget* parent = nullptr);

    MCIPlayer& player() { return m_player; }
    void PlayAudioFile(const QString& orderType) { m_player.PlayAudioFile(orderType); }
    void StopAudioFile(qint32 unused = 0) { m_player.StopAudioFile(unused); }
    void RecordAudioFile() { m_player.RecordAudioFile(); }
    void StopAudioFileAndRecord() { m_player.StopAudioFileAndRecord(); }
    QString GetPlayerMode() const { return m_player.GetPlayerMode(); }
    QString GetPlayOrderType() const { return m_player.GetPlayOrderType(); }
    void SetPlayOrderType(const QString& type) { m_player.SetPlayOrderType(type); }

private:
    void buildControls();
    void showState();

    MCIPlayer& m_player;
    QLineEdit* m_fileNameText = nullptr;
    QLineEdit* m_response = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_stop = nullptr;
};
