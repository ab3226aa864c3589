// The keep-in-front switch and SetTopMost. The rule around message boxes is checked with the boxes
// themselves (a failed save, an unplayable entry, the About box).
// Checks: topmost.cpp, keep_in_front.cpp, form2_menu.cpp (src/movie); modal_rule.cpp (src/app).
#include "form_fixture.h"

TEST_F(FormFixture, MessageBoxBeforeTheMovieWindowExistsDoesNotCreateIt)
{
    form1->MsgBox("mixer", msgbox::OkOnly, msgbox::Information);
    EXPECT_FALSE(form1->hasForm2());
    EXPECT_TRUE(windows.topMostCalls.empty());
}

TEST_F(StartedForm, KeepInFrontSwitchAndMenuMirrorEachOther)
{
    Form2& m = form2();
    m.topw1->trigger();
    EXPECT_EQ(std::tuple(m.topw1->Checked(), form1->Check4->Value(), windows.isTopMost(&m)),
        std::tuple(false, 0, false));
    form1->Check4->setValue(1);
    EXPECT_EQ(std::tuple(m.topw1->Checked(), windows.isTopMost(&m)), std::tuple(true, true));
}
