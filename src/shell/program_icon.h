#pragma once

#include <QIcon>

// The program's icon (the installed one, drawn from the same SVG), for the windows, the About box
// and the tray; the desktop's media icon when the SVG cannot be drawn.
QIcon programIcon();
