// The state the program is in after start-up with an empty command line.
#include "controls/check_box.h"
#include "controls/file_list_box.h"
#include "controls/list_box.h"
#include "controls/menu_item.h"
#include "controls/scroll_bar.h"
#include "form_fixture.h"
#include "playlist/playlist_handlers.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

TEST_F(FormFixture, StartUpDisablesExactlyTheMovieControls)
{
    load();
    QList<QWidget*> off = movieControls();
    off << form1->Combo1;  // the drive list belongs to Video-CD mode
    for (QWidget* w : form1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_EQ(w->isEnabled(), !off.contains(w)) << w->objectName().toStdString();
    EXPECT_EQ(form1->Check3->Value(), 1);
    EXPECT_TRUE(form1->Check7->isEnabled());
    EXPECT_EQ(form1->Check7->Value(), 0);
    EXPECT_EQ(form1->Check4->Value(), 1);
}

TEST_F(FormFixture, StartUpCaptionsAndTimers)
{
    load();
    EXPECT_EQ(form1->windowTitle(), "ReelBox");
    // A few captions as samples of the half- and full-width texts.
    EXPECT_EQ(form1->Command1->text(), "ﾌｧｲﾙ指定");
    EXPECT_EQ(form1->Command9->text(), "■");
    EXPECT_EQ(form1->Command13->text(), "全ﾘｽﾄｸﾘｱ");
    EXPECT_EQ(form1->Label2->text(), "ﾌﾚｰﾑor時間");
    EXPECT_EQ(form1->Check7->text(), "-->　選択のみ");

    EXPECT_FALSE(form1->Timer1->isActive());
    EXPECT_TRUE(form1->Timer3->isActive());
    EXPECT_FALSE(form1->Timer2->isActive());

    EXPECT_EQ(form1->File1->Pattern(), "*.dat;*.mpg;*.mpeg;*.avi");
    EXPECT_EQ(form1->List2->toolTip(), "再生ﾌｧｲﾙﾘｽﾄ");
    EXPECT_FALSE(form1->List1->isVisibleTo(form1.get()));
}

TEST_F(FormFixture, StartUpPlacesTheWindowsAndSwitchesTheScreenSaverOff)
{
    load();
    EXPECT_EQ(form1->Top(), 480);
    EXPECT_EQ(form1->Left(), 480);
    const QString folder = programDir.path() + "/";
    EXPECT_EQ(form1->playlistHandlers->list_dir, folder);
    EXPECT_EQ(form1->playlistHandlers->file_dir, folder);
    EXPECT_EQ(form1->playlistHandlers->save_dir, folder);
    EXPECT_TRUE(form1->cmd_item.isEmpty());
    EXPECT_TRUE(form1->cmd_vcd.isEmpty());

    ASSERT_TRUE(form1->hasForm2());
    EXPECT_TRUE(form2().isVisible());
    EXPECT_TRUE(windows.isTopMost(&form2()));
    EXPECT_TRUE(form2().topw1->Checked());
    EXPECT_EQ(screenSaver.changes, std::vector<bool>{false});
    EXPECT_EQ(form1->List2->ListCount(), 0);
    EXPECT_TRUE(sent().isEmpty());  // nothing to open
}

TEST_F(FormFixture, MovieWindowMenuAtStartUp)
{
    load();
    for (QAction* off : movieMenuItems())
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    Form2& m = form2();
    // Ticking Loop enabled "selected only" again after the movie window's load disabled it.
    EXPECT_TRUE(m.me_loop_only->isEnabled());
    EXPECT_TRUE(m.me_loop->Checked());
    EXPECT_FALSE(m.me_loop_only->Checked());
    EXPECT_EQ(m.Label1->text(), "Movie");
    EXPECT_EQ(m.Label2->text(), "0");
    EXPECT_EQ(m.custom_colors[0], QColor(255, 15, 255));
    EXPECT_EQ(m.custom_colors[15], QColor(255, 255, 255));
}

// Code-set values run their handlers at once: the loop options and their menu mirror.
TEST_F(FormFixture, LoopOptionsFollowEachOther)
{
    load();
    Form2& m = form2();
    form1->Check7->setValue(1);
    EXPECT_TRUE(m.me_loop_only->Checked());
    form1->Check3->setValue(0);  // clears "selected only" with it
    EXPECT_EQ(form1->Check7->Value(), 0);
    EXPECT_FALSE(form1->Check7->isEnabled());
    EXPECT_FALSE(m.me_loop->Checked());
    EXPECT_FALSE(m.me_loop_only->Checked());
    EXPECT_FALSE(m.me_loop_only->isEnabled());

    m.me_loop->trigger();  // the menu ticks Loop again
    EXPECT_EQ(form1->Check3->Value(), 1);
    EXPECT_TRUE(m.me_loop->Checked());
    EXPECT_TRUE(form1->Check7->isEnabled());
    m.me_loop_only->trigger();
    EXPECT_EQ(form1->Check7->Value(), 1);
    m.me_loop_only->trigger();
    EXPECT_EQ(form1->Check7->Value(), 0);
    EXPECT_FALSE(m.me_loop_only->Checked());
}
