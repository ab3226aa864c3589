// The controls and the movie window's menu items run the playback and geometry handlers.
#include "controls/menu_item.h"
#include "movie/form2.h"
#include "playback_fixture.h"

#include <functional>

namespace {

class Wiring : public PlaybackFixture {
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        openEntries({"/m/a.mpg", "/m/b.mpg"});
    }
    // What one user action sends.
    QStringList sentBy(const std::function<void()>& action)
    {
        clearSent();
        action();
        return sent();
    }
};

TEST_F(Wiring, ButtonsRunTheirHandlers)
{
    EXPECT_EQ(sentBy([&] { form1->Command2->click(); }).last(), "play avfile window");
    EXPECT_EQ(sentBy([&] { form1->Command2->click(); }), QStringList({"stop avfile"}));
    EXPECT_EQ(sentBy([&] { form1->Command9->click(); }).first(), "seek avfile to 0");
    EXPECT_EQ(sentBy([&] { form1->Command5->click(); }).last(), "step avfile");
    EXPECT_EQ(sentBy([&] { form1->Command6->click(); }).at(1), "status avfile position");
    EXPECT_EQ(sentBy([&] { form1->Command3->click(); }).last(), "set avfile speed 1250");
    EXPECT_EQ(sentBy([&] { form1->Command14->click(); }).last(), "set avfile speed 1000");
    EXPECT_EQ(sentBy([&] { form1->Command4->click(); }).first(), "where avfile source");
    EXPECT_EQ(sentBy([&] { form1->Command7->click(); }).first(), "where avfile destination");
    EXPECT_EQ(sentBy([&] { form1->Command8->click(); }).first(), "where avfile destination");
    sentBy([&] { form1->Command11->click(); });
    EXPECT_EQ(form1->List2->ListIndex(), 1);
    sentBy([&] { form1->Command10->click(); });
    EXPECT_EQ(form1->List2->ListIndex(), 0);
}

TEST_F(Wiring, SliderTimerAndTimeSwitchRunTheirHandlers)
{
    EXPECT_EQ(sentBy([&] { form1->HScroll1->setValue(9); }), QStringList({"seek avfile to  9"}));
    EXPECT_EQ(sentBy([&] { QMetaObject::invokeMethod(form1->Timer1, "timeout", Qt::DirectConnection); }),
              QStringList({"status avfile position", "status avfile speed"}));
    EXPECT_EQ(sentBy([&] { form1->Check6->setValue(1); }).first(),
              "set avfile time format milliseconds");
}

TEST_F(Wiring, MovieWindowMenuRunsTheSameHandlers)
{
    Form2& m = form2();
    EXPECT_EQ(sentBy([&] { m.me_s_t->trigger(); }).last(), "play avfile window");
    EXPECT_EQ(sentBy([&] { m.me_teisi->trigger(); }),
              QStringList({"seek avfile to 0", "play avfile window", "stop avfile"}));
    EXPECT_EQ(sentBy([&] { m.me_wari->trigger(); }).first(), "where avfile destination");
    EXPECT_EQ(sentBy([&] { m.me_kake->trigger(); }).first(), "where avfile destination");
    sentBy([&] { m.m_yugi->trigger(); });
    EXPECT_EQ(form1->List2->ListIndex(), 1);
    sentBy([&] { m.m_mae->trigger(); });
    EXPECT_EQ(form1->List2->ListIndex(), 0);
}

}  // namespace
