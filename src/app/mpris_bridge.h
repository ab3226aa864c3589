#pragma once

#include "mpris/player_handlers.h"

#include <QObject>

class Form1;
class MediaEngine;
class MprisService;

// The desktop's media controls over the control window: each call clicks the control a user
// would (a control that is off refuses it), the play state is Playback's, the rest is read back
// from the controls, and the listeners hear of a change when the play state changes or a
// control's handler or the position tick has run.
class MprisBridge : public QObject, public mpris::PlayerHandlers {
public:
    // engine is only read: the position and length in microseconds, and the speed.
    MprisBridge(Form1& form1, MediaEngine& engine);

    // Starts listening to the controls; service is told of every change from here on.
    void attach(MprisService& service);

    mpris::PlayerState state() override;
    qint64 positionUs() override;
    bool busy() override;
    void raise() override;
    void quit() override;
    void play() override;
    void pause() override;
    void playPause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void setPosition(qint64 us) override;
    void setLoopStatus(const QString& status) override;
    void setRate(double rate) override;
    void setVolume(double volume) override;
    bool takes(const QString& path) override;
    void openFile(const QString& path) override;

private:
    void changed();
    bool playing() const;

    Form1& form1_;
    MediaEngine& engine_;
    MprisService* service_ = nullptr;
    bool seeking_ = false;  // a position set from here: the slider's jump is told by the caller
};
