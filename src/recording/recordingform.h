#pragma once

#include "recordinglistmodel.h"

#include <QWidget>

class QPushButton;
class QTableView;
class RecordingHistory;
struct Services;

// The window "Recording": the history of call recordings in RecordingFlexGrid with Play/Stop
// (Command2), Del (Command3) and Close (Command1). It shows the state of RecordingHistory.
class RecordingForm : public QWidget {
    Q_OBJECT
public:
    RecordingForm(Services& services, RecordingHistory& history, QWidget* parent = nullptr);

    // The load step: centred, translated, and the list read from the folder.
    void Form_Load();
    void Command1_Click() { hide(); }

    QTableView* grid() const { return m_grid; }

private:
    void buildLayout();
    void showState();

    Services& m_services;
    RecordingHistory& m_history;
    RecordingListModel m_model;
    QTableView* m_grid = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_close = nullptr;
};
