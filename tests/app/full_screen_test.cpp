// Full screen both ways: the numbers of each screen, the round trip, a movie opened while full,
// who may ask for it, and the size dialog's topmost rule.
#include "controls/check_box.h"
#include "controls/list_box.h"
#include "controls/menu_item.h"
#include "form_fixture.h"
#include "movie/full_screen.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

// What full screen changes and leaving must give back.
struct WindowState {
    QRect movie;
    std::int32_t back;
    QString tip;
    bool controlVisible, topmost, fullScreen;
    QString command22, me_full;
    std::vector<bool> menuVisible;
    bool operator==(const WindowState&) const = default;
};

void PrintTo(const WindowState& s, std::ostream* os)
{
    *os << s.movie.x() << ',' << s.movie.y() << ' ' << s.movie.width() << 'x' << s.movie.height()
        << " back " << s.back << " tip \"" << s.tip.toStdString() << "\" control " << s.controlVisible
        << " topmost " << s.topmost << " full " << s.fullScreen << ' ' << s.command22.toStdString();
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
    // Presses Command22 as the user does.
    void toggle() { form1->Command22->click(); }

    WindowState state()
    {
        Form2& m = form2();
        std::vector<bool> menu;
        for (QAction* a : m.menu0->actions())
            menu.push_back(a->isVisible());
        return {m.geometry(), m.BackColor(), m.Label1->toolTip(), form1->isVisible(),
                windows.isTopMost(&m), windows.isFullScreen(&m), form1->Command22->text(),
                m.me_full->text(), menu};
    }
    const FakeWindowLayer::Move& lastMove() { return windows.moves.back(); }
};

const std::vector<bool> FullScreenMenu = {false, false, false, true,  true,  true,  true,
                                          true,  true,  true,  false, false, true,  true,
                                          false, false, false, false, false, true};

}  // namespace

