// The movie window's topmost state around message boxes, and the keep-in-front switch.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"
#include "movie/topmost.h"

// The box is shown with the movie window down; afterwards it is in front again only when kept
// in front (Check4 ticked).
TEST_F(FormFixture, MessageBoxLowersTheMovieWindowAndRestoresItWhenKeptInFront)
{
    load();
    for (int keep : {1, 0}) {
        SCOPED_TRACE(keep);
        form1->Check4->setValue(keep);
        ASSERT_EQ(windows.isTopMost(&form2()), keep == 1);
        dialogs.boxes.clear();
        dialogs.answers = {msgbox::No};
        EXPECT_EQ(form1->MsgBox("q", msgbox::YesNo, msgbox::Question, "t"), msgbox::No);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].movieTopMost, false);
        EXPECT_EQ(windows.isTopMost(&form2()), keep == 1);
        EXPECT_EQ(windows.topMostCalls.back().topmost, keep == 1);
    }
}

TEST_F(FormFixture, MessageBoxBeforeTheMovieWindowExistsDoesNotCreateIt)
{
    form1->MsgBox("mixer", msgbox::OkOnly, msgbox::Information);
    EXPECT_FALSE(form1->hasForm2());
    EXPECT_TRUE(windows.topMostCalls.empty());
}

TEST_F(FormFixture, KeepInFrontSwitchAndMenuMirrorEachOther)
{
    load();
    Form2& m = form2();
    m.topw1->trigger();
    EXPECT_FALSE(m.topw1->Checked());
    EXPECT_EQ(form1->Check4->Value(), 0);
    EXPECT_FALSE(windows.isTopMost(&m));

    form1->Check4->setValue(1);
    EXPECT_TRUE(m.topw1->Checked());
    EXPECT_TRUE(windows.isTopMost(&m));

    // The grayed value changes nothing.
    const auto calls = windows.topMostCalls.size();
    form1->Check4->setValue(2);
    EXPECT_EQ(windows.topMostCalls.size(), calls);
    EXPECT_TRUE(m.topw1->Checked());
}

TEST_F(FormFixture, SetTopMostWithAnotherModeDoesNothing)
{
    load();
    const auto calls = windows.topMostCalls.size();
    EXPECT_EQ(SetTopMost(windows, &form2(), 2), 0);
    EXPECT_EQ(SetTopMost(windows, &form2(), -1), 0);
    EXPECT_EQ(windows.topMostCalls.size(), calls);
    EXPECT_NE(SetTopMost(windows, &form2(), 0), 0);
    EXPECT_FALSE(windows.isTopMost(&form2()));
}
