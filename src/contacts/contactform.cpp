#include "contactform.h"

#include "base/services.h"
#include "contactformcore.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTableView>

namespace {
// Column widths in twips, 15 to a pixel.
constexpr int kColumnTwips[kContactColumns] = {1500, 3000, 1400, 1000, 1600, 1800};

} // namespace

ContactForm::ContactForm(Services& services, ContactFormCore& core, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_core(core),
      m_grid(Controls::named(new QTableView(this), "ContactFlexGrid")),
      m_contactText(Controls::lineEdit(this, "ContactText")),
      m_groupCombo(Controls::named(new QComboBox(this), "GroupCombo")),
      m_displayGroupCombo(Controls::named(new QComboBox(this), "DisplayGroupCombo")),
      m_add(Controls::button(this, "Command2", QStringLiteral("Add"), 90)),
      m_del(Controls::button(this, "Command3", QStringLiteral("Del"), 91)),
      m_call(Controls::button(this, "Command4", QStringLiteral("Call"), 43)),
      m_popup(Controls::named(new QMenu(this), "PopupMenu")),
      m_callItem(Controls::named(m_popup->addAction(QStringLiteral("Call")), "CallMenuItem", 43)) {
    Controls::named(this, "ContactForm", 95);
    setWindowTitle(QStringLiteral("Contact"));
    // What the chat item should do is not settled: it has no action.
    Controls::named(m_popup->addAction(QStringLiteral("Chat")), "ChatMenuItem");
    m_groupCombo->setEditable(true);
    m_groupCombo->setInsertPolicy(QComboBox::NoInsert);
    buildLayout();
    bindCore();
    Form_Load();
}

void ContactForm::buildLayout() {
    m_grid->setModel(&m_core.model());
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The core colours the selected row itself; the view only keeps the current cell.
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionsClickable(true);
    for (int column = 0; column < kContactColumns; ++column)
        m_grid->setColumnWidth(column, kColumnTwips[column] / 15);

    auto* close = Controls::button(this, "Command1", QStringLiteral("Close"), 6);
    connect(close, &QPushButton::clicked, this, &ContactForm::Command1_Click);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_grid, 0, 0, 1, 5);
    layout->addWidget(Controls::label(this, "Label1", QStringLiteral("Contact:"), 41), 1, 0);
    layout->addWidget(m_contactText, 1, 1);
    layout->addWidget(Controls::label(this, "Label2", QStringLiteral("Group"), 42), 1, 2);
    layout->addWidget(m_groupCombo, 1, 3);
    layout->addWidget(m_add, 1, 4);
    layout->addWidget(Controls::label(this, "Label3", QStringLiteral("Group"), 42), 2, 0);
    layout->addWidget(m_displayGroupCombo, 2, 1);
    layout->addWidget(m_del, 2, 3);
    layout->addWidget(m_call, 2, 4);
    layout->addWidget(close, 3, 4);
    resize(730, 420);
}

void ContactForm::bindCore() {
    ContactFormCore* core = &m_core;
    connect(m_contactText, &QLineEdit::textChanged, core, &ContactFormCore::setContactText);
    connect(m_groupCombo, &QComboBox::editTextChanged, core, &ContactFormCore::setGroupText);
    connect(m_displayGroupCombo, &QComboBox::currentIndexChanged, core,
            &ContactFormCore::chooseDisplayGroup);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_showing)
                    m_core.selectRow(current.isValid() ? current.row() : -1);
            });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, core,
            &ContactFormCore::headerClicked);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &ContactForm::popupRequested);
    connect(m_add, &QPushButton::clicked, core, &ContactFormCore::Command2_Click);
    connect(m_del, &QPushButton::clicked, core, &ContactFormCore::Command3_Click);
    connect(m_call, &QPushButton::clicked, core, &ContactFormCore::Command4_Click);
    connect(m_callItem, &QAction::triggered, core, &ContactFormCore::CallMenuItem_Click);

    connect(core, &ContactFormCore::contactTextChanged, m_contactText, &QLineEdit::setText);
    connect(core, &ContactFormCore::groupTextChanged, this, [this](const QString& text) {
        if (m_groupCombo->currentText() != text)
            m_groupCombo->setEditText(text);
    });
    connect(core, &ContactFormCore::groupListsChanged, this, &ContactForm::showGroupLists);
    connect(core, &ContactFormCore::displayItemChanged, this, [this](int item) {
        const QSignalBlocker blocker(m_displayGroupCombo);
        m_displayGroupCombo->setCurrentIndex(item);
    });
    connect(core, &ContactFormCore::selectionChanged, this, &ContactForm::showSelection);
    connect(core, &ContactFormCore::buttonsChanged, this, &ContactForm::UpdateButtons);
}

void ContactForm::Form_Load() {
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
    m_core.Form_Load(); // once per run; a later window shows the state as it is
    showGroupLists();
    showSelection(m_core.selectedRow());
    m_contactText->setText(m_core.contactText());
    UpdateButtons();
}

void ContactForm::showGroupLists() {
    const QSignalBlocker groupBlocker(m_groupCombo);
    const QSignalBlocker displayBlocker(m_displayGroupCombo);
    const QString groupText = m_core.groupText();
    m_groupCombo->clear();
    m_groupCombo->addItems(m_core.groups());
    m_groupCombo->setEditText(groupText);
    m_displayGroupCombo->clear();
    m_displayGroupCombo->addItems(m_core.displayItems());
    m_displayGroupCombo->setCurrentIndex(m_core.displayItem());
}

void ContactForm::showSelection(int row) {
    const QScopedValueRollback showing(m_showing, true);
    const int column = std::max(0, m_grid->currentIndex().column());
    const QModelIndex current = m_core.model().index(row, column); // invalid for row -1
    m_grid->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    if (current.isValid())
        m_grid->scrollTo(current);
}

void ContactForm::UpdateButtons() {
    m_add->setEnabled(m_core.addEnabled());
    m_del->setEnabled(m_core.rowActionsEnabled());
    m_call->setEnabled(m_core.rowActionsEnabled());
    m_callItem->setEnabled(m_core.rowActionsEnabled());
}

bool ContactForm::RowHitTest(int y) const {
    const int row = m_core.selectedRow();
    return row >= 0 && m_grid->rowAt(y) == row;
}

void ContactForm::popupRequested(const QPoint& position) {
    if (RowHitTest(position.y()))
        m_popup->popup(QCursor::pos());
}

void ContactForm::Command1_Click() {
    m_core.Command1_Click();
    hide();
}

void ContactForm::closeEvent(QCloseEvent* event) {
    // The title bar's close saves the list like Close, so no edit is lost.
    m_core.Command1_Click();
    event->accept();
}
