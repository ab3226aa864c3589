// The ALSA mixer against a real sound server: PulseAudio with a null sink behind ALSA's default
// device, read back with pactl from outside.
#include "platform/linux/alsa_mixer.h"
#include "pulse_server.h"

#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Everything written to stderr while `body` runs.
template <typename Body>
std::string stderrOf(Body body)
{
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(file.handle(), 2);
    body();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    file.seek(0);
    return file.readAll().toStdString();
}

}  // namespace

TEST(AlsaMixer, FollowsTheServersMasterAndPutsEveryChannelBack)
{
    PulseServer pulse;
    ASSERT_TRUE(pulse.running());
    struct Case {
        std::vector<long> start;
        std::uint32_t set;
        std::vector<long> expected;  // the sink after the set
    };
    const Case cases[] = {
        {{65536, 65536}, 30000, {30000, 30000}},
        {{20000, 20000}, 65535, {65535, 65535}},
        {{40000, 20000}, 20000, {20000, 10000}},  // the balance is kept
        {{0, 0}, 1000, {1000, 1000}},
        {{30000, 30000}, 70000, {65536, 65536}},  // beyond the top: the top
    };
    for (const Case& c : cases) {
        pulse.setSinkVolume(c.start);
        AlsaMixer mixer;
        ASSERT_EQ(mixer.mixerOpen(), 0);
        VolumeControl control;
        ASSERT_EQ(mixer.GetVolumeControl(control), 0);
        EXPECT_EQ(control.maximum, 65536u);
        const std::uint32_t found = mixer.GetVolume(control.id);
        EXPECT_EQ(found, std::uint32_t(std::max(c.start[0], c.start[1])));

        EXPECT_EQ(mixer.SetVolumeControl(control.id, c.set), 0);
        EXPECT_EQ(pulse.sinkVolume(), c.expected) << c.set;
        EXPECT_EQ(mixer.SetVolumeControl(control.id, found), 0);
        EXPECT_EQ(pulse.sinkVolume(), c.start) << c.set;
        mixer.mixerClose();
    }
}

// The sound server stops while the program runs: calls fail, quietly.
TEST(AlsaMixer, AServerThatGoesAwayIsIgnoredQuietly)
{
    PulseServer pulse;
    ASSERT_TRUE(pulse.running());
    AlsaMixer mixer;
    VolumeControl control;
    ASSERT_EQ(mixer.mixerOpen(), 0);
    ASSERT_EQ(mixer.GetVolumeControl(control), 0);
    pulse.stop();
    const std::string chatter = stderrOf([&] {
        for (std::uint32_t v = 0; v < 2000; v += 10)
            EXPECT_NE(mixer.SetVolumeControl(control.id, v), 0);
        EXPECT_EQ(mixer.GetVolume(control.id), 0u);
        mixer.mixerClose();
    });
    EXPECT_EQ(chatter, "");
}

// No card and no server (this machine): "no mixer device", without a word on stderr.
TEST(AlsaMixer, NoDeviceIsCodeSix)
{
    QTemporaryDir noServer;
    qputenv("XDG_RUNTIME_DIR", noServer.path().toLocal8Bit());
    AlsaMixer mixer;
    int open = -1;
    VolumeControl control;
    int find = -1;
    const std::string chatter = stderrOf([&] {
        open = mixer.mixerOpen();
        find = mixer.GetVolumeControl(control);
    });
    EXPECT_EQ(open, mmsyserr::NoDriver);
    EXPECT_NE(find, 0);
    EXPECT_EQ(chatter, "");
}
