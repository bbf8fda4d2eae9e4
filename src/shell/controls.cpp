#include "controls.h"

#include <QCheckBox>
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

} // namespace Controls
