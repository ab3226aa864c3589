// The volume slider over the mixer: its scale, the value written back at start and at exit, the
// error table, and the slider driven by real mouse events.
#include "audio/master_volume.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "form_fixture.h"

#include <QStyleOptionSlider>
#include <QTest>

namespace {

QPoint thumbCentre(ScrollBar& bar)
{
    QStyleOptionSlider opt;
    opt.initFrom(&bar);
    opt.orientation = bar.orientation();
    opt.minimum = bar.minimum();
    opt.maximum = bar.maximum();
    opt.sliderPosition = bar.sliderPosition();
    opt.sliderValue = bar.value();
    opt.singleStep = bar.singleStep();
    opt.pageStep = bar.pageStep();
    opt.subControls = QStyle::SC_All;
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, &bar).center();
}

}  // namespace

TEST_F(FormFixture, VolumeSliderStandsForTheControlsRange)
{
    struct Case {
        std::uint32_t maximum, start;
        int div, max, large, small, value;
    };
    const Case cases[] = {
        {65535, 30000, 3, 21845, 4369, 2184, 10000},
        {65536, 65536, 3, 21845, 4369, 2184, 21845},  // PulseAudio's range
        {32766, 1001, 1, 32766, 6553, 3276, 1001},    // below 32767 the units are the control's
        {32767, 32767, 2, 16383, 3276, 1638, 16383},
        {5, 4, 1, 5, 1, 1, 4},                        // steps never 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maximum);
        mixer.maximum = c.maximum;
        mixer.value = c.start;
        mixer.sets.clear();
        form1->volume->open();
        ScrollBar& bar = *form1->HScroll2;
        EXPECT_EQ(form1->volume->vol_div, c.div);
        EXPECT_EQ(bar.Max(), c.max);
        EXPECT_EQ(bar.LargeChange(), c.large);
        EXPECT_EQ(bar.SmallChange(), c.small);
        EXPECT_EQ(bar.Value(), c.value);
        // The start writes the value back in slider units; the top of the slider is the top.
        EXPECT_EQ(mixer.value, std::uint32_t(c.value * c.div));
        bar.setValue(c.max);
        EXPECT_EQ(mixer.value, std::uint32_t(c.max * c.div));
        form1->volume->close();
        EXPECT_EQ(mixer.value, c.start);
        bar.setValue(0);  // the next case starts from the bottom, as a fresh slider does
    }
}

TEST_F(FormFixture, QuittingPutsTheVolumeBackAsFound)
{
    mixer.value = 40000;
    load();
    form1->HScroll2->setValue(100);
    EXPECT_EQ(mixer.value, 300u);
    form1->Form_Unload();
    EXPECT_EQ(mixer.value, 40000u);
    EXPECT_EQ(mixer.closes, 1);
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Opening fails with the code's message; a missing control silently; either way the slider is
// off, nothing is written and the mixer is still closed at the end.
TEST_F(FormFixture, MixerFailuresDisableTheSlider)
{
    struct Case {
        int open, control;
        const char* message;  // nullptr: no box
    };
    const Case cases[] = {
        {6, 0, "サウンド機能でエラー[6] 利用可能なミキサーデバイスがありません。"},
        {7, 0, "サウンド機能でエラー[7] リソースを割り当てることはできません｡"},
        {2, 0, "サウンド機能でエラー[2] 指定されたデバイスIDは無効です。"},
        {1, 0, "サウンド機能でエラー[1] "},  // a code without a text
        {0, mmsyserr::InvalControl, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.open);
        FakeMixer broken;
        broken.openResult = c.open;
        broken.controlResult = c.control;
        Services s{mci, windows, dialogs, screenSaver, broken, tray, desktop, programDir.path()};
        Form1 form(s);
        dialogs.boxes.clear();
        form.Form_Load({});
        QStringList shown;
        for (const FakeDialogs::Box& box : dialogs.boxes) {
            shown << box.text;
            EXPECT_EQ(box.title, QString());  // the application's title
            EXPECT_EQ(box.icon, msgbox::Exclamation);
            EXPECT_EQ(box.buttons, msgbox::OkOnly);
        }
        EXPECT_EQ(shown, c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
        EXPECT_FALSE(form.HScroll2->isEnabled());
        EXPECT_EQ(form.volume->vol_off, 1);
        form.HScroll2->setValue(50);
        form.Form_Unload();
        EXPECT_TRUE(broken.sets.empty());
        EXPECT_EQ(broken.closes, 1);
        EXPECT_TRUE(form.List2->isEnabled());  // the rest of the program works
    }
}

// The sound server stopped while running: moves are ignored, no message, and the end is quiet.
TEST_F(FormFixture, AMixerThatWentAwayIsIgnored)
{
    load();
    mixer.gone = true;
    for (int v = 0; v <= 21845; v += 97)
        form1->HScroll2->setValue(v);
    form1->Form_Unload();
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Dragging the thumb sets the volume at every step of the mouse; letting go sets it once more.
TEST_F(FormFixture, DraggingTheVolumeThumbFollowsTheMouse)
{
    mixer.value = 30000;
    load();
    form1->show();
    ScrollBar& bar = *form1->HScroll2;
    const QPoint start = thumbCentre(bar);
    QTest::mousePress(&bar, Qt::LeftButton, {}, start);
    for (int dx : {-10, -25, -40, -30}) {
        SCOPED_TRACE(dx);
        mixer.sets.clear();
        QTest::mouseMove(&bar, start + QPoint(dx, 0));
        ASSERT_FALSE(mixer.sets.empty());
        EXPECT_EQ(mixer.sets.back(), std::uint32_t(3 * bar.value()));
    }
    const int dropped = bar.value();
    EXPECT_LT(dropped, 10000);
    mixer.sets.clear();
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, start + QPoint(-30, 0));
    EXPECT_EQ(mixer.sets, std::vector<std::uint32_t>{std::uint32_t(3 * dropped)});
}
