#include "controlerlistdialog.h"

#include "base/services.h"
#include "controlerlist.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using Controls::named;

ControlerListDialog::ControlerListDialog(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("ControlerListDialog"));
    setWindowTitle(QStringLiteral("ControlerList"));
    setTag(this, QStringLiteral("STR-ID:87"));
    m_list = named(new QListWidget(this), "ControlerList");
    m_text = named(new QLineEdit(this), "ControlerText");
    auto* add = named(new QPushButton(QStringLiteral("Add"), this), "Command1", 90);
    m_delete = named(new QPushButton(QStringLiteral("Del"), this), "Command2", 91);
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), "OKButton", 6);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 1, 3);
    layout->addWidget(named(new QLabel(QStringLiteral("Controler"), this), "Label1", 88), 1, 0);
    layout->addWidget(m_text, 1, 1);
    layout->addWidget(add, 1, 2);
    layout->addWidget(m_delete, 2, 2);
    layout->addWidget(ok, 3, 2);
    connect(add, &QPushButton::clicked, this, &ControlerListDialog::Command1_Click);
    connect(m_delete, &QPushButton::clicked, this, &ControlerListDialog::Command2_Click);
    connect(ok, &QPushButton::clicked, this, &ControlerListDialog::OKButton_Click);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            &ControlerListDialog::ControlerList_Click);
    LoadControlerList();
    m_text->clear();
    m_delete->setEnabled(false);
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
}

QStringList ControlerListDialog::entries() const {
    QStringList handles;
    for (int row = 0; row < m_list->count(); ++row)
        handles << m_list->item(row)->text();
    return handles;
}

void ControlerListDialog::LoadControlerList() {
    m_list->clear();
    m_list->addItems(ControlerList::load(m_services.settings));
}

void ControlerListDialog::SaveControlerList() {
    ControlerList::save(m_services.settings, entries());
}

void ControlerListDialog::Command1_Click() {
    const QString handle = m_text->text().trimmed();
    if (handle.isEmpty()) {
        m_text->clear();
        m_text->setFocus();
        return;
    }
    m_list->addItem(handle); // duplicates are allowed; the text stays for the next one
}

void ControlerListDialog::Command2_Click() {
    const int row = m_list->currentRow();
    if (row < 0 || !m_list->item(row)->isSelected())
        return;
    delete m_list->takeItem(row);
    m_list->clearSelection();
    m_list->setCurrentRow(-1);
    m_delete->setEnabled(false);
}

void ControlerListDialog::ControlerList_Click() {
    m_delete->setEnabled(!m_list->selectedItems().isEmpty());
}

void ControlerListDialog::OKButton_Click() {
    SaveControlerList();
    accept();
}
