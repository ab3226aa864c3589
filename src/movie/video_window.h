#pragma once

#include "platform/window_layer.h"

class MciChannel;

// The open device's video window, and its own procedure while MovieWndProc stands in for it.
struct VideoWindow {
    WId mci_hwnd = 0;
    WindowLayer::WndProc old_proc;
};

// Closes the device; once it is closed, gives the video window its own procedure back. Every
// path that closes the device (opening the next entry, reset_all, shutdown) comes through here.
void closeDevice(MciChannel& mci, WindowLayer& windows, const VideoWindow& video);
