// Full screen both ways, the movie menu it cuts down, who may ask for it, and the size dialog's
// topmost rule.
// Checks: full_screen.cpp, geometry_helpers.cpp, form2.cpp, geometry.cpp, size_op.cpp (src/movie);
// reset_all.cpp, modal_rule.cpp (src/app).
#include "form_fixture.h"

#include <QLineEdit>
#include <QMenu>

namespace {

QString text(QRect r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

class FullScreenTest : public FormFixture {
protected:
    void SetUp() override
    {
        load("/m/a.mpg /m/b.mpg");
        form1->show();
        engine.setDestinationSize({320, 240});
        form2().setGeometry(200, 150, 343, 263);  // a 320 x 240 picture
        form2().setBackColor(0x00406080);
    }
    // What full screen changes and leaving gives back, readable in a failure.
    QStringList state()
    {
        Form2& m = form2();
        QString menu;
        for (QAction* a : m.menu0->actions())
            menu += a->isVisible() ? u'+' : u'-';
        return {text(m.geometry()), QString::number(m.BackColor()), m.Label1->toolTip(),
            form1->isVisible() ? "control shown" : "control hidden",
            windows.isTopMost(&m) ? "topmost" : "not topmost",
            windows.isFullScreen(&m) ? "full" : "normal", form1->Command22->text(),
            m.me_full->text(), menu,
            // The strip's height keeps its full-screen value on leaving; the window clips it.
            QString::asprintf(
                "strip at %d,%d %d wide", m.Label1->x(), m.Label1->y(), m.Label1->width()),
            m.Label1->alignment() == (Qt::AlignRight | Qt::AlignTop) ? "strip right" : "strip left",
            m.Timer1->isActive() ? "idle cursor counted" : "idle cursor free",
            "text " + m.Label1->palette().color(QPalette::WindowText).name()};
    }
    QRect lastMove() const
    {
        const auto& m = windows.moves.back();
        return {m.x, m.y, m.width, m.height};
    }
};

// Each screen's numbers; on several screens, the movie window's own; a movie opened while full is
// fitted too. Leaving gives everything back (the old picture size); the control window only if it
// was shown, and topmost as Check4 says.
TEST_F(FullScreenTest, FitsTheScreenAndComesBackExactly)
{
    // The screen, the movie window's own screen (none: the screen), the picture in full screen,
    // whether the control window was shown, Check4.
    const std::tuple<QSize, QRect, QRect, bool, int> cases[] = {
        {{1024, 768}, {}, {10, 11, 1002, 752}, true, 1},
        {{1920, 1080}, {}, {254, 14, 1411, 1058}, true, 0},  // the height limits
        {{1920, 1080}, {1920, 0, 1280, 1024}, {10, 43, 1258, 944}, false, 0}};
    for (const auto& [screenSize, windowScreen, picture, controlShown, check4] : cases) {
        windows.screen = screenSize;
        windows.windowScreen = windowScreen;
        form1->setVisible(controlShown);
        quietly(form1->Check4, [&] { form1->Check4->setValue(check4); });
        windows.setTopMost(&form2(), check4 == 0);  // what it was before does not count
        QStringList expected = state();
        expected[4] = check4 == 1 ? "topmost" : "not topmost";
        EXPECT_EQ(expected[12], "text #0000ff");  // blue at start, whatever the background
        const QRect screen = windowScreen.isNull() ? QRect({0, 0}, screenSize) : windowScreen;

        form1->Command22->click();
        EXPECT_EQ(std::tuple(lastMove(), state()),
            std::tuple(picture, QStringList{text(screen), "0", "", "control hidden", "topmost",
                                    "full", "F解", "FullScreen解除", "---+++++++--++-----+",
                                    QStringLiteral("strip at 0,0 %1 wide").arg(screen.width()),
                                    "strip right", "idle cursor counted", "text #ffffff"}));
        form1->List2->setListIndex(1 - form1->List2->ListIndex());  // opened while full: fitted too
        EXPECT_EQ(std::tuple(form2().Label1->height(), lastMove(), form2().Label1->toolTip()),
            std::tuple(screen.height(), picture, ""));

        form2().me_full->trigger();
        EXPECT_EQ(std::tuple(state(), lastMove()), std::tuple(expected, QRect(10, 10, 320, 240)));
    }
}

// The menu item asks only while Command22 is enabled, as the button, which cannot be pressed
// then; the movie window's double-clicks and double presses likewise (movie_mouse_test).
// Emptying the list in full screen ends it first: nothing could end it afterwards, and the
// control window would stay hidden.
TEST_F(FullScreenTest, MenuItemActsOnlyWhileCommand22IsEnabledAndResetAllEndsFullScreenFirst)
{
    form1->Command22->setEnabled(false);
    clearSent();
    form2().me_full->trigger();
    EXPECT_EQ(std::tuple(form1->Command22->text(), sent()), std::tuple("Full", QStringList()));

    form1->Command22->setEnabled(true);
    const QStringList before = state();
    form1->Command22->click();
    form1->reset_all();
    EXPECT_EQ(std::tuple(state().mid(0, 2), form1->isVisible(), windows.isFullScreen(&form2())),
        std::tuple(before.mid(0, 2), true, false));
}

// "Set": the size dialog opens with the movie window lifted; once it has closed, whichever way,
// the window is topmost again exactly when Check4 is ticked.
TEST_F(FullScreenTest, SizeDialogUnderTheTopmostRule)
{
    // Check4, the button that closes the dialog (none: its window's close), the width after.
    const std::tuple<int, const char*, int> cases[] = {{1, "Command1", 663}, {0, "Command1", 663},
        {1, "Command2", 343}, {0, "Command2", 343}, {1, nullptr, 343}};
    for (const auto& [check4, button, width] : cases) {
        form2().resize(343, 263);
        quietly(form1->Check4, [&] { form1->Check4->setValue(check4); });
        windows.setTopMost(&form2(), true);
        withDialog([&] { form1->Command23->click(); },
            [&](QWidget& dialog) {
                EXPECT_FALSE(windows.isTopMost(&form2()));  // lifted while open
                dialog.findChild<QLineEdit*>("Text1")->setText("640");
                button ? dialog.findChild<QPushButton*>(button)->click() : void(dialog.close());
            });
        EXPECT_EQ(std::tuple(windows.isTopMost(&form2()), form2().width()),
            std::tuple(check4 == 1, width));
    }
}

}  // namespace
