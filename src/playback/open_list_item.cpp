// Opening the selected playlist entry: the one place where a movie is opened.
#include "controls/check_box.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "mci/mci_channel.h"
#include "mci/mci_errors.h"
#include "movie/form2.h"
#include "movie/geometry.h"
#include "movie/geometry_helpers.h"
#include "movie/video_window.h"
#include "platform/dialogs.h"
#include "playback/open_command.h"
#include "playback/play_state.h"
#include "playback/playback.h"
#include "playback/player_window.h"
#include "playback/slider_scale.h"
#include "playlist/playlist.h"
#include "vbnum/vb_number.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

struct Playback::Opening {
    bool fullScreen = false;
    geometry::FullScreenFit fit;
    QString error;  // the device's text when the open failed
};

Playback::Playback(PlayerWindow& form1_, const PlaybackControls& controls, Playlist& playlist_,
    Geometry& geometry_, VideoWindow& video_, MciChannel& mci_, WindowLayer& windows_)
    : PlaybackControls(controls),
      form1(form1_),
      playlist(playlist_),
      geometry(geometry_),
      video(video_),
      mci(mci_),
      windows(windows_)
{
}

void Playback::List2_Click()
{
    if (move_flg == 1) {
        move_flg = 0;
        return;
    }
    openFromSelected();
}

void Playback::openedMovieLost()
{
    Timer1->stop();
    closeDevice(mci, windows, video);
    if (removeFailedEntry(mcierr::text(mcierr::InvalidFile)))
        openFromSelected();
}

void Playback::openFromSelected()
{
    // An entry that cannot be opened is removed and its neighbour tried, in this loop rather
    // than by a nested selection, so a long run of bad files costs no stack.
    while (List2->ListIndex() >= 0) {
        Opening opening;
        if (openSelected(opening)) {
            showOpenMovie(opening);
            return;
        }
        if (!removeFailedEntry(opening.error))
            return;
    }
}

// Closes what was open and opens the selected entry's file at the picture size the movie
// window has now (or the full-screen size). False when the device refused the file.
bool Playback::openSelected(Opening& opening)
{
    Timer1->stop();
    HScroll1->setEnabled(true);

    Form2& movie = form1.form2();
    geometry.mov_w = vbnum::roundToInt32((movie.Width() - 345) / double(vbnum::TwipsPerPixel));
    geometry.mov_h = vbnum::roundToInt32((movie.Height() - 345) / double(vbnum::TwipsPerPixel));
    opening.fullScreen = form1.fullScreenOn();
    if (opening.fullScreen) {
        opening.fit = geometry::fullScreenFit(windows.screenOf(&movie).size());
        geometry.mov_w = opening.fit.w;
        geometry.mov_h = opening.fit.h;
    }

    closeDevice(mci, windows, video);
    Command2->setEnabled(true);
    playlist.selectQuietly(playlist.selected());
    const QString path = playlist.path(playlist.selected());
    return mci.MciSend(open_command::build(path, movie.winId()), opening.error) == 0;
}

// Says why the entry failed (and which file it is), removes it and quietly selects its
// neighbour for the next round. False when there is nothing left to try.
bool Playback::removeFailedEntry(const QString& error)
{
    const int i = playlist.selected();
    form1.MsgBox(error + QStringLiteral("リスト一覧から削除します。"), msgbox::OkOnly,
        msgbox::Information, QStringLiteral("削除"), playlist.path(i));
    playlist.remove(i);
    if (playlist.count() == 0) {
        form1.reset_all();
        return false;
    }
    const int next = playlist.count() > i ? i : i - 1;
    if (next < 0 || next == playlist.selected())
        return false;  // nothing was removed: trying again would fail the same way
    playlist.selectQuietly(next);
    return true;
}

// Places the open movie's video window, reads its length into the slider and labels, enables the
// movie controls, and shows the first picture or goes on playing.
void Playback::showOpenMovie(const Opening& opening)
{
    Form2& movie = form1.form2();
    const QString path = List1->List(List2->ListIndex());
    QString reply;

    mci.MciSend(QStringLiteral("where avfile source"), reply);
    std::int32_t sx = 0, sy = 0, w = 0, h = 0;
    Geometry::wind_xywh(reply, sx, sy, w, h);

    mci.MciSend(QStringLiteral("status avfile window handle"), reply);
    if (const auto handle = geometry::handleFromReply(reply)) {
        if (opening.fullScreen) {
            windows.MoveWindow(*handle, opening.fit.video.x(), opening.fit.video.y(),
                geometry.mov_w, geometry.mov_h, true);
        } else {
            windows.MoveWindow(*handle, 10, 10, geometry.mov_w, geometry.mov_h, true);
        }
        movie.hookVideoWindow(*handle);
    }

    mci.MciSend(Check6->Value() == 1 ? QStringLiteral("set avfile time format milliseconds")
                                     : QStringLiteral("set avfile time format frames"),
        reply);
    mci.MciSend(QStringLiteral("status avfile length"), reply);
    media_len = vbnum::roundToInt32(vbnum::leading(reply));

    // A shorter movie pulls the slider back inside its range; that is no seek request.
    writeSlider([&](ScrollBar& s) {
        s.setMax(slider_scale::maxForLength(media_len));
        slider_scale::applySteps(s, media_len);
    });
    len_text = vbnum::clockText(media_len);

    const QString name = List2->List(List2->ListIndex());
    Label1->setText(Playlist::displayName(path));
    Label1->setToolTip(path);
    movie.showEntryName(name);
    if (!opening.fullScreen) {
        movie.Label1->setToolTip(geometry::originalSizeTip(w, h));
    }
    List2->setToolTip(QStringLiteral("再生ﾘｽﾄ一覧 ") + name + QStringLiteral(" 選択中"));

    form1.setMovieControlsEnabled(true);
    movie.Label2->hide();

    if (play_state_ == PlayState::Stopped) {
        // Show the first picture and stay stopped.
        mci.MciSend(QStringLiteral("play avfile window"), reply);
        mci.MciSend(QStringLiteral("stop avfile"), reply);
    } else {
        setPlayState(PlayState::Stopped);
        Command2_Click();
    }

    Timer1->start();
}
