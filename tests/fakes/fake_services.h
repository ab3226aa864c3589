#pragma once

#include "app/services.h"
#include "fake_desktop.h"
#include "fake_dialogs.h"
#include "fake_drive_table.h"
#include "fake_mixer.h"
#include "fake_screen_saver.h"
#include "fake_tray_icon.h"
#include "fake_window_layer.h"

#include <QTemporaryDir>
#include <optional>

// The window-system services over fakes, and an empty temporary program folder (no settings file
// unless a test writes one). `over` gives the Services a Form1 takes, with the media channel given
// and the fake window layer unless another one is given; they live as long as the bundle.
//
//   struct Player : FakeServices { ...; MciChannel mci{...}; Form1 form1{over(mci)}; };
struct FakeServices {
    FakeWindowLayer windows;
    FakeDialogs dialogs;
    FakeScreenSaver screenSaver;
    FakeDriveTable drives;
    FakeMixer mixer;
    FakeTrayIcon tray;
    FakeDesktop desktop;
    QTemporaryDir programDir;
    std::optional<Services> services;

    Services& over(MciChannel& mci, WindowLayer* windowLayer = nullptr)
    {
        return services.emplace(Services{mci, windowLayer ? *windowLayer : windows, dialogs,
            screenSaver, drives, mixer, tray, desktop, programDir.path()});
    }
};
