// Presses on the picture, the popup menu, dragging, and the idle cursor of full screen.
#include "form_fixture.h"

#include <QMenu>
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
}

// A right press on the picture opens the menu once the press has ended (Timer2); elsewhere the
// menu opens at once.
TEST_F(MovieMouse, RightPressOnThePictureOpensTheMenuAfterwards)
{
    windows.pressRight(video);
    EXPECT_EQ(std::tuple(form2().menu0->isVisible(), form2().Timer2->isActive()),
        std::tuple(false, true));
    form2().Timer2_Timer();
    EXPECT_EQ(std::tuple(form2().menu0->isVisible(), form2().Timer2->isActive()),
        std::tuple(true, false));
}

// Mouse events on the strip (Label1), the placeholder (Label2) and the window's surface: the menu,
// (no drag from a press alone: below) and double-clicks asking for full screen while it is
// available (not on the placeholder).
TEST_F(MovieMouse, MouseOnStripPlaceholderAndSurface)
{
    Form2& m = form2();
    const QEvent::Type pressed = QEvent::MouseButtonPress, doubled = QEvent::MouseButtonDblClick;
    const Qt::MouseButtons left = Qt::LeftButton, right = Qt::RightButton, both = left | right;
    const struct {
        QWidget* target;
        QEvent::Type type;
        Qt::MouseButtons buttons;
        bool available, menu;
        int requests;
    } cases[] = {{m.Label1, pressed, right, true, true, 0},
        {m.Label2, pressed, right, true, true, 0}, {&m, pressed, right, true, true, 0},
        {m.Label1, pressed, left, true, false, 0}, {m.Label2, pressed, left, true, false, 0},
        {&m, pressed, both, true, false, 0}, {m.Label1, doubled, left, true, false, 1},
        {&m, doubled, left, true, false, 1}, {m.Label2, doubled, left, true, false, 0},
        {m.Label1, doubled, left, false, false, 0}, {&m, doubled, left, false, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        form1->Command22->setEnabled(c.available);
        m.Label2->show();
        windows.systemMoves.clear();
        QSignalSpy spy(&m, &Form2::fullScreenToggleRequested);
        const Qt::MouseButton button = c.buttons & Qt::LeftButton ? Qt::LeftButton
                                                                  : Qt::RightButton;
        QMouseEvent e(c.type, QPointF(3, 3), c.target->mapToGlobal(QPointF(3, 3)), button,
            c.buttons, Qt::NoModifier);
        QApplication::sendEvent(c.target, &e);
        EXPECT_EQ(std::tuple(m.menu0->isVisible(), windows.systemMoves.size(), spy.count()),
            std::tuple(c.menu, 0u, c.requests));
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
    const std::tuple<const char*, Qt::MouseButtons, std::size_t> cases[] = {
        {"p1", Qt::LeftButton, 0}, {"pF", Qt::LeftButton, 1}, {"p1FF", Qt::LeftButton, 1},
        {"pF", both, 1}, {"pF", Qt::RightButton, 0}, {"prF", Qt::LeftButton, 0},
        {"prdF", Qt::LeftButton, 0}};
    // Each event: its type, the buttons down during it, the button it is about.
    const std::map<char, std::tuple<QEvent::Type, Qt::MouseButtons, Qt::MouseButton>> kinds = {
        {'p', {QEvent::MouseButtonPress, {}, Qt::LeftButton}},
        {'r', {QEvent::MouseButtonRelease, Qt::NoButton, Qt::LeftButton}},
        {'d', {QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton}}};
    for (const auto& [events, buttons, drags] : cases) {
        SCOPED_TRACE(events);
        windows.systemMoves.clear();
        Qt::MouseButtons down = Qt::NoButton;
        for (const char* e = events; *e; ++e) {
            const bool move = !kinds.count(*e);
            const auto [type, held,
                button] = move ? std::tuple(QEvent::MouseMove, down, Qt::NoButton) : kinds.at(*e);
            down = *e == 'p' ? buttons : held;
            const QPointF at = QPointF(3, 3) + QPointF(!move ? 0 : *e == 'F' ? far : 1, 0);
            QMouseEvent event(type, at, m.mapToGlobal(at), button, down, Qt::NoModifier);
            QApplication::sendEvent(&m, &event);
        }
        EXPECT_EQ(windows.systemMoves.size(), drags);
        m.menu0->hide();
    }
}

// Esc asks nothing while full screen is off; in full screen it leaves (the surface scenario).
TEST_F(MovieMouse, EscOutsideFullScreenAsksNothing)
{
    QSignalSpy spy(&form2(), &Form2::fullScreenToggleRequested);
    QTest::keyClick(&form2(), Qt::Key_Escape);
    EXPECT_EQ(spy.count(), 0);
}

// The idle cursor of full screen: parked at the screen's top right after ten ticks without moving
// (the first tick only sees it); a movement over the strip away from the first one seen brings it
// to the top middle and counts again; the first movement is kept for the whole run. A cursor that
// keeps moving is never parked. That the parking jump itself frees nothing is the parking scenario.
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
}
