// Picture size of the movie: stored size, 4:3, halving, doubling and the sizes of the size
// dialog. Sizes are pixels towards the device and the window system, twips inside the forms.
#include "app/form1.h"
#include "app/services.h"
#include "app/vb_number.h"
#include "movie/form2.h"
#include "movie/geometry_helpers.h"
#include "movie/topmost.h"
#include "playback/mci/mci_channel.h"

#include <QPushButton>
#include <algorithm>
#include <limits>

namespace {

std::int32_t toInt32(double value)
{
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(vbnum::roundEven(std::clamp(value, lo, hi)));
}

// A size typed into the size dialog, as the 16-bit number the dialog has already checked.
std::int16_t toInt16(const QString& text)
{
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(vbnum::roundEven(std::clamp(vbnum::leading(text), lo, hi)));
}

}  // namespace

void Form1::wind_xywh(const QString& a, std::int32_t& xs, std::int32_t& ys, std::int32_t& w,
                      std::int32_t& h)
{
    // Up to four blank-separated numbers; those the reply lacks become 0.
    std::int32_t* fields[] = {&xs, &ys, &w, &h};
    qsizetype start = 0;
    for (int i = 0; i < 4; ++i) {
        if (start < 0) {
            *fields[i] = 0;
            continue;
        }
        const qsizetype blank = i < 3 ? a.indexOf(QLatin1Char(' '), start) : -1;
        const QString part = blank < 0 ? a.mid(start) : a.mid(start, blank - start);
        *fields[i] = toInt32(vbnum::leading(part));
        start = blank < 0 ? -1 : blank + 1;
    }
}

void Form1::place_movie()
{
    QString reply;
    services.mci.MciSend(QStringLiteral("status avfile window handle"), reply);
    if (const auto handle = geometry::handleFromReply(reply))
        services.windows.MoveWindow(*handle, 10, 10, mov_w, mov_h, true);

    Form2& movie = form2();
    movie.setWidth(mov_w * vbnum::TwipsPerPixel + 345);
    movie.setHeight(mov_h * vbnum::TwipsPerPixel + 345);
    movie.placeStrip();
}

void Form1::Command4_Click()
{
    if (Command4->text() == QStringLiteral("Org")) {
        QString reply;
        services.mci.MciSend(QStringLiteral("where avfile source"), reply);
        std::int32_t x = 0, y = 0;
        wind_xywh(reply, x, y, mov_w, mov_h);
        Command4->setText(QStringLiteral("4:3"));
    } else {
        mov_w = 960 / 3;
        mov_h = 240;
        Command4->setText(QStringLiteral("Org"));
    }
    place_movie();
}

void Form1::Command7_Click()
{
    QString reply;
    services.mci.MciSend(QStringLiteral("where avfile destination"), reply);
    std::int32_t x = 0, y = 0;
    wind_xywh(reply, x, y, mov_w, mov_h);
    mov_w = toInt32(mov_w / 2.0);
    mov_h = toInt32(mov_h / 2.0);
    if (mov_w >= 80)
        place_movie();
}

void Form1::Command8_Click()
{
    QString reply;
    services.mci.MciSend(QStringLiteral("where avfile destination"), reply);
    std::int32_t x = 0, y = 0;
    wind_xywh(reply, x, y, mov_w, mov_h);
    mov_w = toInt32(mov_w * 2.0);
    mov_h = toInt32(mov_h * 2.0);
    // Only the width is held against the screen.
    if (services.windows.screenSize().width() > mov_w)
        place_movie();
}

void Form1::re_size(std::int16_t re_flg, const QString& re_w, const QString& re_h)
{
    switch (re_flg) {
    case 1:
        mov_w = toInt16(re_w);
        mov_h = toInt32(mov_w * 3.0 / 4.0);
        break;
    case 2:
        mov_w = toInt16(re_w);
        mov_h = toInt16(re_h);
        break;
    case 4: {
        QString reply;
        services.mci.MciSend(QStringLiteral("where avfile source"), reply);
        std::int32_t x = 0, y = 0;
        wind_xywh(reply, x, y, mov_w, mov_h);
        break;
    }
    default:
        mov_w = 320;
        mov_h = 240;
        break;
    }
    place_movie();
}

void Form1::Command23_Click()
{
    // The movie window must not cover the size dialog; the dialog restores the topmost state.
    SetTopMost(services.windows, &form2(), 0);
    // The size dialog (size_op) itself is not built yet.
}