TEST_F(FullScreenTest, FitsEachScreenAndComesBackExactly)
{
    struct Case {
        QSize screen;
        QRect picture;
    } cases[] = {
        {{1024, 768}, {10, 11, 1002, 752}},
        {{1280, 1024}, {10, 43, 1258, 944}},
        {{1920, 1080}, {254, 14, 1411, 1058}},  // the height limits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen.width());
        windows.screen = c.screen;
        const WindowState before = state();
        toggle();
        const auto& move = lastMove();
        EXPECT_EQ(move.hwnd, FakeMediaEngine::DefaultVideoWindow);
        EXPECT_EQ(QRect(move.x, move.y, move.width, move.height), c.picture);
        EXPECT_EQ((std::array{form1->geometry->mov_w, form1->geometry->mov_h}),
                  (std::array{c.picture.width(), c.picture.height()}));
        EXPECT_EQ(state(), (WindowState{QRect({0, 0}, c.screen), 0, "", false, true, true, "F解",
                                        "FullScreen解除", FullScreenMenu}));
        Form2& m = form2();
        EXPECT_EQ(m.Label1->geometry(), QRect({0, 0}, c.screen));
        EXPECT_EQ(m.Label1->alignment(), Qt::AlignRight | Qt::AlignTop);
        EXPECT_EQ(m.Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_EQ(m.Timer1->interval(), 1000);
        EXPECT_TRUE(m.Timer1->isActive());

        m.me_full->trigger();
        EXPECT_EQ(state(), before);
        EXPECT_EQ(QRect(lastMove().x, lastMove().y, lastMove().width, lastMove().height),
                  QRect(10, 10, 320, 240));
        EXPECT_EQ(m.Label1->alignment(), Qt::AlignLeft | Qt::AlignTop);
        EXPECT_EQ(m.Label1->y(), 263 - 13);
        EXPECT_FALSE(m.Timer1->isActive());
    }
}

// The control window comes back only if it was shown; topmost follows Check4 whatever the
// movie window was before.
TEST_F(FullScreenTest, LeavingFollowsCheck4AndTheControlWindowsVisibility)
{
    struct Case {
        bool controlVisible;
        int check4;
        bool topmostBefore;
        bool topmostAfter;
    } cases[] = {
        {true, 1, false, true},
        {false, 1, true, true},
        {true, 0, true, false},
        {false, 0, false, false},
    };
    for (const Case& c : cases) {
        form1->setVisible(c.controlVisible);
        {
            const QSignalBlocker quiet(form1->Check4);
            form1->Check4->setValue(c.check4);
        }
        windows.setTopMost(&form2(), c.topmostBefore);
        toggle();
        EXPECT_FALSE(form1->isVisible());
        form1->fullScreen->Command22_Click();
        EXPECT_EQ(form1->isVisible(), c.controlVisible);
        EXPECT_EQ(windows.isTopMost(&form2()), c.topmostAfter);
        EXPECT_TRUE(form2().isVisible());
    }
}

TEST_F(FullScreenTest, MovieOpenedWhileFullIsFittedAndLeavingGivesTheOldSize)
{
    windows.screen = {1024, 768};
    const WindowState before = state();
    toggle();
    engine.setDestinationSize({1002, 752});
    form1->List2->setListIndex(1);
    EXPECT_EQ(QRect(lastMove().x, lastMove().y, lastMove().width, lastMove().height),
              QRect(10, 11, 1002, 752));
    EXPECT_EQ(form2().Label1->toolTip(), "");
    EXPECT_EQ(form2().Label1->text(), "b.mpg　");
    toggle();
    EXPECT_EQ(state(), before);
}

// Several screens: the one the movie window stands on.
TEST_F(FullScreenTest, CoversTheMovieWindowsOwnScreen)
{
    windows.windowScreen = QRect(1920, 0, 1280, 1024);
    toggle();
    EXPECT_EQ(form2().geometry(), QRect(1920, 0, 1280, 1024));
    EXPECT_EQ(QRect(lastMove().x, lastMove().y, lastMove().width, lastMove().height),
              QRect(10, 43, 1258, 944));
}

// Every caller but the button itself checks Command22; with no movie open none does anything.
TEST_F(FullScreenTest, CallersActOnlyWhileCommand22IsEnabled)
{
    const std::pair<const char*, std::function<void()>> callers[] = {
        {"Command22", [&] { form1->Command22->click(); }},
        {"me_full", [&] { form2().me_full->trigger(); }},
        {"Form_DblClick", [&] { form2().Form_DblClick(); }},
        {"Label1_DblClick", [&] { form2().Label1_DblClick(); }},
        {"double press",
         [&] {
             windows.pressLeft(form1->video.mci_hwnd);
             windows.pressLeft(form1->video.mci_hwnd);
             form2().Timer3_Timer();
             form2().Timer3_Timer();
         }},
    };
    for (const auto& [name, call] : callers) {
        SCOPED_TRACE(name);
        form1->Command22->setEnabled(true);
        call();
        EXPECT_EQ(form1->Command22->text(), "F解");
        call();
        EXPECT_EQ(form1->Command22->text(), "Full");
        form1->Command22->setEnabled(false);
        clearSent();
        call();
        EXPECT_EQ(form1->Command22->text(), "Full");
        EXPECT_TRUE(sent().isEmpty());
    }
}

// Emptying the list in full screen ends full screen first: nothing could end it afterwards, and
// the control window would stay hidden.
TEST_F(FullScreenTest, ResetAllEndsFullScreenFirst)
{
    const QRect place = form2().geometry();
    toggle();
    form1->reset_all();
    EXPECT_EQ(form1->Command22->text(), "Full");
    EXPECT_FALSE(form1->Command22->isEnabled());
    EXPECT_TRUE(form1->isVisible());
    EXPECT_EQ(form2().geometry(), place);
    EXPECT_FALSE(windows.isFullScreen(&form2()));
}

// "Set": the size dialog opens with the movie window lifted; after it closes, whichever way,
// the window is topmost again exactly when Check4 is ticked.
TEST_F(FullScreenTest, SizeDialogUnderTheTopmostRule)
{
    const auto press = [](const char* button) {
        return [button](QWidget* dialog) { dialog->findChild<QPushButton*>(button)->click(); };
    };
    const auto escape = [](QWidget* dialog) { dialog->close(); };
    struct Case {
        int check4;
        std::function<void(QWidget*)> close;
        int width;  // of the movie window afterwards, pixels
    } cases[] = {
        {1, press("Command1"), 640 + 23}, {0, press("Command1"), 640 + 23},
        {1, press("Command2"), 343},      {0, press("Command2"), 343},
        {1, escape, 343},
    };
    for (const Case& c : cases) {
        form2().resize(343, 263);
        {
            const QSignalBlocker quiet(form1->Check4);
            form1->Check4->setValue(c.check4);
        }
        windows.setTopMost(&form2(), true);
        bool liftedWhileOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            liftedWhileOpen = !windows.isTopMost(&form2());
            dialog->findChild<QLineEdit*>("Text1")->setText("640");
            c.close(dialog);
        });
        form1->Command23->click();
        EXPECT_TRUE(liftedWhileOpen);
        EXPECT_EQ(windows.isTopMost(&form2()), c.check4 == 1);
        EXPECT_EQ(form2().width(), c.width);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}
