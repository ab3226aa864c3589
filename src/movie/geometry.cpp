// Picture size of the movie: stored size, 4:3, halving, doubling and the sizes of the size
// dialog. Sizes are pixels towards the device and the window system, twips inside the forms.
#include "movie/geometry.h"

#include "mci/mci_channel.h"
#include "movie/control_window.h"
#include "movie/form2.h"
#include "movie/geometry_helpers.h"
#include "movie/size_op.h"
#include "movie/topmost.h"
#include "vbnum/vb_number.h"

#include <QPushButton>

Geometry::Geometry(ControlWindow& form1_, QPushButton& Command4_, MciChannel& mci_,
    WindowLayer& windows_, Dialogs& dialogs_)
    : form1(form1_), Command4(Command4_), mci(mci_), windows(windows_), dialogs(dialogs_)
{
}

void Geometry::readPictureSize(const QString& query)
{
    QString reply;
    mci.MciSend(query, reply);
    std::int32_t x = 0, y = 0;
    wind_xywh(reply, x, y, mov_w, mov_h);
}

void Geometry::wind_xywh(
    const QString& a, std::int32_t& xs, std::int32_t& ys, std::int32_t& w, std::int32_t& h)
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
        *fields[i] = vbnum::roundToInt32(vbnum::leading(part));
        start = blank < 0 ? -1 : blank + 1;
    }
}

void Geometry::place_movie()
{
    QString reply;
    mci.MciSend(QStringLiteral("status avfile window handle"), reply);
    if (const auto handle = geometry::handleFromReply(reply))
        windows.MoveWindow(*handle, 10, 10, mov_w, mov_h, true);

    Form2& movie = form1.form2();
    movie.setWidth(vbnum::toTwips(mov_w) + 345);
    movie.setHeight(vbnum::toTwips(mov_h) + 345);
    movie.placeStrip();
}

void Geometry::Command4_Click()
{
    if (next_original) {
        readPictureSize(QStringLiteral("where avfile source"));
    } else {
        mov_w = 960 / 3;
        mov_h = 240;
    }
    setNextOriginal(!next_original);
    place_movie();
}

void Geometry::setNextOriginal(bool original)
{
    next_original = original;
    Command4.setText(original ? QStringLiteral("Org") : QStringLiteral("4:3"));
}

void Geometry::Command7_Click()
{
    readPictureSize(QStringLiteral("where avfile destination"));
    mov_w = vbnum::roundToInt32(mov_w / 2.0);
    mov_h = vbnum::roundToInt32(mov_h / 2.0);
    if (mov_w >= 80)
        place_movie();
}

void Geometry::Command8_Click()
{
    readPictureSize(QStringLiteral("where avfile destination"));
    mov_w = vbnum::roundToInt32(mov_w * 2.0);
    mov_h = vbnum::roundToInt32(mov_h * 2.0);
    // Only the width is held against the screen.
    if (windows.screenSize().width() > mov_w)
        place_movie();
}

void Geometry::re_size(std::int16_t re_flg, const QString& re_w, const QString& re_h)
{
    switch (re_flg) {
    case 1:
        mov_w = vbnum::roundToInt16(vbnum::leading(re_w));
        mov_h = vbnum::roundToInt32(mov_w * 3.0 / 4.0);
        break;
    case 2:
        mov_w = vbnum::roundToInt16(vbnum::leading(re_w));
        mov_h = vbnum::roundToInt16(vbnum::leading(re_h));
        break;
    case 3:  // 4:3, as Command4 would choose it
        setNextOriginal(true);
        mov_w = 320;
        mov_h = 240;
        break;
    case 4:  // the stored size, as Command4 would choose it
        setNextOriginal(false);
        readPictureSize(QStringLiteral("where avfile source"));
        break;
    default:
        mov_w = 320;
        mov_h = 240;
        break;
    }
    place_movie();
}

// The size dialog, with the movie window lifted while it is open and made topmost again when it
// has closed, whichever way, if Check4 says so. Its messages come while it is still open, so
// they do not put the movie window back over it.
void Geometry::Command23_Click()
{
    Form2& movie = form1.form2();
    form1.beforeModal();
    size_op dialog(
        QSize(movie.Width(), movie.Height()), windows.screenOf(&movie).size(), dialogs,
        [this](std::int16_t re_flg, const QString& re_w, const QString& re_h) {
            re_size(re_flg, re_w, re_h);
        },
        &movie);
    dialog.exec();
    form1.afterModal();
}
