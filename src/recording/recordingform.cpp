#include "recordingform.h"

#include "base/languagepack.h"
#include "base/services.h"
#include "recordinghistory.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

namespace {
// Twips of the designed grid per pixel at the usual 96 dots per inch.
constexpr int kTwipsPerPixel = 15;

// The current pack's text for a caption that changes with the state; the designed text while
// no pack holds it.
QString caption(const LanguagePack& pack, int number, const QString& designed) {
    const QString text = pack.GetLanguageString(number);
    return text == QLatin1String("?") ? designed : text;
}
} // namespace

RecordingForm::RecordingForm(Services& services, RecordingHistory& history, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_history(history), m_model(history) {
    setObjectName(QStringLiteral("RecordingForm"));
    setWindowTitle(QStringLiteral("Recording"));
    buildLayout();
    connect(&history, &RecordingHistory::stateChanged, this, &RecordingForm::showState);
    connect(&history, &RecordingHistory::currentRowChanged, this, [this](int, int row) {
        if (row >= 0)
            m_grid->scrollTo(m_model.index(row, 1));
    });
    Form_Load();
}

void RecordingForm::buildLayout() {
    m_grid = Controls::named(new QTableView(this), "RecordingFlexGrid");
    m_grid->setModel(&m_model);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    for (int column = 0; column < m_model.columnCount(); ++column)
        m_grid->setColumnWidth(column, RecordingListModel::columnTwips(column) / kTwipsPerPixel);
    m_grid->setMinimumWidth(400);
    connect(m_grid, &QTableView::clicked, this,
            [this](const QModelIndex& index) { m_history.selectRow(index.row()); });

    m_play = Controls::button(this, "Command2", QStringLiteral("Play"), 92);
    m_delete = Controls::button(this, "Command3", QStringLiteral("Del"), 91);
    m_close = Controls::button(this, "Command1", QStringLiteral("Close"), 6);
    connect(m_play, &QPushButton::clicked, &m_history, &RecordingHistory::Command2_Click);
    connect(m_delete, &QPushButton::clicked, &m_history, &RecordingHistory::Command3_Click);
    connect(m_close, &QPushButton::clicked, this, &RecordingForm::Command1_Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_grid, 0, 0, 1, 3);
    layout->addWidget(m_play, 1, 0);
    layout->addWidget(m_delete, 1, 1);
    layout->addWidget(m_close, 1, 2);
}

void RecordingForm::Form_Load() {
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
    m_history.UpdateRecordingList();
    showState();
}

void RecordingForm::showState() {
    // The tag follows the state, so a language switch writes the caption of the state.
    const bool playing = m_history.playing();
    setTag(m_play, playing ? QStringLiteral("STR-ID:93") : QStringLiteral("STR-ID:92"));
    m_play->setText(playing ? caption(m_services.language, 93, QStringLiteral("Stop"))
                            : caption(m_services.language, 92, QStringLiteral("Play")));
    m_play->setEnabled(m_history.playEnabled());
    m_delete->setEnabled(m_history.deleteEnabled());
    m_close->setEnabled(m_history.closeEnabled());
    m_grid->setEnabled(m_history.gridEnabled());
}
