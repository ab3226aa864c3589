// Presses on the picture, the popup menu, dragging, and the idle cursor of full screen.
#include "controls/list_box.h"
#include "form_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace {

class MovieMouse : public FormFixture {
protected:
    void SetUp() override
    {
        load("/m/a.mpg");
        video = form1->video.mci_hwnd;
        ASSERT_TRUE(windows.hooked(video));
    }
    void TearDown() override { form2().menu0->hide(); }

    // Presses `count` times, then lets the counting window run out.
    int fullScreenRequestsAfter(int count)
    {
        QSignalSpy spy(&form2(), &Form2::fullScreenToggleRequested);
        for (int i = 0; i < count; ++i)
            windows.pressLeft(video);
        form2().Timer3_Timer();
        form2().Timer3_Timer();
        EXPECT_EQ(form2().Label2->text(), "0");
        EXPECT_FALSE(form2().Timer3->isActive());
        return spy.count();
    }

    static void send(QWidget* target, QEvent::Type type, Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button = buttons & Qt::LeftButton ? Qt::LeftButton : Qt::RightButton;
        QMouseEvent e(type, QPointF(3, 3), target->mapToGlobal(QPointF(3, 3)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
    static void press(QWidget* target, Qt::MouseButtons buttons) { send(target, QEvent::MouseButtonPress, buttons); }
    static void doubleClick(QWidget* target) { send(target, QEvent::MouseButtonDblClick, Qt::LeftButton); }

    WId video = 0;
};

}  // namespace

TEST_F(MovieMouse, PressesAreCountedAndPassedOn)
{
    const int before = windows.defaultProcCalls;
    windows.pressLeft(video);
    EXPECT_EQ(form2().Label2->text(), "1");
    EXPECT_TRUE(form2().Timer3->isActive());
    windows.pressLeft(video);
    EXPECT_EQ(form2().Label2->text(), "2");
    EXPECT_EQ(windows.defaultProcCalls, before + 2);
}

TEST_F(MovieMouse, OnlyADoublePressAsksForFullScreenWhileAvailable)
{
    EXPECT_EQ(fullScreenRequestsAfter(1), 0);
    EXPECT_EQ(fullScreenRequestsAfter(2), 1);
    EXPECT_EQ(fullScreenRequestsAfter(3), 0);
    form1->Command22->setEnabled(false);
    EXPECT_EQ(fullScreenRequestsAfter(2), 0);
}

// A press within the counting window restarts the period but not the tick count.
TEST_F(MovieMouse, CountingWindowClosesAtItsSecondTick)
{
    windows.pressLeft(video);
    form2().Timer3_Timer();
    EXPECT_TRUE(form2().Timer3->isActive());
    windows.pressLeft(video);
    QSignalSpy spy(&form2(), &Form2::fullScreenToggleRequested);
    form2().Timer3_Timer();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(form2().click_ticks, 0);
}

// On the picture the menu waits for the press to end; elsewhere it opens at once.
TEST_F(MovieMouse, RightPressOpensTheMenu)
{
    windows.pressRight(video);
    EXPECT_FALSE(form2().menu0->isVisible());
    EXPECT_TRUE(form2().Timer2->isActive());
    form2().Timer2_Timer();
    EXPECT_FALSE(form2().Timer2->isActive());
    EXPECT_TRUE(form2().menu0->isVisible());
    form2().menu0->hide();

    for (QWidget* target : {static_cast<QWidget*>(form2().Label1),
                            static_cast<QWidget*>(form2().Label2),
                            static_cast<QWidget*>(&form2())}) {
        form2().Label2->show();
        press(target, Qt::RightButton);
        EXPECT_TRUE(form2().menu0->isVisible()) << target->objectName().toStdString();
        form2().menu0->hide();
    }
    EXPECT_TRUE(windows.systemMoves.empty());
}

TEST_F(MovieMouse, LeftPressDragsOnlyFromTheSurface)
{
    form2().Label2->show();
    press(form2().Label1, Qt::LeftButton);
    press(form2().Label2, Qt::LeftButton);
    EXPECT_TRUE(windows.systemMoves.empty());
    press(&form2(), Qt::LeftButton | Qt::RightButton);  // both buttons: drag, no menu
    EXPECT_EQ(windows.systemMoves, std::vector<QWidget*>{&form2()});
    EXPECT_FALSE(form2().menu0->isVisible());
}

TEST_F(MovieMouse, DoubleClickOnStripOrSurfaceAsksForFullScreenWhileAvailable)
{
    QSignalSpy spy(&form2(), &Form2::fullScreenToggleRequested);
    doubleClick(form2().Label1);
    doubleClick(&form2());
    form2().Label2->show();
    doubleClick(form2().Label2);  // the placeholder's double-click does nothing
    EXPECT_EQ(spy.count(), 2);
    form1->Command22->setEnabled(false);
    doubleClick(form2().Label1);
    doubleClick(&form2());
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(MovieMouse, IdleCursorIsParkedAfterTenTicksAndFreedOverTheStrip)
{
    Form2& m = form2();
    windows.screen = QSize(1280, 1024);
    windows.cursor = QPoint(500, 400);
    m.Timer1->setInterval(1000);
    m.Timer1->start();
    m.Timer1_Timer();  // first sight of the cursor
    for (int i = 0; i < 9; ++i)
        m.Timer1_Timer();
    EXPECT_TRUE(windows.cursorMoves.empty());
    m.Timer1_Timer();
    EXPECT_EQ(windows.cursorMoves, std::vector<QPoint>{QPoint(1280, 2)});
    EXPECT_FALSE(m.Timer1->isActive());
    EXPECT_EQ(m.cursor_parked, 1);

    m.Label1_MouseMove(Qt::NoButton, 150, 45);  // remembered as the first movement
    EXPECT_EQ(m.cursor_parked, 1);
    m.Label1_MouseMove(Qt::NoButton, 150, 45);  // the same place is no movement
    EXPECT_EQ(m.cursor_parked, 1);
    m.Label1_MouseMove(Qt::NoButton, 165, 45);
    EXPECT_EQ(windows.cursorMoves.back(), QPoint(640, 0));
    EXPECT_TRUE(m.Timer1->isActive());
    EXPECT_EQ(m.cursor_parked, 0);
    EXPECT_EQ(m.idle_ticks, 0);

    // The first movement is kept for the whole run: moving back to it frees nothing.
    windows.cursor = windows.cursorMoves.back();
    for (int i = 0; i < 11; ++i)
        m.Timer1_Timer();
    ASSERT_EQ(m.cursor_parked, 1);
    const auto moves = windows.cursorMoves.size();
    m.Label1_MouseMove(Qt::NoButton, 150, 45);
    EXPECT_EQ(windows.cursorMoves.size(), moves);
    EXPECT_EQ(m.cursor_parked, 1);
}

TEST_F(MovieMouse, MovingCursorIsNotParked)
{
    Form2& m = form2();
    for (int i = 0; i < 30; ++i) {
        windows.cursor = QPoint(i, i);
        m.Timer1_Timer();
    }
    EXPECT_TRUE(windows.cursorMoves.empty());
    EXPECT_EQ(m.cursor_parked, 0);
}
