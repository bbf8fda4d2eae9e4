#pragma once

#include <QObject>

#include <memory>

struct Services;
class AboutDialog;
class BlackJackForm;
class ConsoleForm;
class MainFormCore;
class QWidget;

// The other windows the main window opens. Each is loaded once (hidden) and stays loaded
// for the run; opening one shows it modally, owned by nobody, while the event loop runs on.
class FeatureWindows : public QObject {
    Q_OBJECT
public:
    FeatureWindows(Services& services, MainFormCore& core, QObject* parent = nullptr);
    ~FeatureWindows() override;

    // Loads, hidden and in their fixed order, the windows that exist so far.
    void loadAll();

    ConsoleForm& console();
    AboutDialog& about();
    BlackJackForm& blackJack();

    // Shows a window modally: the main window stays blocked until it closes.
    static void open(QWidget* window);

private:
    Services& m_services;
    MainFormCore& m_core;
    std::unique_ptr<ConsoleForm> m_console;
    std::unique_ptr<AboutDialog> m_about;
    std::unique_ptr<BlackJackForm> m_blackJack;
};
