#pragma once

class QWidget;

// Places the window in the middle of its screen; every window calls it when it loads.
void CenterForm(QWidget* window);
