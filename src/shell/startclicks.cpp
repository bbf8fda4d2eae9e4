#include "startclicks.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace StartClicks {

bool click(const QString& name) {
    // The window the user would click in first: the modal one on top, then the active one.
    QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* first : {QApplication::activeWindow(), QApplication::activeModalWidget()}) {
        if (first && windows.removeOne(first))
            windows.prepend(first);
    }
    for (QWidget* window : std::as_const(windows)) {
        if (!window->isVisible())
            continue;
        if (auto* action = window->findChild<QAction*>(name); action && action->isEnabled()) {
            action->trigger();
            return true;
        }
        if (auto* button = window->findChild<QAbstractButton*>(name);
            button && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}

void clickInTurn(const QStringList& names, int firstDelayMs, int stepMs) {
    int delay = firstDelayMs;
    for (const QString& name : names) {
        QTimer::singleShot(delay, qApp, [name] {
            if (!click(name))
                std::fprintf(stderr,
                             "quenlark: --open: no shown window has a menu item or "
                             "button named %s\n",
                             qPrintable(name));
        });
        delay += stepMs;
    }
}

} // namespace StartClicks
