// Hiding the control window to the tray and bringing it back, by the button, the movie window's
// menu and the icon.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"
#include "platform/tray_icon.h"
#include "shell/tray.h"

#include <QPushButton>

// The button, the menu item and the icon's double click all go by the mark of c_hyouji; the icon
// is there exactly while the control window is hidden.
TEST_F(FormFixture, HidingAndShowingByButtonMenuAndIcon)
{
    struct Step {
        std::function<void()> act;
        bool hiddenAfter;
    };
    const std::function<void()> button = [this] { form1->Command16->click(); };
    const std::function<void()> menu = [this] { form2().c_hyouji->trigger(); };
    const std::function<void()> icon = [this] { tray.click(traymsg::LButtonDblClk); };
    const Step steps[] = {{button, true}, {menu, false}, {menu, true},  {icon, false},
                          {button, true}, {button, true}, {menu, false}};
    load();
    form1->show();
    for (const Step& step : steps) {
        step.act();
        const bool hidden = step.hiddenAfter;
        EXPECT_EQ(std::tuple(form1->isHidden(), form2().c_hyouji->Checked(), tray.shown),
                  std::tuple(hidden, hidden, hidden));
        EXPECT_TRUE(form2().isVisible());
    }
    EXPECT_EQ(tray.tip, "ReelBox");
}

// A press raises the movie window and leaves it as Check4 says; a double click (a press, then the
// double click) also brings the control window back; other buttons do nothing.
TEST_F(FormFixture, TrayIconClicks)
{
    struct Case {
        int keep;
        std::vector<std::uint32_t> messages;
        std::vector<bool> topMostCalls;
        bool controlBack;
    };
    const Case cases[] = {
        {0, {traymsg::LButtonDown}, {true, false}, false},
        {1, {traymsg::LButtonDown}, {}, false},
        {0, {traymsg::LButtonDown, traymsg::LButtonDblClk}, {true, false}, true},
        {1, {traymsg::LButtonDown, traymsg::LButtonDblClk}, {}, true},
        {0, {traymsg::RButtonDown, traymsg::MButtonDown, traymsg::MouseMove}, {}, false},
    };
    load();
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        form1->Check4->setValue(c.keep);
        form2().c_hyouji->setChecked(false);
        form1->Command16->click();
        windows.topMostCalls.clear();
        for (std::uint32_t m : c.messages)
            tray.click(m);
        std::vector<bool> calls;
        for (const FakeWindowLayer::TopMostCall& call : windows.topMostCalls)
            calls.push_back(call.topmost);
        EXPECT_EQ(calls, c.topMostCalls);
        EXPECT_EQ(windows.isTopMost(&form2()), c.keep == 1);
        EXPECT_EQ(form1->isHidden(), !c.controlBack);
    }
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
