#pragma once

#include "applylanguage.h"

#include <QString>

#include <initializer_list>

class QAbstractItemModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

// How every window builds its controls: the object name is the control's name in the program
// (language packs, the tests and the code find the control by it) and a text number >= 0 tags
// it "STR-ID:<number>" for the language packs.
namespace Controls {

template <typename Control> Control* named(Control* control, const char* name, int textId = -1) {
    control->setObjectName(QString::fromLatin1(name));
    if (textId >= 0)
        setTag(control, QStringLiteral("STR-ID:%1").arg(textId));
    return control;
}

QLabel* label(QWidget* parent, const char* name, const QString& text = {}, int textId = -1);
QLineEdit* lineEdit(QWidget* parent, const char* name);
QPushButton* button(QWidget* parent, const char* name, const QString& text, int textId = -1);
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, int textId = -1);

// A read-only grid over a table model: whole rows selected, fixed row height, no row header.
// Column widths are given in twips (15 twips a pixel).
QTableView* grid(QWidget* parent, const char* name, QAbstractItemModel* model,
                 std::initializer_list<int> widthsTwips);

// Gives every control of the window that takes the focus a name a screen reader can speak,
// where it has none of its own: a caption label just left of it in a grid layout becomes its
// buddy (so the name follows the label's text in every language); a control still without a
// caption (a list, a grid, a field inside a combo box) is named after the titled box that holds
// it, else after the window. ApplyLanguage calls it, so every window gets it after each
// language.
void nameForScreenReaders(QWidget* window);

} // namespace Controls
