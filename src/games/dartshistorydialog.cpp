#include "dartshistorydialog.h"

#include "base/services.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace {
constexpr std::array<int, 7> kColumnTwips = {600, 1500, 1500, 1500, 800, 1800, 1800};

// A control of type T made from args and the parent, named and tagged.
template <typename T, typename... Args>
T* named(QWidget* parent, const char* name, int textNumber, Args&&... args) {
    return Controls::named(new T(std::forward<Args>(args)..., parent), name, textNumber);
}

QColor rowColour(const QString& result) {
    if (result == QLatin1String("LOSE"))
        return {128, 128, 255};
    if (result == QLatin1String("WIN"))
        return {255, 128, 128};
    return Qt::white;
}
} // namespace

DartsHistoryDialog::DartsHistoryDialog(Services& services, const QString& historyPath,
                                       QWidget* parent)
    : QDialog(parent) {
    Controls::named(this, "DartsHistoryDialog", 51);
    setWindowTitle(QStringLiteral("Darts Game History"));
    buildControls();
    CenterForm(this);
    ApplyLanguage(this, services.language);
    RecordLib store;
    store.LoadGameRecords(historyPath);
    fill(store.records());
}

void DartsHistoryDialog::buildControls() {
    auto* layout = new QVBoxLayout(this);
    m_grid = named<QTableWidget>(this, "MSFlexGrid1", -1, 0, int(kColumnTwips.size()));
    setTag(m_grid, QStringLiteral("STR-ID:52,53,54,55,56,57,58"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int width = 0;
    for (std::size_t i = 0; i < kColumnTwips.size(); ++i) {
        m_grid->setColumnWidth(int(i), kColumnTwips[i] / 15);
        width += kColumnTwips[i] / 15;
    }
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->setMinimumSize(width + 24, 240);
    layout->addWidget(m_grid);

    auto* total = named<QGroupBox>(this, "Frame1", 61, QStringLiteral("Total"));
    auto* row = new QHBoxLayout(total);
    row->addWidget(named<QLabel>(total, "Label1", 59, QStringLiteral("WIN")));
    m_winCount = named<QLabel>(total, "Label2", -1);
    row->addWidget(m_winCount);
    row->addWidget(named<QLabel>(total, "Label3", 60, QStringLiteral("LOSE")));
    m_lossCount = named<QLabel>(total, "Label4", -1);
    row->addWidget(m_lossCount);
    layout->addWidget(total);

    auto* buttons = new QHBoxLayout;
    // "Del" has no action yet: removing a game from both players' records is not agreed.
    auto* del = named<QPushButton>(this, "Command1", 91, QStringLiteral("Del"));
    auto* ok = named<QPushButton>(this, "OKButton", 21, QStringLiteral("OK"));
    buttons->addWidget(del);
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void DartsHistoryDialog::fill(const QList<GameRecord>& records) {
    m_grid->setUpdatesEnabled(false);
    m_grid->setRowCount(int(records.size()));
    int row = 0;
    for (const GameRecord& record : records) {
        const QColor colour = rowColour(record.Result);
        const QString cells[] = {QString::number(record.GameId),
                                 record.Inviter,
                                 record.Started,
                                 record.Partner,
                                 QString::number(record.Turns),
                                 QString::number(record.LocalScore),
                                 QString::number(record.PartnerScore)};
        for (int column = 0; column < 7; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setBackground(colour);
            m_grid->setItem(row, column, item);
        }
        m_wins += record.Result == QLatin1String("WIN");
        m_losses += record.Result == QLatin1String("LOSE");
        ++row;
    }
    m_grid->setUpdatesEnabled(true);
    m_winCount->setText(QString::number(m_wins));
    m_lossCount->setText(QString::number(m_losses));
}
