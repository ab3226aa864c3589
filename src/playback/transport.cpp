// Play/pause, stop, frame steps, speed and the position slider. The caption of Command2 is the
// playing state: "II" while playing, "|>" otherwise.
#include "app/controls/scroll_bar.h"
#include "app/form1.h"
#include "app/services.h"
#include "app/vb_number.h"
#include "playback/mci/mci_channel.h"
#include "playback/slider_scale.h"

#include <QPushButton>
#include <QTimer>
#include <optional>

namespace {
const QString Playing = QStringLiteral("II");
const QString Paused = QStringLiteral("|>");
}  // namespace

void Form1::Command2_Click()
{
    QString reply;
    if (Command2->text() == Playing) {
        services.mci.MciSend(QStringLiteral("stop avfile"), reply);
        Command2->setText(Paused);
        return;
    }
    services.mci.MciSend(QStringLiteral("status avfile position"), reply);
    // At the very end the movie starts again from its beginning.
    if (vbnum::leading(reply) == media_len)
        services.mci.MciSend(QStringLiteral("seek avfile to 0"), reply);
    services.mci.MciSend(QStringLiteral("play avfile window"), reply);
    Command2->setText(Playing);
}

void Form1::Command9_Click()
{
    Timer1->stop();
    QString reply;
    services.mci.MciSend(QStringLiteral("seek avfile to 0"), reply);
    services.mci.MciSend(QStringLiteral("play avfile window"), reply);
    services.mci.MciSend(QStringLiteral("stop avfile"), reply);
    Command2->setText(Paused);
    Timer1->start();
}

void Form1::Command5_Click()
{
    Timer1->stop();
    QString reply;
    services.mci.MciSend(QStringLiteral("stop avfile"), reply);
    services.mci.MciSend(QStringLiteral("step avfile"), reply);
    Command2->setText(Paused);
    Timer1->start();
}

void Form1::Command6_Click()
{
    Timer1->stop();
    QString reply;
    services.mci.MciSend(QStringLiteral("stop avfile"), reply);
    services.mci.MciSend(QStringLiteral("status avfile position"), reply);
    const std::optional<double> position = vbnum::strict(reply);
    if (!position) {
        // No position to step back from: leave everything as it is.
        Timer1->start();
        return;
    }
    if (*position <= 1) {
        // A reverse step cannot reach the first picture; seek there and show it.
        services.mci.MciSend(QStringLiteral("seek avfile to 0"), reply);
        services.mci.MciSend(QStringLiteral("play avfile window"), reply);
        services.mci.MciSend(QStringLiteral("stop avfile"), reply);
    } else {
        services.mci.MciSend(QStringLiteral("step avfile reverse"), reply);
    }
    Command2->setText(Paused);
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

void Form1::Command3_Click()
{
    if (const auto speed = nextSpeed(services.mci, +250))
        sendSpeed(services.mci, *speed);
}

void Form1::Command14_Click()
{
    if (const auto speed = nextSpeed(services.mci, -250))
        sendSpeed(services.mci, *speed);
}

namespace {

void seekToSlider(Form1& form)
{
    const std::int64_t position = slider_scale::positionForValue(form.HScroll1->Value(), form.media_len);
    QString reply;
    // One blank before the digits: the device reads "to" and the number apart.
    form.services.mci.MciSend(QStringLiteral("seek avfile to ") + u' ' + QString::number(position),
                              reply);
    if (form.Command2->text() == Playing)
        form.services.mci.MciSend(QStringLiteral("play avfile window"), reply);
}

}  // namespace

void Form1::HScroll1_Change()
{
    if (seek_lock == 1)
        return;
    Timer1->stop();
    seek_lock = 1;
    seekToSlider(*this);
    seek_lock = 0;
    Timer1->start();
}

void Form1::HScroll1_Scroll()
{
    Timer1->stop();
    seekToSlider(*this);
    Timer1->start();
}
