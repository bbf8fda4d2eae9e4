#include "applylanguage.h"
#include "controls.h"

#include "base/languagepack.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextEdit>

namespace {
const QString kPrefix = QStringLiteral("STR-ID:");

void applyText(QObject* control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text); // command buttons, check boxes and option buttons
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(control))
        menu->setTitle(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(text);
    else if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(text);
    else if (auto* edit = qobject_cast<QTextEdit*>(control))
        edit->setPlainText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(text);
}

void applyHeadings(QObject* control, const QStringList& numbers, const LanguagePack& pack) {
    auto* grid = qobject_cast<QTableWidget*>(control);
    if (!grid)
        return;
    const int row = grid->currentRow();
    const int column = grid->currentColumn();
    grid->setColumnCount(static_cast<int>(numbers.size()));
    QStringList headings;
    for (const QString& number : numbers)
        headings << pack.GetLanguageString(number.trimmed().toInt());
    grid->setHorizontalHeaderLabels(headings);
    grid->setCurrentCell(row, column);
}

void applyTag(QObject* control, const QString& tag, const LanguagePack& pack) {
    const QString list = tag.mid(kPrefix.size());
    if (list.contains(u',')) {
        applyHeadings(control, list.split(u','), pack);
        return;
    }
    bool ok = false;
    const int number = list.trimmed().toInt(&ok);
    if (ok && number >= 0)
        applyText(control, pack.GetLanguageString(number));
}
} // namespace

void setTag(QObject* control, const QString& tag) {
    control->setProperty(kTagProperty, tag);
}

QString tagOf(const QObject* control) {
    return control->property(kTagProperty).toString();
}

void ApplyLanguage(QWidget* window, const LanguagePack& pack) {
    const QString own = tagOf(window);
    if (own.startsWith(kPrefix)) {
        bool ok = false;
        const int number = own.mid(kPrefix.size()).trimmed().toInt(&ok);
        if (ok && number >= 0)
            window->setWindowTitle(pack.GetLanguageString(number));
    }
    const QList<QObject*> controls = window->findChildren<QObject*>();
    for (QObject* control : controls) {
        const QString tag = tagOf(control);
        if (tag.startsWith(kPrefix))
            applyTag(control, tag, pack);
    }
    Controls::nameForScreenReaders(window);
}

void ApplyLanguageToAll(LanguagePack& pack, const QString& code) {
    pack.LoadLanguagePack(code);
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (!qobject_cast<QMenu*>(window))
            ApplyLanguage(window, pack);
    }
}
