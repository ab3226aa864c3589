// Back to the nothing-open state.
#include "controls/check_box.h"
#include "controls/list_box.h"
#include "controls/menu_item.h"
#include "controls/scroll_bar.h"
#include "form_fixture.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

class ResetAll : public FormFixture {
protected:
    void expectNothingOpen()
    {
        EXPECT_EQ(form1->List1->ListCount(), 0);
        EXPECT_EQ(form1->List2->ListCount(), 0);
        EXPECT_EQ(form1->List2->ListIndex(), -1);
        EXPECT_FALSE(form1->Timer1->isActive());
        EXPECT_EQ(form1->Command2->text(), "|>");
        for (QWidget* w : movieControls())
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        for (QAction* item : movieMenuItems())
            EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
        Form2& m = form2();
        EXPECT_EQ(form1->Label1->text(), "ファイル名");
        EXPECT_EQ(form1->Label2->text(), "ﾌﾚｰﾑor時間");
        EXPECT_EQ(form1->Label3->text(), "SPEED");
        EXPECT_EQ(form1->Label4->text(), "ﾘｽﾄ数");
        EXPECT_EQ(form1->List2->toolTip(), "再生ﾌｧｲﾙﾘｽﾄ");
        EXPECT_FALSE(form1->Line1->isVisibleTo(form1.get()));
        EXPECT_FALSE(form1->Line2->isVisibleTo(form1.get()));

        // The strip and the placeholder of a 5145 x 3945 twip window: 200 twips above the
        // bottom, 130 in; 150 in, 345 smaller (the video window's place).
        EXPECT_EQ(m.Label1->text(), "Movie");
        EXPECT_TRUE(m.Label1->toolTip().isEmpty());
        EXPECT_EQ(m.Label1->geometry().topLeft(), QPoint(9, 250));
        EXPECT_EQ(m.Label1->width(), 343);
        EXPECT_EQ(m.Label2->geometry(), QRect(10, 10, 320, 240));
        EXPECT_TRUE(m.Label2->isVisible());
    }
};

}  // namespace

TEST_F(ResetAll, WhileAMovieIsOpenClosesItAndGivesTheProcedureBack)
{
    load("/m/a.mpg /m/b.mpg");
    const WId video = form1->video.mci_hwnd;
    ASSERT_NE(video, 0u);
    ASSERT_TRUE(windows.hooked(video));
    form1->Line1->show();
    clearSent();

    form1->reset_all();

    EXPECT_EQ(sent(), QStringList({"close avfile"}));
    EXPECT_EQ(device.results().value(0), 0);
    EXPECT_FALSE(windows.hooked(video));
    EXPECT_FALSE(engine.isOpen());
    expectNothingOpen();
}

TEST_F(ResetAll, SecondCallOnlySendsAFailingClose)
{
    load("/m/a.mpg");
    form1->reset_all();
    const auto procChanges = windows.procChanges.size();
    clearSent();

    form1->reset_all();

    EXPECT_EQ(sent(), QStringList({"close avfile"}));
    EXPECT_NE(device.results().value(0), 0);
    EXPECT_EQ(windows.procChanges.size(), procChanges);  // nothing to give back
    EXPECT_TRUE(dialogs.boxes.empty());
    expectNothingOpen();
}
