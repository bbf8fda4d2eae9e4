#include "dartsform.h"

#include "base/services.h"
#include "games/dartsboardwidget.h"
#include "games/dartsgame.h"
#include "games/dartshistorydialog.h"
#include "platform/folders.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {

// A control of type T made from args and the parent, named, tagged and placed at pixels.
template <typename T, typename... Args>
T* named(QWidget* parent, const char* name, int textNumber, QRect pixels, Args&&... args) {
    auto* control = Controls::named(new T(std::forward<Args>(args)..., parent), name, textNumber);
    control->setGeometry(pixels);
    return control;
}
} // namespace

DartsForm::DartsForm(Services& services, DartsGame& game, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_game(game) {
    Controls::named(this, "DartsForm", 47);
    setWindowTitle(QStringLiteral("Arrowfall"));
    setFixedSize(480, 430);
    buildControls();
    connect(&m_game, &DartsGame::changed, this, &DartsForm::showState);
    connect(&m_game, &DartsGame::repaintNow, this, [this] { m_board->repaint(); });
    CenterForm(this);
    ApplyLanguage(this, services.language);
    m_game.InitGameStatus();
    showState();
}

void DartsForm::buildControls() {
    auto* make = named<QGroupBox>(this, "Frame2", 44, {8, 4, 464, 52});
    named<QLabel>(make, "Label2", 50, {8, 20, 60, 22}, QStringLiteral("Partner"));
    m_remoteUserNameText = named<QLineEdit>(make, "RemoteUserNameText", -1, {72, 20, 260, 24});
    m_command2 =
        named<QPushButton>(make, "Command2", 45, {340, 18, 116, 28}, QStringLiteral("Invite"));
    auto* local = named<QGroupBox>(this, "Frame1", 48, {8, 60, 228, 52});
    m_localUserName = named<QLabel>(local, "LocalUserNameLabel", -1, {8, 20, 150, 24});
    m_localScore = named<QLabel>(local, "LocalScoreLabel", -1, {160, 20, 60, 24});
    auto* remote = named<QGroupBox>(this, "Frame3", 49, {244, 60, 228, 52});
    m_remoteUserName = named<QLabel>(remote, "RemoteUserNameLabel", -1, {8, 20, 150, 24});
    m_remoteScore = named<QLabel>(remote, "RemoteScoreLabel", -1, {160, 20, 60, 24});
    m_announce = named<QLabel>(this, "AnnounceLabel", -1, {8, 114, 464, 20});
    m_board = new DartsBoardWidget(m_game.view(), this);
    m_board->move(56, 136);
    named<QLabel>(this, "Label6", 111, {4, 358, 50, 20}, QStringLiteral("Control"));
    named<QLabel>(this, "Label7", 112, {4, 382, 50, 20}, QStringLiteral("Power"));
    named<QLabel>(this, "Label8", 115, {72, 340, 60, 18}, QStringLiteral("bad"));
    named<QLabel>(this, "Label9", 116, {236, 340, 60, 18}, QStringLiteral("good"));
    named<QLabel>(this, "Label10", 113, {72, 402, 60, 18}, QStringLiteral("min"));
    named<QLabel>(this, "Label11", 114, {236, 402, 60, 18}, QStringLiteral("max"));
    const QPixmap dart(m_services.folders.shippedFilesPath() + QStringLiteral("/Arrow.png"));
    for (std::size_t i = 0; i < m_arrows.size(); ++i) {
        m_arrows[i] = named<QLabel>(this, "ArrowImage", -1, {280 + int(i) * 64, 136, 63, 201});
        m_arrows[i]->setProperty("index", int(i));
        m_arrows[i]->setPixmap(dart);
    }
    m_command1 = named<QPushButton>(this, "Command1", -1, {300, 346, 172, 30});
    auto* history =
        named<QPushButton>(this, "Command4", 46, {300, 388, 84, 30}, QStringLiteral("History"));
    m_command3 =
        named<QPushButton>(this, "Command3", 6, {388, 388, 84, 30}, QStringLiteral("Close"));

    connect(m_command1, &QPushButton::clicked, &m_game, &DartsGame::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this,
            [this] { m_game.Command2_Click(m_remoteUserNameText->text()); });
    connect(m_command3, &QPushButton::clicked, this, &QWidget::hide);
    connect(history, &QPushButton::clicked, this, &DartsForm::openHistory);
}

void DartsForm::showState() {
    const DartsView& v = m_game.view();
    m_announce->setText(v.announce);
    m_localUserName->setText(v.localUserName);
    m_remoteUserName->setText(v.remoteUserName);
    m_localScore->setText(QString::number(v.localScore));
    m_remoteScore->setText(QString::number(v.remoteScore));
    m_command1->setText(m_game.stageCaption());
    m_command1->setEnabled(v.command1Enabled);
    m_command2->setEnabled(v.command2Enabled);
    m_command3->setEnabled(v.command3Enabled);
    for (std::size_t i = 0; i < m_arrows.size(); ++i)
        m_arrows[i]->setVisible(v.arrowShown[i]);
    m_board->update();
}

void DartsForm::openHistory() {
    DartsHistoryDialog dialog(m_services, m_game.historyPath(), this);
    dialog.exec();
}

void DartsForm::showEvent(QShowEvent* event) {
    m_game.setShown(true);
    m_game.Form_Activate();
    QWidget::showEvent(event);
}

void DartsForm::hideEvent(QHideEvent* event) {
    m_game.setShown(false);
    QWidget::hideEvent(event);
}

void DartsForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_game.Form_Activate();
    QWidget::changeEvent(event);
}
