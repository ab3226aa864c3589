// Hiding the control window to the tray and bringing it back, by the button, the movie window's
// menu and the icon.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"
#include "platform/tray_icon.h"
#include "shell/tray.h"

#include <QPushButton>

// Steps in a row on one window. The button, the movie window's menu item and the icon's double
// click go by the mark of c_hyouji; the icon is there exactly while the control window is hidden.
// A press on the icon raises the movie window (on top and off again) unless it is kept in front;
// other buttons do nothing.
TEST_F(FormFixture, HidingAndShowingByButtonMenuAndIcon)
{
    using Calls = std::vector<bool>;  // SetTopMost calls, on or off
    const std::function<void()> button = [this] { form1->Command16->click(); };
    const std::function<void()> menu = [this] { form2().c_hyouji->trigger(); };
    const auto icon = [this](std::vector<std::uint32_t> messages) {
        return [this, messages] {
            for (std::uint32_t m : messages)
                tray.click(m);
        };
    };
    const struct {
        std::function<void()> act;
        int keep;
        bool hiddenAfter;
        Calls topMost;
    } steps[] = {
        {button, 0, true, {}},
        {icon({traymsg::LButtonDown}), 0, true, {true, false}},
        {icon({traymsg::LButtonDown}), 1, true, {}},
        {icon({traymsg::RButtonDown, traymsg::MButtonDown, traymsg::MouseMove}), 0, true, {}},
        {icon({traymsg::LButtonDown, traymsg::LButtonDblClk}), 0, false, {true, false}},
        {menu, 0, true, {}},
        {menu, 1, false, {}},
        {menu, 1, true, {}},
        {icon({traymsg::LButtonDown, traymsg::LButtonDblClk}), 1, false, {}},
        {button, 1, true, {}},
        {button, 1, true, {}},
        {menu, 0, false, {}},
    };
    load();
    form1->show();
    for (const auto& step : steps) {
        SCOPED_TRACE(&step - steps);
        form1->Check4->setValue(step.keep);
        windows.topMostCalls.clear();
        step.act();
        Calls calls;
        for (const FakeWindowLayer::TopMostCall& call : windows.topMostCalls)
            calls.push_back(call.topmost);
        EXPECT_EQ(calls, step.topMost);
        const bool hidden = step.hiddenAfter;
        EXPECT_EQ(std::tuple(form1->isHidden(), form2().c_hyouji->Checked(), tray.shown),
            std::tuple(hidden, hidden, hidden));
        EXPECT_TRUE(form2().isVisible());
        EXPECT_EQ(windows.isTopMost(&form2()), step.keep == 1);
    }
    EXPECT_EQ(tray.tip, "ReelBox");
}

// Whatever happens while the control window is hidden, a window stays to bring it back; quitting
// takes the icon away.
TEST_F(FormFixture, NeverWithoutAWindow)
{
    load();
    form2().hide();
    form1->Command16->click();
    EXPECT_TRUE(form2().isVisible());  // the movie window comes back to carry the menu
    form2().close();
    EXPECT_EQ(std::tuple(form1->isHidden(), form2().c_hyouji->Checked(), tray.shown),
        std::tuple(false, false, false));
    form1->Command16->click();
    form2().me_exit->trigger();
    EXPECT_FALSE(tray.shown);
    EXPECT_TRUE(form1->isUnloaded());
}

// Minimized before it was hidden, the control window comes back from the icon as a window.
TEST_F(FormFixture, MinimizedControlWindowComesBackAsAWindow)
{
    load();
    form1->showMinimized();
    form1->Command16->click();
    tray.click(traymsg::LButtonDown);
    tray.click(traymsg::LButtonDblClk);
    EXPECT_TRUE(form1->isVisible());
    EXPECT_FALSE(form1->isMinimized());
}
