#pragma once

class QWidget;

// CenterForm: a free function over Qt's screen geometry, not a window class.
// Places the window in the middle of its screen; every window calls it when it loads.
void CenterForm(QWidget* window);
