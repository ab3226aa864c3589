// The movie window's topmost state around message boxes, and the keep-in-front switch.
#include "app/controls/check_box.h"
#include "app/controls/menu_item.h"
#include "form_fixture.h"
#include "movie/topmost.h"

TEST_F(FormFixture, MessageBoxLiftsTheMovieWindowAndRestoresItWhenKeptInFront)
{
    load();
    ASSERT_EQ(form1->Check4->Value(), 1);
    EXPECT_EQ(form1->MsgBox("x", msgbox::OkOnly, msgbox::Information), msgbox::Ok);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].movieTopMost, false);
    EXPECT_TRUE(windows.isTopMost(&form2()));
}

TEST_F(FormFixture, MessageBoxLeavesTheMovieWindowDownWhenNotKeptInFront)
{
    load();
    form1->Check4->setValue(0);
    EXPECT_FALSE(windows.isTopMost(&form2()));
    dialogs.answers = {msgbox::No};
    EXPECT_EQ(form1->MsgBox("q", msgbox::YesNo, msgbox::Question, "t"), msgbox::No);
    EXPECT_EQ(dialogs.boxes.at(0).movieTopMost, false);
    EXPECT_FALSE(windows.isTopMost(&form2()));
    EXPECT_FALSE(windows.topMostCalls.back().topmost);
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
