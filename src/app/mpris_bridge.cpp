#include "app/mpris_bridge.h"

#include "app/form1.h"
#include "audio/master_volume.h"
#include "controls/check_box.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "movie/form2.h"
#include "mpris/mpris_service.h"
#include "platform/media_engine.h"
#include "playback/playback.h"
#include "playback/slider_scale.h"
#include "playlist/file_kind.h"
#include "playlist/playlist_handlers.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <cmath>

MprisBridge::MprisBridge(Form1& form1, MediaEngine& engine) : form1_(form1), engine_(engine) { }

void MprisBridge::attach(MprisService& service)
{
    service_ = &service;
    // Connected after the handlers, so these run once a handler has done its work. The tick
    // catches what the movie window's menu and the end of a movie change.
    for (QPushButton* b : form1_.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        connect(b, &QPushButton::clicked, this, &MprisBridge::changed);
    for (CheckBox* c : form1_.findChildren<CheckBox*>(Qt::FindDirectChildrenOnly))
        connect(c, &CheckBox::Click, this, &MprisBridge::changed);
    connect(form1_.List2, &ListBox::Click, this, &MprisBridge::changed);
    connect(form1_.HScroll2, &ScrollBar::Change, this, &MprisBridge::changed);
    connect(form1_.Timer1, &QTimer::timeout, this, &MprisBridge::changed);
    connect(form1_.playback.get(), &Playback::playStateChanged, this, &MprisBridge::changed);
    // Steps, stop and the user's own slider moves are jumps; the tick's writes are not.
    for (QPushButton* b : {form1_.Command5, form1_.Command6, form1_.Command9})
        connect(b, &QPushButton::clicked, this, [this] { service_->jumped(); });
    connect(form1_.HScroll1, &ScrollBar::Change, this, [this] {
        if (!seeking_ && form1_.playback->seek_lock == 0)
            service_->jumped();
    });
}

void MprisBridge::changed() { service_->refresh(); }

bool MprisBridge::playing() const { return form1_.playback->playState() == PlayState::Playing; }

mpris::PlayerState MprisBridge::state()
{
    mpris::PlayerState s;
    const bool open = engine_.isOpen();
    // Not playing at the start is stopped: where the stop button leaves a movie, or opening it.
    if (open && playing())
        s.playbackStatus = QStringLiteral("Playing");
    else if (open && engine_.positionMs() != 0)
        s.playbackStatus = QStringLiteral("Paused");
    if (form1_.Check3->Value() == 1)
        s.loopStatus = form1_.Check7->Value() == 1 ? QStringLiteral("Track")
                                                   : QStringLiteral("Playlist");
    // The speed steps are quarters of the normal speed.
    s.rate = open ? std::round(engine_.speed() * 4) / 4 : 1.0;
    const ScrollBar& volume = *form1_.HScroll2;
    if (volume.isEnabled() && volume.Max() > 0)
        s.volume = double(volume.Value()) / volume.Max();
    s.canPlay = s.canPause = form1_.Command2->isEnabled();
    s.canSeek = form1_.HScroll1->isEnabled();
    s.canGoNext = form1_.Command11->isEnabled();
    s.canGoPrevious = form1_.Command10->isEnabled();
    const int index = form1_.List1->ListIndex();
    if (open && index >= 0) {
        const QString path = form1_.List1->List(index);
        // The entry's place and its path: a reordered or replaced list makes old ids stale.
        s.trackId = QStringLiteral("/org/reelbox/track/%1_%2").arg(index).arg(qHash(path), 0, 16);
        s.lengthUs = engine_.lengthMs() * 1000;
        s.title = form1_.List2->List(index);
        s.url = QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
    }
    return s;
}

qint64 MprisBridge::positionUs() { return engine_.isOpen() ? engine_.positionMs() * 1000 : 0; }

bool MprisBridge::busy() { return QGuiApplication::modalWindow() != nullptr; }

void MprisBridge::raise()
{
    Form2& movie = form1_.form2();
    movie.show();
    movie.raise();
    movie.activateWindow();
    // Hidden to the tray, the control window stays there.
    if (form1_.isVisible()) {
        if (form1_.isMinimized())
            form1_.showNormal();
        form1_.raise();
        form1_.activateWindow();
    }
}

void MprisBridge::quit() { form1_.Form_Unload(); }

void MprisBridge::play()
{
    if (!playing())
        form1_.Command2->click();
}

void MprisBridge::pause()
{
    if (playing())
        form1_.Command2->click();
}

void MprisBridge::playPause() { form1_.Command2->click(); }
void MprisBridge::stop() { form1_.Command9->click(); }
void MprisBridge::next() { form1_.Command11->click(); }
void MprisBridge::previous() { form1_.Command10->click(); }

// Through the slider, as a user's move of it: in its units, in the time format shown.
void MprisBridge::setPosition(qint64 us)
{
    ScrollBar& slider = *form1_.HScroll1;
    if (!slider.isEnabled())
        return;
    const qint64 ms = us / 1000;
    const qint64 lengthMs = engine_.lengthMs();
    const double position = form1_.Check6->Value() == 1 || lengthMs <= 0
                                ? double(ms)
                                : double(ms) * double(engine_.lengthFrames()) / double(lengthMs);
    const int value = slider_scale::valueForPosition(position, form1_.playback->media_len);
    seeking_ = true;
    if (value == slider.Value())
        form1_.playback->HScroll1_Change();  // the same place still seeks there
    else
        slider.setValue(value);
    seeking_ = false;
}

void MprisBridge::setLoopStatus(const QString& status)
{
    if (!form1_.Check3->isEnabled())
        return;
    form1_.Check3->setValue(status == QLatin1String("None") ? 0 : 1);
    if (form1_.Check7->isEnabled())
        form1_.Check7->setValue(status == QLatin1String("Track") ? 1 : 0);
}

// One click of "faster" or "slower" per quarter of the normal speed, until the speed is there.
void MprisBridge::setRate(double rate)
{
    const int target = int(std::lround(rate * 4)) * 250;
    for (int clicks = 0; clicks < 8 && engine_.isOpen(); ++clicks) {
        const int now = int(std::lround(engine_.speed() * 1000));
        if (now == target)
            return;
        QPushButton* button = now < target ? form1_.Command3 : form1_.Command14;
        if (!button->isEnabled())
            return;
        button->click();
        if (int(std::lround(engine_.speed() * 1000)) == now)
            return;  // the device did not follow
    }
}

void MprisBridge::setVolume(double volume)
{
    ScrollBar& slider = *form1_.HScroll2;
    if (slider.isEnabled())
        slider.setValue(int(std::lround(volume * slider.Max())));
}

bool MprisBridge::takes(const QString& path)
{
    const FileKind kind = fileKindOf(path);
    return isMovie(kind) || kind == FileKind::DiscImage;
}

// Added and opened as a dropped file is.
void MprisBridge::openFile(const QString& path) { form1_.playlistHandlers->OLEDragDrop({path}); }
