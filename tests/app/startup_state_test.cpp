// The nothing-open state, as start-up with an empty command line leaves it and reset_all brings
// it back, and what only start-up does.
// Checks: reset_all.cpp, form_load.cpp, form_unload.cpp, loop_options.cpp, form1.cpp (src/app);
// form2.cpp, form2_menu.cpp, keep_in_front.cpp, video_window.cpp (src/movie); check_box.cpp,
// menu_item.cpp (src/controls).
#include "form_fixture.h"

#include <QComboBox>
#include <gmock/gmock.h>

// reset_all called that many times after a start-up with two movies (none: an empty command
// line); each call closes the device, successfully while a movie is open, and gives the video
// window's procedure back then.
TEST_F(FormFixture, NothingOpenEveryMovieControlOffAndTheCaptionsBack)
{
    const std::tuple<int, QList<bool>, int> cases[] = {{0, {}, 0}, {1, {true}, 1}, {2, {false}, 0}};
    for (const auto& [calls, closedOk, procChanged] : cases) {
        SCOPED_TRACE(calls);
        form1 = std::make_unique<Form1>(*services);
        clearSent();
        load(calls ? "/m/a.mpg /m/b.mpg" : "");
        const WId video = form1->video.mci_hwnd;
        form1->Line1->setVisible(calls > 0);
        int procChanges = windows.procChanges;
        for (int i = 0; i < calls; ++i) {
            procChanges = windows.procChanges;
            clearSent();
            form1->reset_all();
        }
        QList<bool> closed;
        for (int rc : device.results())
            closed << (rc == 0);
        QList<QWidget*> off = movieControls();
        off << form1->Combo1;  // the drive list belongs to Video-CD mode
        for (QWidget* w : form1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            EXPECT_EQ(w->isEnabled(), !off.contains(w)) << w->objectName().toStdString();
        for (QAction* item : movieMenuItems())
            EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
        EXPECT_THAT(std::tuple(sent(), closed, windows.procChanges - procChanges,
                        windows.hooked(video), engine.isOpen(), boxes()),
            testing::FieldsAre(QStringList(closedOk.size(), "close avfile"), closedOk, procChanged,
                false, false, QString()));
        EXPECT_THAT(
            std::tuple(form1->List1->ListCount(), form1->List2->ListCount(), selected(),
                form1->Timer1->isActive(),
                QStringList({form1->Command2->text(), form1->Label1->text(), form1->Label2->text(),
                    form1->Label3->text(), form1->Label4->text(), form1->List2->toolTip()}),
                form1->Line1->isVisibleTo(form1.get()), form1->Line2->isVisibleTo(form1.get())),
            testing::FieldsAre(0, 0, -1, false,
                QStringList({"|>", "ファイル名", "ﾌﾚｰﾑor時間", "SPEED", "ﾘｽﾄ数", "再生ﾌｧｲﾙﾘｽﾄ"}),
                false, false));
        // The strip and the placeholder of a 5145 x 3945 twip window: 200 twips above the bottom,
        // 130 in; 150 in, 345 smaller (the video window's place).
        Form2& m = form2();
        EXPECT_THAT(std::tuple(m.Label1->text(), m.windowTitle(), m.Label1->toolTip(),
                        m.Label1->geometry().topLeft(), m.Label1->width(), m.Label2->geometry(),
                        m.Label2->isVisible()),
            testing::FieldsAre(QString("Movie"), QString("Movie - ReelBox"), QString(),
                QPoint(9, 250), 343, QRect(10, 10, 320, 240), true));
    }
}

// Start-up switches the screen saver off (and keeps it off: the keeper switches it off again),
// shows the movie window in front as Check4 says, and ticks Loop after the movie window's load,
// which enables "selected only" again. Code-set values run their handlers at once: the loop
// options and their menu mirror. Setting a menu mark runs nothing; choosing an item runs its
// handler, and the handler sets the mark.
TEST_F(StartedForm, StartUpStateAndTheOptionsMirrorEachOther)
{
    // The buttons' captions are read as their names in the keyboard scenario, the window's title
    // and the screen saver switched off by every scenario that finds the program started.
    Form2& m = form2();
    EXPECT_THAT(std::tuple(form1->File1->Pattern(), form1->Timer3->isActive(), m.isVisible(),
                    windows.isTopMost(&m), m.topw1->Checked()),
        testing::FieldsAre(
            "*.dat;*.mpg;*.mpeg;*.avi;*.mp4;*.m4v;*.mkv;*.webm;*.mov;*.ts;*.m2ts;*.mts;*.wmv;"
            "*.asf;*.flv;*.ogv;*.3gp",
            true, true, true, true));
    const auto state = [&] {
        return QString::asprintf("Check3 %d Check7 %d%s, menu %s%s%s", form1->Check3->Value(),
            form1->Check7->Value(), form1->Check7->isEnabled() ? "" : " off",
            m.me_loop->Checked() ? "v" : "-", m.me_loop_only->Checked() ? "v" : "-",
            m.me_loop_only->isEnabled() ? "" : " off");
    };
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[] {}, "Check3 1 Check7 0, menu v-"},
        {[&] { form1->Check7->setValue(1); }, "Check3 1 Check7 1, menu vv"},
        {[&] { form1->Check3->setValue(0); },
            "Check3 0 Check7 0 off, menu -- off"},  // clears "selected only"
        {[&] { m.me_loop->trigger(); }, "Check3 1 Check7 0, menu v-"},
        {[&] { m.me_loop_only->trigger(); }, "Check3 1 Check7 1, menu vv"},
        {[&] { m.me_loop_only->trigger(); }, "Check3 1 Check7 0, menu v-"},
    };
    for (const auto& [step, after] : steps) {
        step();
        EXPECT_EQ(state(), after);
    }
    screenSaver.changes.clear();
    form1->Timer3_Timer();  // still off: nothing to do
    screenSaver.active = true;  // somebody switched it on, and it goes off again
    form1->Timer3_Timer();
    EXPECT_EQ(screenSaver.changes, std::vector<bool>{false});
}
