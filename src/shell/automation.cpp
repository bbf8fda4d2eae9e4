#include "automation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDBusError>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>

namespace {
const QString kPath = QStringLiteral("/org/quenlark/Automation");
const QString kName = QStringLiteral("org.quenlark.Automation");
} // namespace

bool Automation::open(QDBusConnection bus, QString* error) {
    if (!bus.isConnected() ||
        !bus.registerObject(kPath, this, QDBusConnection::ExportScriptableSlots) ||
        !bus.registerService(kName)) {
        *error = bus.lastError().message();
        return false;
    }
    return true;
}

QWidget* Automation::find(const QString& window, const QString& control) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* top : windows) {
        if (top->objectName() != window)
            continue;
        if (control.isEmpty())
            return top;
        if (auto* found = top->findChild<QWidget*>(control))
            return found;
    }
    return nullptr;
}

bool Automation::Click(const QString& window, const QString& control) {
    auto* button = qobject_cast<QAbstractButton*>(find(window, control));
    if (!button || !button->isVisibleTo(button->window()) || !button->isEnabled())
        return false;
    button->click();
    return true;
}

bool Automation::SetText(const QString& window, const QString& control, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(find(window, control));
    if (!edit || !edit->isEnabled())
        return false;
    edit->setText(text);
    return true;
}

bool Automation::SelectRow(const QString& window, const QString& control, int row) {
    auto* list = qobject_cast<QListWidget*>(find(window, control));
    if (!list || row < 0 || row >= list->count())
        return false;
    list->setCurrentRow(row);
    return true;
}

QStringList Automation::Read(const QString& window, const QString& control) {
    QWidget* widget = find(window, control);
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QStringList rows;
        for (int row = 0; row < list->count(); ++row)
            rows.append(list->item(row)->text());
        return rows;
    }
    if (auto* label = qobject_cast<QLabel*>(widget))
        return {label->text()};
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return {edit->text()};
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return {button->text()};
    return {};
}

QStringList Automation::Notices() {
    QStringList texts;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* top : windows)
        if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible())
            texts.append(box->text());
    return texts;
}
