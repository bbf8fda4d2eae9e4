#include "mainformwindows.h"

#include "aboutdialog.h"
#include "blackjackform.h"
#include "consoleform.h"
#include "mainformcore.h"

FeatureWindows::FeatureWindows(Services& services, MainFormCore& core, QObject* parent)
    : QObject(parent), m_services(services), m_core(core) {}

FeatureWindows::~FeatureWindows() = default;

void FeatureWindows::loadAll() {
    // The order of the program's windows: ConsoleForm, BroadCastStatusForm, MessageForm,
    // FriendsForm, AudioForm, CallForm, SendMailForm, MCIForm, MixerConfigForm,
    // AnnounceBackForm, AutoAnswerForm, RecordingForm, ContactForm, DartsForm,
    // ControlerListDialog. A window already loaded stays as it is.
    console();
}

ConsoleForm& FeatureWindows::console() {
    if (!m_console) {
        m_console = std::make_unique<ConsoleForm>(m_services);
        // Lines typed into the console go to the host as they are.
        connect(m_console.get(), &ConsoleForm::commandEntered, this,
                [this](const QString& line) { m_core.api().SendCommandToSkype(line); });
    }
    return *m_console;
}

AboutDialog& FeatureWindows::about() {
    if (!m_about)
        m_about = std::make_unique<AboutDialog>(m_services);
    return *m_about;
}

BlackJackForm& FeatureWindows::blackJack() {
    if (!m_blackJack)
        m_blackJack = std::make_unique<BlackJackForm>();
    return *m_blackJack;
}

void FeatureWindows::open(QWidget* window) {
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
}
