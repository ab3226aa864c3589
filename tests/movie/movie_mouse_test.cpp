// Presses on the picture, the popup menu, dragging, and the idle cursor of full screen.
// Checks: form2_mouse.cpp, form2.cpp (src/movie).
#include "form_fixture.h"

#include <QMenu>

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

// Left presses on the picture ("p") and ticks of the counting window ("t"): each press is counted
// on the placeholder and passed on to the window's own procedure; two presses in one window ask
// for full screen while it is available, one or three do not. A press restarts the period but
// not the tick count, so the window closes at its second tick. A right press on the picture opens
// the menu once the press has ended (Timer2); elsewhere the menu opens at once.
TEST_F(MovieMouse, PressesOnThePicture)
{
    const std::tuple<const char*, bool, int> cases[] = {{"ptt", true, 0}, {"pptt", true, 1},
        {"ppptt", true, 0}, {"pptt", false, 0}, {"ptpt", true, 1}};
    for (const auto& [events, available, requests] : cases) {
        SCOPED_TRACE(events);
        form1->Command22->setEnabled(available);
        QSignalSpy spy(&form2(), &Form2::fullScreenToggleRequested);
        const int passedOn = windows.defaultProcCalls;
        int presses = 0;
        for (const char* e = events; *e; ++e) {
            *e == 'p' ? void((windows.pressLeft(video), ++presses)) : form2().Timer3_Timer();
            const bool counting = e[1] != 0;  // until the last event
            EXPECT_EQ(std::tuple(form2().Timer3->isActive(), form2().Label2->text()),
                std::tuple(counting, QString::number(counting ? presses : 0)))
                << e - events;
        }
        EXPECT_EQ(std::tuple(spy.count(), windows.defaultProcCalls - passedOn),
            std::tuple(requests, presses));
    }
    windows.pressRight(video);
    EXPECT_EQ(std::tuple(form2().menu0->isVisible(), form2().Timer2->isActive()),
        std::tuple(false, true));
    form2().Timer2_Timer();
    EXPECT_EQ(std::tuple(form2().menu0->isVisible(), form2().Timer2->isActive()),
        std::tuple(true, false));
}

// Mouse events on the strip (Label1), the placeholder (Label2) and the window's surface, as a
// script: "p" a press of the row's buttons, "r" the release, "d" a left double click, "1" and "F"
// moves that far from the press ("F" past the drag distance). A right press opens the menu; a
// double click asks for full screen while it is available, not on the placeholder. A drag from
// the surface is handed to the window system only once the pointer has moved past the drag
// distance with the left button down, so a double click stays a double click; moving with the
// right button alone, or after the release, drags nothing. (A double click on the surface and a
// drag from it alone: the surface scenario.)
TEST_F(MovieMouse, MouseOnStripPlaceholderAndSurface)
{
    Form2& m = form2();
    const int far = QApplication::startDragDistance() + 1;
    const Qt::MouseButtons left = Qt::LeftButton, right = Qt::RightButton, both = left | right;
    // Where, the script, the buttons pressed, whether full screen is available; then whether the
    // menu is open, the requests for full screen and the drags handed to the window system.
    const std::tuple<QWidget*, const char*, Qt::MouseButtons, bool, bool, int, std::size_t>
        cases[] = {{m.Label1, "p", right, true, true, 0, 0},
            {m.Label2, "p", right, true, true, 0, 0}, {&m, "p", right, true, true, 0, 0},
            {m.Label1, "d", left, true, false, 1, 0}, {m.Label2, "d", left, true, false, 0, 0},
            {m.Label1, "d", left, false, false, 0, 0}, {&m, "d", left, false, false, 0, 0},
            {&m, "p1", left, true, false, 0, 0}, {&m, "p1FF", left, true, false, 0, 1},
            {&m, "pF", both, true, false, 0, 1}, {&m, "pF", right, true, true, 0, 0},
            {&m, "prF", left, true, false, 0, 0}, {&m, "prdF", left, true, false, 1, 0}};
    for (const auto& [target, events, buttons, available, menu, requests, drags] : cases) {
        SCOPED_TRACE(testing::Message() << target->objectName().toStdString() << " " << events
                                        << (available ? "" : " unavailable"));
        form1->Command22->setEnabled(available);
        m.Label2->show();
        windows.systemMoves.clear();
        QSignalSpy spy(&m, &Form2::fullScreenToggleRequested);
        Qt::MouseButtons down = Qt::NoButton;
        for (const char* e = events; *e; ++e) {
            const bool move = *e == '1' || *e == 'F';
            const QEvent::Type type = move        ? QEvent::MouseMove
                                      : *e == 'p' ? QEvent::MouseButtonPress
                                      : *e == 'r' ? QEvent::MouseButtonRelease
                                                  : QEvent::MouseButtonDblClick;
            const Qt::MouseButton button = move                             ? Qt::NoButton
                                           : *e == 'p' && !(buttons & left) ? Qt::RightButton
                                                                            : Qt::LeftButton;
            down = *e == 'p' ? buttons : *e == 'r' ? Qt::NoButton : *e == 'd' ? left : down;
            const QPointF at(3 + (*e == 'F' ? far : move ? 1 : 0), 3);
            QMouseEvent event(type, at, target->mapToGlobal(at), button, down, Qt::NoModifier);
            QApplication::sendEvent(target, &event);
        }
        EXPECT_EQ(std::tuple(m.menu0->isVisible(), spy.count(), windows.systemMoves.size()),
            std::tuple(menu, requests, drags));
        m.menu0->hide();
    }
}

// The idle cursor of full screen: parked at the screen's top right after ten ticks without moving
// (the first tick only sees it); a movement over the strip away from the first one seen brings it
// to the top middle and counts again; the first movement is kept for the whole run. A cursor that
// keeps moving is never parked. Leaving full screen ends the watch: the strip then frees nothing.
// That the parking jump itself frees nothing is the parking scenario.
TEST_F(MovieMouse, IdleCursorIsParkedAndFreedOverTheStrip)
{
    Form2& m = form2();
    windows.screen = QSize(1280, 1024);
    form1->Command22->click();
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
    ticks(10);
    EXPECT_TRUE(windows.cursorMoves.empty());
    ticks(1);
    EXPECT_EQ(std::tuple(windows.cursorMoves, m.Timer1->isActive()),
        std::tuple(std::vector<QPoint>{parked}, false));

    for (int x : {150, 150, 165})  // the first movement, the same place, away from it
        m.Label1_MouseMove(Qt::NoButton, x, 45);
    EXPECT_EQ(std::tuple(windows.cursorMoves, m.Timer1->isActive()),
        std::tuple(std::vector<QPoint>{parked, freed}, true));

    windows.cursor = freed;
    ticks(11);
    m.Label1_MouseMove(Qt::NoButton, 150, 45);  // back at the first movement: nothing freed
    EXPECT_EQ(windows.cursorMoves, (std::vector<QPoint>{parked, freed, parked}));

    form1->Command22->click();  // parked as full screen ends
    m.Label1_MouseMove(Qt::NoButton, 165, 45);
    EXPECT_EQ(std::tuple(windows.cursorMoves.size(), m.Timer1->isActive(), m.cursor_parked),
        std::tuple(3u, false, 0));
}

}  // namespace
