// The volume slider over the mixer: its scale, the value written back at start and at the end,
// the error table, and a drag by real mouse events.
#include "audio/master_volume.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "form_fixture.h"

#include <QStyleOptionSlider>
#include <QTest>

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
        form1->volume->open();
        ScrollBar& bar = *form1->HScroll2;
        EXPECT_EQ(form1->volume->vol_div, c.div);
        EXPECT_EQ(std::vector<int>({bar.Max(), bar.LargeChange(), bar.SmallChange(), bar.Value()}),
                  std::vector<int>({c.max, c.large, c.small, c.value}));
        // The start writes the value back in slider units; the top of the slider is the top.
        EXPECT_EQ(mixer.value, std::uint32_t(c.value * c.div));
        bar.setValue(c.max);
        EXPECT_EQ(mixer.value, std::uint32_t(c.max * c.div));
        form1->volume->close();
        EXPECT_EQ(mixer.value, c.start);
        bar.setValue(0);  // the next case starts from the bottom, as a new slider does
    }
}

// Opening fails with the code's message, a missing control silently; either way the slider is
// off, nothing is written, the mixer is closed at the end and the rest of the program works.
TEST_F(FormFixture, MixerFailuresDisableTheSlider)
{
    const std::tuple<int, int, QString> cases[] = {
        {6, 0, "サウンド機能でエラー[6] 利用可能なミキサーデバイスがありません。"},
        {7, 0, "サウンド機能でエラー[7] リソースを割り当てることはできません｡"},
        {2, 0, "サウンド機能でエラー[2] 指定されたデバイスIDは無効です。"},
        {1, 0, "サウンド機能でエラー[1] "},  // a code without a text
        {0, mmsyserr::InvalControl, {}},
    };
    for (const auto& [open, control, message] : cases) {
        SCOPED_TRACE(open);
        FakeMixer broken;
        broken.openResult = open;
        broken.controlResult = control;
        Services s{mci, windows, dialogs, screenSaver, broken, tray, desktop, programDir.path()};
        Form1 form(s);
        dialogs.boxes.clear();
        form.Form_Load({});
        QStringList shown;
        for (const FakeDialogs::Box& box : dialogs.boxes) {
            shown << box.text;
            EXPECT_EQ(std::tuple(box.title, box.icon, box.buttons),
                      std::tuple(QString(), int(msgbox::Exclamation), int(msgbox::OkOnly)));
        }
        EXPECT_EQ(shown, message.isEmpty() ? QStringList{} : QStringList{message});
        EXPECT_FALSE(form.HScroll2->isEnabled());
        form.HScroll2->setValue(50);
        form.Form_Unload();
        EXPECT_TRUE(broken.sets.empty());
        EXPECT_EQ(broken.closes, 1);
        EXPECT_TRUE(form.List2->isEnabled());
    }
}

// Every step of the mouse sets the volume to where the thumb is; letting go sets it once more.
TEST_F(FormFixture, DraggingTheVolumeThumbFollowsTheMouse)
{
    load();
    form1->show();
    ScrollBar& bar = *form1->HScroll2;
    QStyleOptionSlider opt;
    opt.initFrom(&bar);
    opt.orientation = Qt::Horizontal;
    opt.maximum = bar.maximum();
    opt.sliderPosition = opt.sliderValue = bar.value();
    opt.pageStep = bar.pageStep();
    const QPoint thumb =
        bar.style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, &bar).center();
    QTest::mousePress(&bar, Qt::LeftButton, {}, thumb);
    for (int dx : {-10, -25, -40, -30}) {
        mixer.sets.clear();
        QTest::mouseMove(&bar, thumb + QPoint(dx, 0));
        EXPECT_EQ(mixer.sets, std::vector<std::uint32_t>{std::uint32_t(3 * bar.value())}) << dx;
    }
    mixer.sets.clear();
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, thumb + QPoint(-30, 0));
    EXPECT_EQ(mixer.sets, std::vector<std::uint32_t>{std::uint32_t(3 * bar.value())});
    EXPECT_LT(bar.value(), 10000);
}
