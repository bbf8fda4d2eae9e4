#pragma once

#include "shell/applylanguage.h"

#include <QString>

class QTableView;
class QAbstractItemModel;

// Small helpers the notification windows share to build their controls.
namespace NotifyControls {

// Names the control (its objectName is the control's name in the program) and, with a text
// number >= 0, tags it "STR-ID:<number>" for the language packs.
template <typename Control> Control* named(Control* control, const char* name, int textId = -1) {
    control->setObjectName(QString::fromLatin1(name));
    if (textId >= 0)
        setTag(control, QStringLiteral("STR-ID:%1").arg(textId));
    return control;
}

// A read-only grid over a table model: whole rows selected, fixed row height, no row header.
// Column widths are given in twips (15 twips a pixel).
QTableView* makeGrid(QWidget* parent, const char* name, QAbstractItemModel* model,
                     std::initializer_list<int> widthsTwips);

} // namespace NotifyControls
