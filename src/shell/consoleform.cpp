#include "consoleform.h"

#include "applylanguage.h"
#include "base/debugconsole.h"
#include "base/languagepack.h"
#include "base/services.h"
#include "centerform.h"
#include "controls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
QListWidget* makeList(QWidget* parent, const char* name) {
    auto* list = Controls::named(new QListWidget(parent), name);
    list->setUniformItemSizes(true);
    list->setMinimumWidth(560);
    return list;
}
} // namespace

ConsoleForm::ConsoleForm(Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services),
      m_consoleList(makeList(this, "ConsoleList")), m_statusList(makeList(this, "StatusList")),
      m_commandText(Controls::lineEdit(this, "CommandText")) {
    setObjectName(QStringLiteral("ConsoleForm"));
    setWindowTitle(QStringLiteral("Console"));
    auto* doIt = Controls::button(this, "Command2", QStringLiteral("Do It"));
    auto* exit = Controls::button(this, "Command1", QStringLiteral("Exit"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Controls::label(this, "Label2", QStringLiteral("Console:")), 0, 0, 1, 3);
    layout->addWidget(m_consoleList, 1, 0, 1, 3);
    layout->addWidget(Controls::label(this, "Label3", QStringLiteral("Status:")), 2, 0, 1, 3);
    layout->addWidget(m_statusList, 3, 0, 1, 3);
    layout->addWidget(Controls::label(this, "Label1", QStringLiteral("Command:")), 4, 0);
    layout->addWidget(m_commandText, 4, 1);
    layout->addWidget(doIt, 4, 2);
    layout->addWidget(exit, 5, 2);

    connect(doIt, &QPushButton::clicked, this, &ConsoleForm::Command2_Click);
    connect(m_commandText, &QLineEdit::returnPressed, this, &ConsoleForm::Command2_Click);
    connect(exit, &QPushButton::clicked, this, &ConsoleForm::Command1_Click);
    DebugConsole& console = m_services.console;
    connect(&console, &DebugConsole::consoleLineAdded, this,
            [this](const QString& text) { append(m_consoleList, text); });
    connect(&console, &DebugConsole::statusLineAdded, this,
            [this](const QString& text) { append(m_statusList, text); });
    connect(&console, &DebugConsole::cleared, this, [this] {
        m_consoleList->clear();
        m_statusList->clear();
    });
    Form_Load();
}

void ConsoleForm::Form_Load() {
    resize(640, 520);
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
    m_commandText->clear();
    // Lines printed before the window existed (start-up facts) are shown too.
    for (const QString& line : m_services.console.consoleLines())
        append(m_consoleList, line);
    for (const QString& line : m_services.console.statusLines())
        append(m_statusList, line);
}

void ConsoleForm::Command2_Click() {
    emit commandEntered(m_commandText->text());
}

void ConsoleForm::append(QListWidget* list, const QString& text) {
    list->addItem(text);
    const int first = DebugConsole::firstVisibleIndex(list->count());
    list->scrollToItem(list->item(first), QAbstractItemView::PositionAtTop);
}
