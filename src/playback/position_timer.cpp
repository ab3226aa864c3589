// The position timer: slider, position and speed labels, the end-of-movie rules, the
// frame/time switch and the previous/next buttons.
#include "controls/check_box.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "mci/mci_channel.h"
#include "playback/label_caption.h"
#include "playback/playback.h"
#include "playback/slider_scale.h"
#include "playlist/playlist.h"
#include "vbnum/vb_number.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

// LF then CR: the break the position label has always used.
const QString LineBreak = QStringLiteral("\n\r");

// Label3's caption for a speed reply, or nothing when the reply is not one of the steps.
QString speedCaption(const QString& reply)
{
    static const std::pair<const char*, const char*> table[] = {
        {"250", "|>|> -3"},
        {"500", "|>|> -2"},
        {"750", "|>|> -1"},
        {"1000", "|>|> ±0"},
        {"1250", "|>|> ＋1"},
        {"1500", "|>|> ＋2"},
        {"1750", "|>|> ＋3"},
        {"2000", "|>|> ＋4"},
    };
    for (const auto& [speed, caption] : table) {
        if (reply == QLatin1String(speed))
            return QString::fromUtf8(caption);
    }
    return {};
}

}  // namespace

void Playback::writeSlider(const std::function<void(ScrollBar&)>& write)
{
    seek_lock = 1;
    write(*HScroll1);
    seek_lock = 0;
}

void Playback::Timer1_Timer()
{
    QString position;
    mci.MciSend(QStringLiteral("status avfile position"), position);
    const double p = vbnum::leading(position);

    // While the user holds the thumb it stays under the mouse: the tick leaves it alone.
    if (!HScroll1->isSliderDown())
        writeSlider(
            [&](ScrollBar& s) { s.setValue(slider_scale::valueForPosition(p, media_len)); });

    if (Check6->Value() == 1) {
        // A reply that is no number shows as its leading number (0 when none).
        const double ms = vbnum::strict(position).value_or(p);
        label_caption::setCaption(*Label2, u' ' + vbnum::clockTextMs(vbnum::roundEven(ms)) +
                                               LineBreak + QStringLiteral("    /") + len_text +
                                               QStringLiteral(" (時間)"));
    } else {
        label_caption::setCaption(*Label2, u' ' + position + LineBreak + QStringLiteral("    /") +
                                               QString::number(media_len) +
                                               QStringLiteral(" (ﾌﾚｰﾑ)"));
    }

    Label4->setText(
        QString::number(List2->ListIndex() + 1) + u'/' + QString::number(List2->ListCount()));

    QString speed;
    mci.MciSend(QStringLiteral("status avfile speed"), speed);
    const QString caption = speedCaption(speed);
    if (!caption.isEmpty())
        Label3->setText(caption);

    if (p != media_len)
        return;
    if (Check3->Value() == 1) {
        if (Check7->Value() == 0) {
            // Selecting the next entry opens and plays it; after the last comes the first.
            playlist.selectNext();
        } else {
            Command2_Click();
        }
        if (List1->ListCount() == 1)
            Command2_Click();
    } else {
        setPlayState(PlayState::Stopped);
    }
}

void Playback::Check6_Click()
{
    Timer1->stop();
    QString reply;
    if (Check6->Value() == 1) {
        mci.MciSend(QStringLiteral("set avfile time format milliseconds"), reply);
        mci.MciSend(QStringLiteral("status avfile length"), reply);
        media_len = vbnum::roundToInt32(vbnum::leading(reply));
        writeSlider([&](ScrollBar& s) { s.setMax(slider_scale::maxForLength(media_len)); });
        mci.MciSend(QStringLiteral("status avfile position"), reply);
        const double p = vbnum::leading(reply);
        writeSlider(
            [&](ScrollBar& s) { s.setValue(slider_scale::valueForPosition(p, media_len)); });
        len_text = vbnum::clockText(media_len);
    } else {
        QString length, position;
        mci.MciSend(QStringLiteral("set avfile time format frames"), reply);
        mci.MciSend(QStringLiteral("status avfile length"), length);
        mci.MciSend(QStringLiteral("status avfile position"), position);
        media_len = vbnum::roundToInt32(vbnum::leading(length));
        const double p = vbnum::leading(position);
        writeSlider([&](ScrollBar& s) { s.setMax(slider_scale::maxForLength(media_len)); });
        writeSlider(
            [&](ScrollBar& s) { s.setValue(slider_scale::valueForPosition(p, media_len)); });
    }
    writeSlider([&](ScrollBar& s) { slider_scale::applySteps(s, media_len); });
    Timer1->start();
}

// With no entry selected, "previous" starts from the end as it does from the first entry.
void Playback::Command10_Click() { playlist.selectPrevious(); }

void Playback::Command11_Click() { playlist.selectNext(); }
