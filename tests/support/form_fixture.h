#pragma once

#include "app/form1.h"
#include "app/services.h"
#include "counting_bell.h"
#include "fake_desktop.h"
#include "fake_dialogs.h"
#include "fake_media_engine.h"
#include "fake_mixer.h"
#include "fake_screen_saver.h"
#include "fake_tray_icon.h"
#include "fake_window_layer.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "movie/form2.h"
#include "movie/geometry.h"
#include "playback/playback.h"
#include "qt_printers.h"
#include "recording_mci_device.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A Form1 over fakes: the scripted media engine behind the real command interpreter (every
// command string recorded), fake window layer, dialogs, screen saver, mixer, tray and desktop,
// and an empty temporary program folder (no settings file unless a test writes one).
//
//   TEST_F(FormFixture, ...) { load("a.mpg"); EXPECT_EQ(form1->List2->ListCount(), 1); }
class FormFixture : public ::testing::Test {
protected:
    FormFixture();
    ~FormFixture() override;

    // Runs Form_Load with the command line text, as the program does at start.
    void load(const QString& commandLine = {});
    Form2& form2() { return form1->form2(); }

    // Command strings sent so far / since the last clearSent().
    QStringList sent() const;
    void clearSent();

    // Writes the settings file into the program folder (lines joined with CR LF).
    void writeSettings(const QStringList& lines);
    // Path of a file in the program folder.
    QString programFile(const QString& name) const;

    FakeMediaEngine engine;
    MciInterpreter interpreter{engine};
    RecordingMciDevice device{interpreter};
    CountingBell bell;
    MciChannel mci{device, bell};
    FakeWindowLayer windows;
    FakeDialogs dialogs;
    FakeScreenSaver screenSaver;
    FakeMixer mixer;
    FakeTrayIcon tray;
    FakeDesktop desktop;
    QTemporaryDir programDir;
    Services services;
    std::unique_ptr<Form1> form1;
};
