// Opening the selected playlist entry: the one place where a movie is opened.
#include "app/controls/check_box.h"
#include "app/controls/list_box.h"
#include "app/controls/menu_item.h"
#include "app/controls/scroll_bar.h"
#include "app/form1.h"
#include "app/services.h"
#include "app/vb_number.h"
#include "movie/form2.h"
#include "movie/geometry_helpers.h"
#include "platform/dialogs.h"
#include "playback/mci/mci_channel.h"
#include "playback/open_command.h"
#include "playback/slider_scale.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <initializer_list>

namespace {

const QString FullScreenCaption = QStringLiteral("F解");

// The largest 4:3 picture that fits the screen less a margin, and where it stands (twips).
struct FullScreenFit {
    std::int32_t w = 0, h = 0;
    double fx = 0, fy = 0;
};

FullScreenFit fitToScreen(QSize screenPixels)
{
    const double screenW = double(screenPixels.width()) * vbnum::TwipsPerPixel;
    const double screenH = double(screenPixels.height()) * vbnum::TwipsPerPixel;
    FullScreenFit fit;
    fit.w = vbnum::roundToInt32((screenW - 330) / vbnum::TwipsPerPixel);
    fit.h = vbnum::roundToInt32(fit.w * 3.0 / 4.0);
    if (screenH < double(fit.h) * vbnum::TwipsPerPixel) {
        fit.h = vbnum::roundToInt32((screenH - 330) / vbnum::TwipsPerPixel);
        fit.w = vbnum::roundToInt32(fit.h * 4.0 / 3.0);
    }
    fit.fy = (screenH - double(fit.h) * vbnum::TwipsPerPixel) / 2;
    fit.fx = (screenW - double(fit.w) * vbnum::TwipsPerPixel) / 2;
    return fit;
}

// The text after the last "/" of a path, or the whole path.
QString fileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

void Form1::List2_Click()
{
    if (move_flg == 1) {
        move_flg = 0;
        return;
    }

    // An entry that cannot be opened is removed and its neighbour tried, in this loop rather
    // than by a nested selection, so a long run of bad files costs no stack.
    for (;;) {
        if (List2->ListIndex() < 0)
            return;  // nothing selected: nothing to open

        Timer1->stop();
        HScroll1->setEnabled(true);

        Form2& movie = form2();
        mov_w = vbnum::roundToInt32((movie.Width() - 345) / double(vbnum::TwipsPerPixel));
        mov_h = vbnum::roundToInt32((movie.Height() - 345) / double(vbnum::TwipsPerPixel));

        const bool fullScreen = Command22->text() == FullScreenCaption;
        FullScreenFit fit;
        if (fullScreen) {
            fit = fitToScreen(services.windows.screenSize());
            mov_w = fit.w;
            mov_h = fit.h;
        }

        QString reply;
        if (services.mci.MciSend(QStringLiteral("close avfile"), reply) == 0)
            services.windows.SetWindowProc(mci_hwnd, old_proc);

        Command2->setEnabled(true);
        List1->setListIndex(List2->ListIndex());

        const QString openPath = List1->List(List2->ListIndex());
        QString error;
        const int rc = services.mci.MciSend(open_command::build(openPath, movie.winId()), error);
        if (rc != 0) {
            MsgBox(error + QStringLiteral("リスト一覧から削除します。"), msgbox::OkOnly,
                   msgbox::Information, QStringLiteral("削除"));
            int i = -1;
            if (List2->ListCount() >= 1) {
                i = List2->ListIndex();
                List1->RemoveItem(i);
                List2->RemoveItem(i);
            }
            if (List1->ListCount() == 0) {
                reset_all();
                return;
            }
            const int next = List2->ListCount() > i ? i : i - 1;
            if (next < 0 || next == List2->ListIndex())
                return;  // nothing was removed: trying again would fail the same way
            // Select the neighbour quietly and go round again for it.
            List1->setListIndex(next);
            {
                const QSignalBlocker quiet(List2);
                List2->setListIndex(next);
            }
            continue;
        }

        const QString path = List1->List(List2->ListIndex());

        services.mci.MciSend(QStringLiteral("where avfile source"), reply);
        std::int32_t sx = 0, sy = 0, w = 0, h = 0;
        wind_xywh(reply, sx, sy, w, h);

        services.mci.MciSend(QStringLiteral("status avfile window handle"), reply);
        if (const auto handle = geometry::handleFromReply(reply)) {
            if (fullScreen) {
                services.windows.MoveWindow(*handle,
                                            vbnum::roundToInt32(fit.fx / vbnum::TwipsPerPixel - 1),
                                            vbnum::roundToInt32(fit.fy / vbnum::TwipsPerPixel + 3), mov_w,
                                            mov_h, true);
            } else {
                services.windows.MoveWindow(*handle, 10, 10, mov_w, mov_h, true);
            }
            mci_hwnd = *handle;
            Form2* proc = &movie;
            old_proc = services.windows.SetWindowProc(
                mci_hwnd, [proc](WId hwnd, std::uint32_t msg, std::uint32_t wParam,
                                 std::int32_t lParam) {
                    return proc->MovieWndProc(hwnd, msg, wParam, lParam);
                });
        }

        services.mci.MciSend(Check6->Value() == 1
                                 ? QStringLiteral("set avfile time format milliseconds")
                                 : QStringLiteral("set avfile time format frames"),
                             reply);
        services.mci.MciSend(QStringLiteral("status avfile length"), reply);
        media_len = vbnum::roundToInt32(vbnum::leading(reply));

        // A shorter movie pulls the slider back inside its range; that is no seek request.
        seek_lock = 1;
        HScroll1->setMax(slider_scale::maxForLength(media_len));
        slider_scale::applySteps(*HScroll1, media_len);
        seek_lock = 0;
        len_text = vbnum::clockText(media_len);

        const QString name = List2->List(List2->ListIndex());
        Label1->setText(fileNameOf(path));
        Label1->setToolTip(path);
        movie.Label1->setText(name + QStringLiteral("　"));
        if (!fullScreen) {
            movie.Label1->setToolTip(QStringLiteral("ｵﾘｼﾞﾅﾙｻｲｽﾞ：") + QString::number(w) +
                                     QStringLiteral("×") + QString::number(h));
        }
        List2->setToolTip(QStringLiteral("再生ﾘｽﾄ一覧 ") + name + QStringLiteral(" 選択中"));

        for (QWidget* control : std::initializer_list<QWidget*>{
                 Command7, Command8, Command4, Command5, Command6, Command9, Command10, Command11,
                 Command3, Command13, Command14, Command15, Command19, Command21, Command22,
                 Command23, Check6, cmdDown, cmdUp})
            control->setEnabled(true);
        for (MenuItem* item : {movie.me_kake, movie.me_s_t, movie.me_wari, movie.m_mae,
                               movie.m_yugi, movie.me_full, movie.me_teisi})
            item->setEnabled(true);

        movie.Label2->hide();

        if (Command2->text() == QStringLiteral("|>")) {
            // Show the first picture and stay stopped.
            services.mci.MciSend(QStringLiteral("play avfile window"), reply);
            services.mci.MciSend(QStringLiteral("stop avfile"), reply);
        } else if (Command2->text() == QStringLiteral("II")) {
            Command2->setText(QStringLiteral("|>"));
            Command2_Click();
        }

        Timer1->start();
        return;
    }
}
