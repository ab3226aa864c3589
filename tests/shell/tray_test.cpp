// Hiding the control window to the tray and bringing it back, by the button, the movie window's
// menu and the icon, with and without a tray on the desktop.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"
#include "platform/tray_icon.h"
#include "shell/tray.h"

#include <QPushButton>

namespace {

enum Step { Button, Menu, IconDoubleClick };

}  // namespace

// Both ways of hiding and of showing go by the mark of c_hyouji, in any order; the icon is there
// exactly while the control window is hidden; a desktop without a tray changes none of it (the
// fake shows the icon either way: the window's state is what counts).
TEST_F(FormFixture, HidingAndShowingInEveryOrder)
{
    struct Case {
        std::vector<Step> steps;
        std::vector<bool> hiddenAfter;
    };
    const Case cases[] = {
        {{Button, Menu}, {true, false}},
        {{Menu, Menu}, {true, false}},
        {{Menu, IconDoubleClick}, {true, false}},
        {{Button, IconDoubleClick, Menu, Button, IconDoubleClick}, {true, false, true, true, false}},
    };
    load();
    form1->show();
    for (bool trayHost : {true, false}) {
        tray.available = trayHost;
        for (const Case& c : cases) {
            for (std::size_t i = 0; i < c.steps.size(); ++i) {
                SCOPED_TRACE(testing::Message() << "tray " << trayHost << ", step " << i);
                switch (c.steps[i]) {
                case Button: form1->Command16->click(); break;
                case Menu: form2().c_hyouji->trigger(); break;
                case IconDoubleClick: tray.click(traymsg::LButtonDblClk); break;
                }
                EXPECT_EQ(form1->isHidden(), c.hiddenAfter[i]);
                EXPECT_EQ(form2().c_hyouji->Checked(), c.hiddenAfter[i]);
                EXPECT_EQ(tray.shown, c.hiddenAfter[i]);
                EXPECT_TRUE(form2().isVisible());
            }
        }
    }
    EXPECT_EQ(tray.tip, "ReelBox");
    EXPECT_TRUE(tray.iconSet);
}

// A press raises the movie window and leaves it where Check4 says; a double click (press, then
// double click) also brings the control window back; other buttons do nothing.
TEST_F(FormFixture, TrayIconClicks)
{
    struct Case {
        int keep;
        std::vector<std::uint32_t> messages;
        std::vector<bool> raises;  // topmost calls made: on, off
        bool controlShown;
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
        SCOPED_TRACE(testing::Message() << c.keep << " " << c.messages.size());
        form1->Check4->setValue(c.keep);
        form1->Command16->click();
        windows.topMostCalls.clear();
        for (std::uint32_t m : c.messages)
            tray.click(m);
        std::vector<bool> raises;
        for (const FakeWindowLayer::TopMostCall& call : windows.topMostCalls) {
            EXPECT_EQ(call.window, &form2());
            raises.push_back(call.topmost);
        }
        EXPECT_EQ(raises, c.raises);
        EXPECT_EQ(windows.isTopMost(&form2()), c.keep == 1);
        EXPECT_EQ(form1->isHidden(), !c.controlShown);
        EXPECT_EQ(tray.shown, !c.controlShown);
        if (form1->isHidden())
            form1->tray->c_hyouji_Click();  // shown again for the next case
    }
}

// Whatever happens while the control window is hidden, a window stays to bring it back.
TEST_F(FormFixture, NeverWithoutAWindow)
{
    tray.available = false;
    load();
    // The movie window gone when hiding: it comes back to carry the menu.
    form2().hide();
    form1->Command16->click();
    EXPECT_TRUE(form2().isVisible());
    // The movie window closed while the control window is hidden: the control window returns.
    form2().close();
    EXPECT_FALSE(form1->isHidden());
    EXPECT_FALSE(form2().c_hyouji->Checked());
    EXPECT_FALSE(tray.shown);
    // Once shown again, closing the movie window leaves the control window alone.
    form2().show();
    form2().close();
    EXPECT_FALSE(form1->isHidden());
}

TEST_F(FormFixture, QuittingWhileHiddenRemovesTheIcon)
{
    load();
    form1->Command16->click();
    ASSERT_TRUE(tray.shown);
    form2().me_exit->trigger();
    EXPECT_FALSE(tray.shown);
    EXPECT_TRUE(form1->isUnloaded());
}
