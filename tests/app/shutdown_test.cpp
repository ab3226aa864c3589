// Shutdown, and the screen-saver keeper while running.
#include "controls/list_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"

#include <QSignalSpy>

TEST_F(FormFixture, UnloadWithAMovieOpenPutsEverythingBack)
{
    load("/m/a.mpg");
    const WId video = form1->video.mci_hwnd;
    ASSERT_TRUE(windows.hooked(video));
    clearSent();
    QSignalSpy ended(form1.get(), &Form1::unloaded);

    form1->Form_Unload();

    EXPECT_EQ(screenSaver.changes, (std::vector<bool>{false, true}));
    EXPECT_EQ(sent(), QStringList({"close avfile"}));
    EXPECT_FALSE(windows.hooked(video));
    EXPECT_FALSE(engine.isOpen());
    EXPECT_FALSE(form2().isVisible());
    EXPECT_FALSE(form1->isVisible());
    EXPECT_EQ(ended.count(), 1);

    form1->Form_Unload();  // once only, however the program is asked to end
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(sent().size(), 1);
}

TEST_F(FormFixture, UnloadWithNothingOpenGivesNoProcedureBack)
{
    load();
    const auto procChanges = windows.procChanges.size();
    form1->Form_Unload();
    EXPECT_EQ(sent(), QStringList({"close avfile"}));
    EXPECT_EQ(windows.procChanges.size(), procChanges);
    EXPECT_TRUE(screenSaver.active);
}

TEST_F(FormFixture, ClosingEitherWindowEndsTheProgram)
{
    load();
    form1->show();
    QSignalSpy ended(form1.get(), &Form1::unloaded);
    form1->close();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(screenSaver.active);
}

TEST_F(FormFixture, ExitFromTheMovieMenuEndsTheProgram)
{
    load();
    QSignalSpy ended(form1.get(), &Form1::unloaded);
    form2().me_exit->trigger();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(screenSaver.active);
}

// Ended while start-up waits on a message box (a signal, a window closed): start-up does not show
// the movie window again nor switch the screen saver back off afterwards.
TEST_F(FormFixture, EndedWhileStartUpShowsABoxStaysEnded)
{
    engine.failNextOpen(MediaError::InvalidFile);
    dialogs.whileShown = [this] { form1->Form_Unload(); };
    load("/m/a.mpg");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(screenSaver.active);
    EXPECT_FALSE(form2().isVisible());
}

TEST_F(FormFixture, KeeperSwitchesTheScreenSaverOffAgain)
{
    load();
    screenSaver.changes.clear();
    form1->Timer3_Timer();
    EXPECT_TRUE(screenSaver.changes.empty());  // still off: nothing to do
    screenSaver.active = true;                  // somebody switched it on
    form1->Timer3_Timer();
    EXPECT_EQ(screenSaver.changes, std::vector<bool>{false});
}
