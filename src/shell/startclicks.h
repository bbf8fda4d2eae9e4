#pragma once

#include <QStringList>

// The command line's --open NAME: clicks, one after another, the menu item or button of that
// object name in a shown window (the modal window on top first), as the user would, so that a
// script can show any window (scripts/screenshots.sh). The first click comes firstDelayMs after
// the call, each next one stepMs later; a name that no shown window holds is said on standard
// error and skipped.
namespace StartClicks {

void clickInTurn(const QStringList& names, int firstDelayMs = 500, int stepMs = 500);

// Clicks NAME now; false when no shown window holds a menu item or button of that name.
bool click(const QString& name);

} // namespace StartClicks
