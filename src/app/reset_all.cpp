// The control window (Form1), part: back to the nothing-open state.
#include "app/form1.h"
#include "app/services.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "movie/form2.h"
#include "movie/full_screen.h"
#include "playback/playback.h"
#include "playlist/playlist.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

// Back to the nothing-open state: empty playlist, no device, movie controls off.
void Form1::reset_all()
{
    // Full screen ends first, while its movie is still open: once the movie is gone nothing
    // could end it, and the control window would stay hidden under a black screen.
    if (fullScreen->isOn())
        fullScreen->Command22_Click();
    playlist->clear();
    Timer1->stop();

    closeDevice(services.mci, services.windows, video);

    playback->setPlayState(PlayState::Stopped);
    Command2->setEnabled(false);
    Form2& movie = form2();
    setMovieControlsEnabled(false);
    HScroll1->setEnabled(false);

    setLabelCaptions();
    List2->setToolTip(QStringLiteral("再生ﾌｧｲﾙﾘｽﾄ"));

    Line1->hide();
    Line2->hide();

    movie.placeStrip();
    movie.showNoEntry();
    movie.Label1->setToolTip(QString());
    movie.placePlaceholder();
    movie.Label2->show();
}
