#include "controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace Controls {

QLabel* label(QWidget* parent, const char* name, const QString& text, int textId) {
    return named(new QLabel(text, parent), name, textId);
}

QLineEdit* lineEdit(QWidget* parent, const char* name) {
    return named(new QLineEdit(parent), name);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int textId) {
    return named(new QPushButton(text, parent), name, textId);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, int textId) {
    return named(new QCheckBox(text, parent), name, textId);
}

QTableView* grid(QWidget* parent, const char* name, QAbstractItemModel* model,
                 std::initializer_list<int> widthsTwips) {
    auto* view = named(new QTableView(parent), name);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setWordWrap(false);
    // Fixed rows: the grid never measures row contents, so a long table stays cheap.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->hide();
    int column = 0;
    for (const int twips : widthsTwips)
        view->setColumnWidth(column++, twips / 15);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

namespace {

// Set on a control whose accessible name this helper gave, so a later language replaces it.
constexpr const char* kGivenName = "quenlarkGivenName";

bool needsName(const QWidget* control) {
    return control->focusPolicy() != Qt::NoFocus &&
           !qobject_cast<const QAbstractButton*>(control) &&
           !qobject_cast<const QLabel*>(control) &&
           (control->accessibleName().isEmpty() || control->property(kGivenName).toBool());
}

QString captionOf(const QWidget* control, const QList<QLabel*>& labels) {
    for (const QLabel* label : labels) {
        if (label->buddy() == control)
            return label->text().remove(u'&').trimmed();
    }
    return {};
}

} // namespace

void nameForScreenReaders(QWidget* window) {
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (QGridLayout* layout : window->findChildren<QGridLayout*>()) {
        for (int index = 0; index < layout->count(); ++index) {
            auto* label = qobject_cast<QLabel*>(layout->itemAt(index)->widget());
            if (!label || label->buddy() || label->text().isEmpty())
                continue;
            int row = 0, column = 0, rows = 0, columns = 0;
            layout->getItemPosition(index, &row, &column, &rows, &columns);
            QLayoutItem* right = layout->itemAtPosition(row, column + columns);
            QWidget* control = right ? right->widget() : nullptr;
            if (control && needsName(control) && captionOf(control, labels).isEmpty())
                label->setBuddy(control);
        }
    }
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!needsName(control) || !captionOf(control, labels).isEmpty())
            continue;
        QString name;
        // The text field of an editable combo box speaks as the box.
        if (auto* combo = qobject_cast<QComboBox*>(control->parentWidget()))
            name = captionOf(combo, labels);
        for (QWidget* box = control->parentWidget(); name.isEmpty() && box && box != window;
             box = box->parentWidget()) {
            if (auto* group = qobject_cast<QGroupBox*>(box))
                name = group->title().remove(u'&').trimmed();
        }
        if (name.isEmpty())
            name = window->windowTitle();
        control->setAccessibleName(name);
        control->setProperty(kGivenName, true);
    }
}

} // namespace Controls
