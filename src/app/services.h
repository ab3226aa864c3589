#pragma once

#include <QString>

class MciChannel;
class WindowLayer;
class Dialogs;
class ScreenSaver;
class DriveTable;
class Mixer;
class TrayIcon;
class Desktop;

// The services the windows use. main() fills it with the real ones, tests with fakes.
struct Services {
    MciChannel& mci;
    WindowLayer& windows;
    Dialogs& dialogs;
    ScreenSaver& screenSaver;
    DriveTable& drives;
    Mixer& mixer;
    TrayIcon& tray;
    Desktop& desktop;
    QString programDir;  // folder of the running program, without a trailing "/"
};
