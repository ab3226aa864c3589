// Presses on the picture, the popup menu, dragging, and the idle cursor of full screen.
#include "controls/list_box.h"
#include "form_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <functional>
#include <map>

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

    WId video = 0;
};

}  // namespace

// Left presses on the picture ("p") and ticks of the counting window ("t"): each press is counted
// on the placeholder and passed on to the window's own procedure; two presses in one window ask
// for full screen while it is available, one or three do not. A press restarts the period but
// not the tick count, so the window closes at its second tick.
TEST_F(MovieMouse, PressesOnThePictureAreCountedAndTwoAskForFullScreen)
{
    const struct {
        const char* events;
        bool available;
        int requests;
    } cases[] = {{"ptt", true, 0}, {"pptt", true, 1}, {"ppptt", true, 0}, {"pptt", false, 0},
        {"ptpt", true, 1}};
    int presses = 0;
    const std::map<char, std::function<void()>> act = {
        {'p', [&] { windows.pressLeft(video), ++presses; }},
        {'t', [&] { form2().Timer3_Timer(); }}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events);
        form1->Command22->setEnabled(c.available);
        QSignalSpy spy(&form2(), &Form2::fullScreenToggleRequested);
        const int passedOn = windows.defaultProcCalls;
        presses = 0;
        for (const char* e = c.events; *e; ++e) {
            act.at (*e)();
            const bool counting = e[1] != 0;  // until the last event
            EXPECT_EQ(form2().Timer3->isActive(), counting) << e - c.events;
            EXPECT_EQ(form2().Label2->text(), QString::number(counting ? presses : 0))
                << e - c.events;
        }
        EXPECT_EQ(spy.count(), c.requests);
        EXPECT_EQ(windows.defaultProcCalls - passedOn, presses);
    }
}

// A right press on the picture opens the menu once the press has ended (Timer2); elsewhere the
// menu opens at once.
TEST_F(MovieMouse, RightPressOnThePictureOpensTheMenuAfterwards)
{
    windows.pressRight(video);
    EXPECT_FALSE(form2().menu0->isVisible());
    EXPECT_TRUE(form2().Timer2->isActive());
    form2().Timer2_Timer();
    EXPECT_FALSE(form2().Timer2->isActive());
    EXPECT_TRUE(form2().menu0->isVisible());
}

// Mouse events on the strip (Label1), the placeholder (Label2) and the window's surface: the menu,
// (no drag from a press alone: below) and double-clicks asking for full screen while it is
// available (not on the placeholder).
TEST_F(MovieMouse, MouseOnStripPlaceholderAndSurface)
{
    Form2& m = form2();
    const Qt::MouseButtons both = Qt::LeftButton | Qt::RightButton;
    const struct {
        QWidget* target;
        QEvent::Type type;
        Qt::MouseButtons buttons;
        bool available, menu;
        std::size_t drags;
        int requests;
    } cases[] = {
        {m.Label1, QEvent::MouseButtonPress, Qt::RightButton, true, true, 0, 0},
        {m.Label2, QEvent::MouseButtonPress, Qt::RightButton, true, true, 0, 0},
        {&m, QEvent::MouseButtonPress, Qt::RightButton, true, true, 0, 0},
        {m.Label1, QEvent::MouseButtonPress, Qt::LeftButton, true, false, 0, 0},
        {m.Label2, QEvent::MouseButtonPress, Qt::LeftButton, true, false, 0, 0},
        {&m, QEvent::MouseButtonPress, both, true, false, 0, 0},  // drags once it moves
        {m.Label1, QEvent::MouseButtonDblClick, Qt::LeftButton, true, false, 0, 1},
        {&m, QEvent::MouseButtonDblClick, Qt::LeftButton, true, false, 0, 1},
        {m.Label2, QEvent::MouseButtonDblClick, Qt::LeftButton, true, false, 0, 0},
        {m.Label1, QEvent::MouseButtonDblClick, Qt::LeftButton, false, false, 0, 0},
        {&m, QEvent::MouseButtonDblClick, Qt::LeftButton, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.target->objectName().toStdString() << " " << c.type << " " << c.buttons);
        form1->Command22->setEnabled(c.available);
        m.Label2->show();
        windows.systemMoves.clear();
        QSignalSpy spy(&m, &Form2::fullScreenToggleRequested);
        const Qt::MouseButton button = c.buttons & Qt::LeftButton ? Qt::LeftButton
                                                                  : Qt::RightButton;
        QMouseEvent e(c.type, QPointF(3, 3), c.target->mapToGlobal(QPointF(3, 3)), button,
            c.buttons, Qt::NoModifier);
        QApplication::sendEvent(c.target, &e);
        EXPECT_EQ(m.menu0->isVisible(), c.menu);
        EXPECT_EQ(windows.systemMoves.size(), c.drags);
        EXPECT_EQ(spy.count(), c.requests);
        m.menu0->hide();
    }
}

