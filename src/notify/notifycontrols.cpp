#include "notifycontrols.h"

#include <QHeaderView>
#include <QTableView>

namespace NotifyControls {

QTableView* makeGrid(QWidget* parent, const char* name, QAbstractItemModel* model,
                     std::initializer_list<int> widthsTwips) {
    auto* grid = named(new QTableView(parent), name);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setWordWrap(false);
    // Fixed rows: the grid never measures row contents, so a long table stays cheap.
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->hide();
    int column = 0;
    for (const int twips : widthsTwips)
        grid->setColumnWidth(column++, twips / 15);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

} // namespace NotifyControls
