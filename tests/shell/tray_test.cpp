// Hiding the control window to the tray and bringing it back, by the button, the movie window's
// menu and the icon.
// Checks: tray.cpp (src/shell).
#include "form_fixture.h"

#include <gmock/gmock.h>

// Steps in a row on one window. The button, the movie window's menu item and the icon's double
// click go by the mark of c_hyouji; the icon is there exactly while the control window is hidden.
// A press on the icon raises the movie window (on top and off again) unless it is kept in front.
// (A minimized control window comes back from the icon as a window in the hide_and_restore
// scenario.)
TEST_F(StartedForm, HidingAndShowingByButtonMenuAndIcon)
{
    using Calls = std::vector<bool>;  // SetTopMost calls, on or off
    const std::function<void()> button = press(form1->Command16), menu = press(form2().c_hyouji);
    const auto icon = [this](std::vector<std::uint32_t> messages) {
        return [this, messages] {
            for (std::uint32_t m : messages)
                tray.click(m);
        };
    };
    const auto once = icon({traymsg::LButtonDown});
    const auto twice = icon({traymsg::LButtonDown, traymsg::LButtonDblClk});
    // What is done, Check4, whether the control window is hidden after it, the SetTopMost calls.
    const std::tuple<std::function<void()>, int, bool, Calls> steps[] = {{button, 0, true, {}},
        {once, 0, true, {true, false}}, {once, 1, true, {}}, {twice, 0, false, {true, false}},
        {menu, 0, true, {}}, {menu, 1, false, {}}, {menu, 1, true, {}}, {button, 1, true, {}},
        {menu, 0, false, {}}};
    form1->show();
    int step = 0;
    for (const auto& [act, keep, hidden, topMost] : steps) {
        SCOPED_TRACE(step++);
        form1->Check4->setValue(keep);
        windows.topMostCalls.clear();
        act();
        Calls calls;
        for (const FakeWindowLayer::TopMostCall& call : windows.topMostCalls)
            calls.push_back(call.topmost);
        EXPECT_THAT(std::tuple(calls, form1->isHidden(), form2().c_hyouji->Checked(), tray.shown,
                        form2().isVisible(), movieTopMost()),
            testing::FieldsAre(topMost, hidden, hidden, hidden, true, keep == 1));
    }
    EXPECT_EQ(tray.tip, "ReelBox");

    // Whatever happens while the control window is hidden, a window stays to bring it back;
    // quitting takes the icon away.
    form2().hide();
    form1->Command16->click();
    EXPECT_TRUE(form2().isVisible());  // the movie window comes back to carry the menu
    form2().close();
    EXPECT_EQ(std::tuple(form1->isHidden(), form2().c_hyouji->Checked(), tray.shown),
        std::tuple(false, false, false));
    form1->Command16->click();
    form2().me_exit->trigger();
    EXPECT_EQ(std::tuple(tray.shown, form1->isUnloaded()), std::tuple(false, true));
}
