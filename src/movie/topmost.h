#pragma once

#include <cstdint>

class QWidget;
class WindowLayer;

// Keeps `form` above all other windows (mode 1) or lets it go back among them (mode 0); either
// way the window is shown and neither moved nor resized. Any other mode does nothing and
// returns 0; otherwise returns 1.
std::int32_t SetTopMost(WindowLayer& windows, QWidget* form, int mode);
