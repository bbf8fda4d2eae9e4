#pragma once

#include "autoanswerlist.h"

#include <QIcon>
#include <QWidget>

#include <functional>

struct Services;
class AutoAnswerMachine;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "Auto Answer": the answering machine's settings and its recorded messages. The call flow
// lives in AutoAnswerMachine; the window edits its settings (they take effect as typed, and
// "Close" stores them) and lists, plays, stops and deletes the messages of its folder.
class AutoAnswerForm : public QWidget {
    Q_OBJECT
public:
    AutoAnswerForm(Services& services, AutoAnswerMachine& machine, MCILib& mci,
                   QWidget* parent = nullptr);

    // Opens the mixer window ("Audio Setting") and tells whether the answering source is a
    // sink's monitor; both come from the session.
    void setMixerWindow(std::function<void()> open) { m_openMixer = std::move(open); }
    void setMonitorCheck(std::function<bool()> check) { m_isMonitor = std::move(check); }

    // Reads the message folder into the grid; a hidden window only notes that it must, and
    // does it when it is next shown.
    void UpdateAutoanswerList();
    const AutoAnswerList& list() const { return m_list; }
    // The message of the selected row; empty when no message is selected.
    QString selectedPath() const;
    void selectPath(const QString& path);

    void Command1_Click(); // Close: store the settings, hide
    void Command2_Click(); // Browse for the greeting
    void Command3_Click(); // Play / Stop
    void Command4_Click(); // Del
    void Command5_Click(); // Audio Setting
    void Command6_Click(); // Controler List

signals:
    void controlerListRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    QWidget* basicFrame();
    QWidget* listFrame();
    QWidget* remoteFrame();
    QWidget* mailFrame();
    void Form_Load();
    void LoadAutoAnswerSettings();
    void SaveAutoAnswerSettings();
    void refreshList();
    void fillRow(int row, const RecordedMessage& message);
    void updateButtons();
    void onPlaybackChanged(bool playing);
    void updateMonitorWarning();

    Services& m_services;
    AutoAnswerMachine& m_machine;
    AutoAnswerList m_list;
    bool m_listStale = false;
    std::function<void()> m_openMixer;
    std::function<bool()> m_isMonitor;

    QLineEdit* m_audioFile = nullptr;
    QLineEdit* m_wait1 = nullptr;
    QLineEdit* m_wait2 = nullptr;
    QLineEdit* m_recordingMax = nullptr;
    QLineEdit* m_remoteKey = nullptr;
    QLineEdit* m_mailAddress = nullptr;
    QCheckBox* m_mailFlag = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_audioSetting = nullptr;
    QLabel* m_monitorWarning = nullptr;
    QIcon m_heardMark;
    QIcon m_unheardMark;
};
