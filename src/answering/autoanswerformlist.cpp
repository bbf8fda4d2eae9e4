// The recorded messages part of the "Auto Answer" window: the grid and its buttons.
#include "autoanswerform.h"
#include "autoanswermachine.h"
#include "base/languagepack.h"
#include "base/services.h"
#include "platform/folders.h"
#include "platform/prompts.h"
#include "shell/applylanguage.h"
#include "shell/controls.h"

#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kColumnWidths[] = {800, 1800, 1300, 800}; // twips, 15 to a pixel
}

QWidget* AutoAnswerForm::listFrame() {
    auto* frame =
        Controls::named(new QGroupBox(QStringLiteral("Recording File List"), this), "Frame3", 99);
    m_grid = Controls::named(new QTableWidget(0, 4, frame), "AutoAnswerFlexGrid");
    setTag(m_grid, QStringLiteral("STR-ID:37,38,39,40"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Heard"), QStringLiteral("Date"),
                                       QStringLiteral("Caller"), QStringLiteral("Length")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setStyleSheet(QStringLiteral("QTableWidget { selection-background-color: "
                                         "rgb(64, 196, 64); background-color: white; }"));
    m_grid->verticalHeader()->hide();
    for (int column = 0; column < 4; ++column)
        m_grid->setColumnWidth(column, kColumnWidths[column] / 15);
    m_grid->setMinimumWidth(4 + (800 + 1800 + 1300 + 800) / 15);
    m_play = Controls::button(frame, "Command3", QStringLiteral("Play"), 92);
    m_delete = Controls::button(frame, "Command4", QStringLiteral("Del"), 91);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_grid);
    layout->addWidget(m_play);
    layout->addWidget(m_delete);
    connect(m_play, &QPushButton::clicked, this, &AutoAnswerForm::Command3_Click);
    connect(m_delete, &QPushButton::clicked, this, &AutoAnswerForm::Command4_Click);
    connect(m_grid, &QTableWidget::itemSelectionChanged, this, &AutoAnswerForm::updateButtons);
    return frame;
}

void AutoAnswerForm::UpdateAutoanswerList() {
    // A machine left answering in the tray for weeks would otherwise read every message's
    // length and build a row per message on disk after each call, for a window nobody sees.
    if (!isVisible()) {
        m_listStale = true;
        return;
    }
    refreshList();
}

void AutoAnswerForm::refreshList() {
    m_listStale = false;
    if (m_heardMark.isNull()) {
        const QString shipped = m_services.folders.shippedFilesPath();
        m_heardMark = QIcon(shipped + QStringLiteral("/check.bmp"));
        m_unheardMark = QIcon(shipped + QStringLiteral("/non-check.bmp"));
    }
    const QString selected = selectedPath();
    m_grid->setUpdatesEnabled(false);
    m_list.UpdateAutoanswerList(m_machine.messageFolder());
    m_grid->clearSelection();
    m_grid->setRowCount(int(m_list.messages().size()));
    for (int row = 0; row < m_grid->rowCount(); ++row)
        fillRow(row, m_list.messages()[row]);
    // The selection follows its file, or clears when the file is gone.
    selectPath(selected);
    m_grid->setUpdatesEnabled(true);
    updateButtons();
}

void AutoAnswerForm::fillRow(int row, const RecordedMessage& message) {
    auto* mark = new QTableWidgetItem(message.heard ? m_heardMark : m_unheardMark, QString());
    mark->setData(Qt::UserRole, message.heard);
    m_grid->setItem(row, 0, mark);
    m_grid->setItem(row, 1, new QTableWidgetItem(message.date));
    m_grid->setItem(row, 2, new QTableWidgetItem(message.caller));
    m_grid->setItem(row, 3, new QTableWidgetItem(QString::number(message.seconds)));
}

QString AutoAnswerForm::selectedPath() const {
    const QList<QTableWidgetItem*> items = m_grid->selectedItems();
    const int row = items.isEmpty() ? -1 : items.first()->row();
    return row >= 0 && row < m_list.messages().size() ? m_list.messages()[row].path : QString();
}

void AutoAnswerForm::selectPath(const QString& path) {
    const int row = path.isEmpty() ? -1 : m_list.indexOf(path);
    if (row < 0)
        m_grid->clearSelection();
    else
        m_grid->selectRow(row);
}

void AutoAnswerForm::updateButtons() {
    const bool playing = m_machine.state() == AnsweringState::Playing;
    const bool selected = !selectedPath().isEmpty();
    m_play->setEnabled(playing || selected);
    m_delete->setEnabled(selected && !playing);
}

void AutoAnswerForm::Command3_Click() {
    if (m_machine.state() == AnsweringState::Playing) {
        m_machine.stopMessage();
        return;
    }
    m_machine.playMessage(selectedPath());
}

void AutoAnswerForm::onPlaybackChanged(bool playing) {
    m_play->setText(m_services.language.GetLanguageString(playing ? 93 : 92));
    setTag(m_play, QStringLiteral("STR-ID:%1").arg(playing ? 93 : 92));
    for (QPushButton* button : {m_close, m_browse, m_audioSetting})
        button->setEnabled(!playing);
    updateButtons();
}

void AutoAnswerForm::Command4_Click() {
    const QString path = selectedPath();
    if (path.isEmpty() || m_machine.state() == AnsweringState::Playing)
        return;
    if (!m_services.prompts.confirm(QStringLiteral("Delete File [%1]").arg(path),
                                    QStringLiteral("Delete File")))
        return;
    QFile::remove(path);
    UpdateAutoanswerList();
}