// A drag from the window's surface is handed to the window system only once the pointer has moved
// past the drag distance with the left button down ("p" press of the buttons, "r" release, "d"
// double click, digits: a move that far from the press), so a double click stays a double click.
// Moving with the right button alone, or after the release, drags nothing.
TEST_F(MovieMouse, DragStartsOnlyOnceThePointerMoves)
{
    Form2& m = form2();
    const int far = QApplication::startDragDistance() + 1;
    const Qt::MouseButtons both = Qt::LeftButton | Qt::RightButton;
    const struct {
        const char* events;
        Qt::MouseButtons buttons;
        std::size_t drags;
    } cases[] = {{"p1", Qt::LeftButton, 0}, {"pF", Qt::LeftButton, 1}, {"p1FF", Qt::LeftButton, 1},
        {"pF", both, 1}, {"pF", Qt::RightButton, 0}, {"prF", Qt::LeftButton, 0},
        {"prdF", Qt::LeftButton, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events);
        windows.systemMoves.clear();
        const QPointF from(3, 3);
        Qt::MouseButtons down = Qt::NoButton;
        const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButton button) {
            QMouseEvent e(type, at, m.mapToGlobal(at), button, down, Qt::NoModifier);
            QApplication::sendEvent(&m, &e);
        };
        for (const char* e = c.events; *e; ++e) {
            switch (*e) {
            case 'p':
                down = c.buttons, send(QEvent::MouseButtonPress, from, Qt::LeftButton);
                break;
            case 'r':
                down = Qt::NoButton, send(QEvent::MouseButtonRelease, from, Qt::LeftButton);
                break;
            case 'd':
                down = Qt::LeftButton, send(QEvent::MouseButtonDblClick, from, Qt::LeftButton);
                break;
            default:
                send(QEvent::MouseMove, from + QPointF(*e == 'F' ? far : 1, 0), Qt::NoButton);
            }
        }
        EXPECT_EQ(windows.systemMoves.size(), c.drags);
        m.menu0->hide();
    }
}

// Esc asks to leave full screen only while it is on.
TEST_F(MovieMouse, EscLeavesFullScreen)
{
    for (const auto& [caption, requests] : {std::pair{"F解", 1}, {"Full", 0}}) {
        form1->Command22->setText(QString::fromUtf8(caption));
        QSignalSpy spy(&form2(), &Form2::fullScreenToggleRequested);
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&form2(), &esc);
        EXPECT_EQ(spy.count(), requests) << caption;
    }
}

// The idle cursor of full screen: parked at the screen's top right after ten ticks without moving
// (the first tick only sees it); a movement over the strip away from the first one seen brings it
// to the top middle and counts again; the first movement is kept for the whole run. A cursor that
// keeps moving is never parked.
TEST_F(MovieMouse, IdleCursorIsParkedAndFreedOverTheStrip)
{
    Form2& m = form2();
    windows.screen = QSize(1280, 1024);
    const QPoint parked(1280, 2), freed(640, 0);
    const auto ticks = [&](int n) {
        for (int i = 0; i < n; ++i)
            m.Timer1_Timer();
    };
    for (int i = 0; i < 30; ++i) {
        windows.cursor = QPoint(i, i);
        ticks(1);
    }
    EXPECT_TRUE(windows.cursorMoves.empty());
    windows.cursor = QPoint(500, 400);
    m.Timer1->start(1000);
    ticks(10);
    EXPECT_TRUE(windows.cursorMoves.empty());
    ticks(1);
    EXPECT_EQ(windows.cursorMoves, std::vector<QPoint>{parked});
    EXPECT_FALSE(m.Timer1->isActive());

    for (int x : {150, 150, 165})  // the first movement, the same place, away from it
        m.Label1_MouseMove(Qt::NoButton, x, 45);
    EXPECT_EQ(windows.cursorMoves, (std::vector<QPoint>{parked, freed}));
    EXPECT_TRUE(m.Timer1->isActive());

    windows.cursor = freed;
    ticks(11);
    m.Label1_MouseMove(Qt::NoButton, 150, 45);  // back at the first movement: nothing freed
    EXPECT_EQ(windows.cursorMoves, (std::vector<QPoint>{parked, freed, parked}));

    // The X server reports the parking jump as a movement over the strip, where the cursor
    // landed: not the user's, nothing freed. A movement anywhere else frees it.
    for (const QPoint at : {parked, parked + QPoint(-5, 3)}) {
        const QPointF local = m.Label1->mapFromGlobal(QPointF(at));
        QMouseEvent move(
            QEvent::MouseMove, local, QPointF(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m.Label1, &move);
    }
    EXPECT_EQ(windows.cursorMoves, (std::vector<QPoint>{parked, freed, parked, freed}));
}
