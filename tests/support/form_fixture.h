#pragma once

#include "app/form1.h"
#include "controls/list_box.h"
#include "controls/menu_item.h"
#include "counting_bell.h"
#include "fake_media_engine.h"
#include "fake_services.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "movie/form2.h"
#include "movie/geometry.h"
#include "playback/playback.h"
#include "qt_printers.h"
#include "recording_mci_device.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A Form1 over a media engine (the scripted FakeMediaEngine, or the real MpvEngine) behind the
// real command interpreter (every command string recorded) and the fake services.
//
//   TEST_F(FormFixture, ...) { load("a.mpg"); EXPECT_EQ(form1->List2->ListCount(), 1); }
template <typename Engine> class FormFixtureOn : public ::testing::Test, protected FakeServices {
protected:
    FormFixtureOn() : form1(std::make_unique<Form1>(over(mci)))
    {
        dialogs.topMostProbe = [this] {
            return form1->hasForm2() && windows.isTopMost(&form1->form2());
        };
    }
    ~FormFixtureOn() override
    {
        dialogs.topMostProbe = nullptr;
        form1.reset();
    }

    // Runs Form_Load with the command line text, as the program does at start.
    void load(const QString& commandLine = {}) { form1->Form_Load(commandLine); }
    Form2& form2() { return form1->form2(); }

    // Command strings sent so far / since the last clearSent().
    QStringList sent() const { return device.commands(); }
    void clearSent() { device.clear(); }

    // Writes the settings file into the program folder (lines joined with CR LF).
    void writeSettings(const QStringList& lines)
    {
        QFile file(programFile(QStringLiteral("reelbox.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((lines.join(QStringLiteral("\r\n")) + (lines.isEmpty() ? "" : "\r\n")).toUtf8());
    }
    QString programFile(const QString& name) const { return programDir.filePath(name); }

    // A list box's rows; names(): the playlist as List2 shows it.
    static QStringList items(const ListBox* list)
    {
        QStringList rows;
        for (int i = 0; i < list->ListCount(); ++i)
            rows << list->List(i);
        return rows;
    }
    QStringList names() const { return items(form1->List2); }

    // The controls that act on an open movie: off while nothing is open, on while a movie is.
    QList<QWidget*> movieControls() const
    {
        QList<QWidget*> controls;
        for (const char* name : {"Command2", "Command3", "Command4", "Command5", "Command6",
                 "Command7", "Command8", "Command9", "Command10", "Command11", "Command13",
                 "Command14", "Command15", "Command19", "Command21", "Command22", "Command23",
                 "Check6", "cmdUp", "cmdDown", "HScroll1"})
            controls << form1->findChild<QWidget*>(QLatin1String(name));
        return controls;
    }
    // The movie window's menu items that do the same.
    QList<QAction*> movieMenuItems()
    {
        Form2& m = form2();
        return {m.me_s_t, m.me_teisi, m.m_mae, m.m_yugi, m.me_wari, m.me_kake, m.me_full};
    }

    Engine engine;
    MciInterpreter interpreter{engine};
    RecordingMciDevice device{interpreter};
    CountingBell bell;
    MciChannel mci{device, bell};
    std::unique_ptr<Form1> form1;
};

using FormFixture = FormFixtureOn<FakeMediaEngine>;
