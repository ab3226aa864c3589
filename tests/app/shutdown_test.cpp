// Shutdown.
// Checks: form_unload.cpp, form_load.cpp, form1.cpp (src/app); video_window.cpp, form2_menu.cpp
// (src/movie).
#include "form_fixture.h"

#include <gmock/gmock.h>

// Every way to end, with a movie open or not: the device is closed, the video window's procedure
// given back, both windows hidden, the screen saver back on, and all of it once however often
// the program is asked to end.
TEST_F(FormFixture, EveryWayToEndPutsEverythingBackOnce)
{
    const std::pair<const char*, std::function<void()>> ends[] = {
        {"/m/a.mpg", [&] { form1->Form_Unload(); }},
        {"", [&] { form1->Form_Unload(); }},
        {"/m/a.mpg", [&] { form1->show(), form1->close(); }},
        {"/m/a.mpg", [&] { form2().me_exit->trigger(); }},
    };
    for (const auto& [line, end] : ends) {
        SCOPED_TRACE(line);
        form1 = std::make_unique<Form1>(*services);
        load(line);
        const WId video = form1->video.mci_hwnd;
        const int procChanges = windows.procChanges;
        screenSaver.changes.clear();
        clearSent();
        QSignalSpy ended(form1.get(), &Form1::unloaded);
        end();
        const qsizetype endedOnce = ended.count();
        form1->Form_Unload();
        EXPECT_THAT(std::tuple(endedOnce, ended.count(), sent(), windows.procChanges - procChanges,
                        screenSaver.changes, windows.hooked(video) || engine.isOpen(),
                        form2().isVisible() || form1->isVisible()),
            testing::FieldsAre(1, 1, QStringList({"close avfile"}), video ? 1 : 0,
                std::vector<bool>{true}, false, false));
    }
}

// Ended while start-up waits on a message box (a signal, a window closed): start-up does not show
// the movie window again nor switch the screen saver back off afterwards.
TEST_F(FormFixture, EndedWhileStartUpShowsABoxStaysEnded)
{
    engine.failNextOpen(MediaError::InvalidFile);
    dialogs.whileShown = [this] { form1->Form_Unload(); };
    load("/m/a.mpg");
    EXPECT_EQ(std::tuple(dialogs.boxes.size(), screenSaver.active, form2().isVisible()),
        std::tuple(1u, true, false));
}
