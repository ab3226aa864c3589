// Play/pause, stop, frame steps, speed and the position slider.
#include "controls/scroll_bar.h"
#include "mci/mci_channel.h"
#include "playback/playback.h"
#include "playback/slider_scale.h"
#include "vbnum/vb_number.h"

#include <QPushButton>
#include <QTimer>
#include <optional>
#include <utility>

void Playback::setPlayState(PlayState state)
{
    Command2->setText(play_state::caption(state));
    if (std::exchange(play_state_, state) != state)
        emit playStateChanged(state);
}

void Playback::Command2_Click()
{
    QString reply;
    if (play_state_ == PlayState::Playing) {
        mci.MciSend(QStringLiteral("stop avfile"), reply);
        setPlayState(PlayState::Stopped);
        return;
    }
    mci.MciSend(QStringLiteral("status avfile position"), reply);
    // At the very end the movie starts again from its beginning.
    if (vbnum::leading(reply) == media_len)
        mci.MciSend(QStringLiteral("seek avfile to 0"), reply);
    mci.MciSend(QStringLiteral("play avfile window"), reply);
    setPlayState(PlayState::Playing);
}

void Playback::Command9_Click()
{
    Timer1->stop();
    QString reply;
    mci.MciSend(QStringLiteral("seek avfile to 0"), reply);
    mci.MciSend(QStringLiteral("play avfile window"), reply);
    mci.MciSend(QStringLiteral("stop avfile"), reply);
    setPlayState(PlayState::Stopped);
    Timer1->start();
}

void Playback::Command5_Click()
{
    Timer1->stop();
    QString reply;
    mci.MciSend(QStringLiteral("stop avfile"), reply);
    mci.MciSend(QStringLiteral("step avfile"), reply);
    setPlayState(PlayState::Stopped);
    Timer1->start();
}

void Playback::Command6_Click()
{
    Timer1->stop();
    QString reply;
    mci.MciSend(QStringLiteral("stop avfile"), reply);
    setPlayState(PlayState::Stopped);  // stopped from here on, whatever the position says
    mci.MciSend(QStringLiteral("status avfile position"), reply);
    const std::optional<double> position = vbnum::strict(reply);
    if (!position) {
        // No position to step back from: stay where the stop left the movie.
        Timer1->start();
        return;
    }
    if (*position <= 1) {
        // A reverse step cannot reach the first picture; seek there and show it.
        mci.MciSend(QStringLiteral("seek avfile to 0"), reply);
        mci.MciSend(QStringLiteral("play avfile window"), reply);
        mci.MciSend(QStringLiteral("stop avfile"), reply);
    } else {
        mci.MciSend(QStringLiteral("step avfile reverse"), reply);
    }
    Timer1->start();
}

namespace {

// The speed after a faster/slower click, or nothing when the device gave no number.
std::optional<std::int64_t> nextSpeed(MciChannel& mci, int delta)
{
    QString reply;
    mci.MciSend(QStringLiteral("status avfile speed"), reply);
    const std::optional<double> speed = vbnum::strict(reply);
    if (!speed)
        return std::nullopt;
    const std::int64_t next = vbnum::roundEven(*speed + delta);
    // Past the end it moves towards, the speed falls back to normal.
    if ((delta > 0 && next > 2000) || (delta < 0 && next < 250))
        return 1000;
    return next;
}

void sendSpeed(MciChannel& mci, std::int64_t speed)
{
    QString reply;
    mci.MciSend(QStringLiteral("set avfile speed ") + QString::number(speed), reply);
}

}  // namespace

void Playback::Command3_Click()
{
    if (const auto speed = nextSpeed(mci, +250))
        sendSpeed(mci, *speed);
}

void Playback::Command14_Click()
{
    if (const auto speed = nextSpeed(mci, -250))
        sendSpeed(mci, *speed);
}

void Playback::seekToSlider()
{
    const std::int64_t position = slider_scale::positionForValue(HScroll1->Value(), media_len);
    QString reply;
    // One blank before the digits: the device reads "to" and the number apart.
    mci.MciSend(QStringLiteral("seek avfile to ") + u' ' + QString::number(position), reply);
    if (play_state_ == PlayState::Playing)
        mci.MciSend(QStringLiteral("play avfile window"), reply);
}

void Playback::HScroll1_Change()
{
    if (seek_lock == 1)
        return;
    Timer1->stop();
    seek_lock = 1;
    seekToSlider();
    seek_lock = 0;
    Timer1->start();
}

void Playback::HScroll1_Scroll()
{
    Timer1->stop();
    seekToSlider();
    Timer1->start();
}
