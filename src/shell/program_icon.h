#pragma once

#include <QIcon>

// The program's icon for the windows, the About box and the tray: the installed theme's PNG
// sizes (drawn from data/reelbox.svg at build time), built into the program.
QIcon programIcon();
