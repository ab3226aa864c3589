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
        for (QWidget* w : std::initializer_list<QWidget*>{
                 form1->Command2, form1->Command3, form1->Command4, form1->Command5,
                 form1->Command6, form1->Command7, form1->Command8, form1->Command9,
                 form1->Command10, form1->Command11, form1->Command13, form1->Command14,
                 form1->Command15, form1->Command19, form1->Command21, form1->Command22,
                 form1->Command23, form1->Check6, form1->cmdUp, form1->cmdDown, form1->HScroll1})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        Form2& m = form2();
        for (MenuItem* item : {m.me_kake, m.me_s_t, m.me_wari, m.m_mae, m.m_yugi, m.me_full,
                               m.me_teisi})
            EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
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
