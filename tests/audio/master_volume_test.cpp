// The volume slider over the mixer: its scale, the value written back at start and at the end,
// and the error table.
// Checks: master_volume.cpp, volume_scale.cpp, mixer_errors.cpp (src/audio).
#include "audio/master_volume.h"
#include "controls/scroll_bar.h"
#include "fake_mixer.h"
#include "platform/dialogs.h"

#include <QStringList>
#include <gmock/gmock.h>

namespace {

struct Volume {
    FakeMixer mixer;
    ScrollBar HScroll2;
    QStringList messages;
    MasterVolume volume{mixer, HScroll2, [this](const QString& text, int buttons, int icon) {
                            messages << text;
                            EXPECT_EQ(std::pair(buttons, icon),
                                std::pair(int(msgbox::OkOnly), int(msgbox::Exclamation)));
                            return int(msgbox::Ok);
                        }};
    // As the control window wires them.
    Volume()
    {
        QObject::connect(&HScroll2, &ScrollBar::Change, [this] { volume.HScroll2_Change(); });
    }
};

}  // namespace

// PulseAudio's range (65536) is the volume scenario's, on a real sound server.
TEST(MasterVolume, SliderStandsForTheControlsRange)
{
    struct Case {
        std::uint32_t maximum, start;
        int div, max, large, small, value;
        std::uint32_t kept = 0;  // what the start leaves, when not the value in control units
    };
    const Case cases[] = {
        {65535, 30000, 3, 21845, 4369, 2184, 10000},
        {32766, 1001, 1, 32766, 6553, 3276, 1001},  // below 32767 the units are the control's
        {5, 4, 1, 5, 1, 1, 4},  // steps never 0
        // Above the slider's top: left alone (a sound server at 100 % or 150 % is at 65536).
        {32767, 32767, 2, 16383, 3276, 1638, 16383, 32767},
        {65536, 65536, 3, 21845, 4369, 2184, 21845, 65536},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maximum);
        Volume v;
        v.mixer.maximum = c.maximum;
        v.mixer.value = c.start;
        v.volume.open();
        // The start writes the value back in slider units; the top of the slider is the top.
        EXPECT_THAT(std::tuple(v.volume.vol_div, v.HScroll2.Max(), v.HScroll2.LargeChange(),
                        v.HScroll2.SmallChange(), v.HScroll2.Value(), v.mixer.value),
            testing::FieldsAre(c.div, c.max, c.large, c.small, c.value,
                c.kept ? c.kept : std::uint32_t(c.value * c.div)));
        v.HScroll2.setValue(0);
        v.HScroll2.setValue(c.max);
        EXPECT_EQ(v.mixer.value, std::uint32_t(c.max * c.div));
        v.volume.close();
        EXPECT_EQ(std::tuple(v.mixer.value, v.mixer.closes, v.messages),
            std::tuple(c.start, 1, QStringList()));
    }
}

// Put back once, by whichever comes first (the end, or a thread that found the display gone):
// nothing before the volume was found, and the slider moves nothing after.
TEST(MasterVolume, PutBackOnce)
{
    Volume v;
    v.volume.putBack();
    v.volume.open();
    v.HScroll2.setValue(0);
    v.volume.putBack();
    v.HScroll2.setValue(5);
    v.volume.close();
    EXPECT_EQ(v.mixer.sets, (std::vector<std::uint32_t>{30000, 0, 30000}));
}

// Opening fails with the code's message, a missing control silently; either way the slider is
// off, nothing is ever written, and the mixer is still closed at the end.
TEST(MasterVolume, FailuresDisableTheSlider)
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
        Volume v;
        v.mixer.openResult = open;
        v.mixer.controlResult = control;
        v.volume.open();
        EXPECT_EQ(std::tuple(v.messages, v.HScroll2.isEnabled()),
            std::tuple(message.isEmpty() ? QStringList{} : QStringList{message}, false));
        v.HScroll2.setValue(50);
        v.volume.close();
        EXPECT_EQ(std::tuple(v.mixer.sets.empty(), v.mixer.closes), std::tuple(true, 1));
    }
}
