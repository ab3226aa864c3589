#pragma once

#include "playback/play_state.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class CheckBox;
class Geometry;
class ListBox;
class MciChannel;
class PlayerWindow;
class Playlist;
class QLabel;
class QPushButton;
class QTimer;
class ScrollBar;
class WindowLayer;
struct VideoWindow;

// The control window's controls that the playback handlers read and drive.
struct PlaybackControls {
    ListBox* List1;  // paths
    ListBox* List2;  // display names; selecting an entry opens it
    QPushButton* Command2;  // play/pause, its caption showing the play state
    ScrollBar* HScroll1;  // position
    QLabel* Label1;  // file name
    QLabel* Label2;  // position
    QLabel* Label3;  // speed
    QLabel* Label4;  // list position
    CheckBox* Check3;  // Loop
    CheckBox* Check6;  // time instead of frames
    CheckBox* Check7;  // Loop only the selected entry
    QTimer* Timer1;  // the 100 ms position tick
};

// Media playback: opening the selected entry (List2_Click, the one place a movie is opened),
// the transport controls, the position slider and timer with the end-of-movie rules, and the
// previous/next buttons. The handlers keep the names of the controls and events that run them;
// the control window wires them.
class Playback : public QObject, private PlaybackControls {
    Q_OBJECT
public:
    Playback(PlayerWindow& form1, const PlaybackControls& controls, Playlist& playlist,
        Geometry& geometry, VideoWindow& video, MciChannel& mci, WindowLayer& windows);

    // ---- shared state -------------------------------------------------------------------------
    PlayState playState() const { return play_state_; }
    // Sets the state and writes Command2's caption from it.
    void setPlayState(PlayState state);
    std::int32_t media_len = 0;  // length of the open movie in the current time format
    QString len_text;  // that length as hh:mm:ss
    std::int16_t seek_lock = 0;  // 1 while the program itself writes HScroll1
    std::int16_t move_flg = 0;  // 1: the next List2_Click is a reselection after a move

    // ---- handlers ------------------------------------------------------------------------------
    void List2_Click();
    void Command2_Click();
    void Command9_Click();
    void Command5_Click();
    void Command6_Click();
    void Command3_Click();
    void Command14_Click();
    void HScroll1_Change();
    void HScroll1_Scroll();
    void Timer1_Timer();
    void Check6_Click();
    void Command10_Click();
    void Command11_Click();
    // The open movie turned out to have no picture after its open was answered: it goes as a
    // file that fails to open goes, and the next entry is opened.
    void openedMovieLost();

signals:
    void playStateChanged(PlayState state);

private:
    struct Opening;
    // Opens the selected entry, or the first after it that opens.
    void openFromSelected();
    // Its three steps.
    bool openSelected(Opening& opening);
    bool removeFailedEntry(const QString& error);
    void showOpenMovie(const Opening& opening);

    void seekToSlider();
    // Writes HScroll1 with seek_lock set, so that HScroll1_Change does not take it for a seek.
    void writeSlider(const std::function<void(ScrollBar&)>& write);

    PlayerWindow& form1;
    Playlist& playlist;  // the only writer of List1 and List2
    Geometry& geometry;
    VideoWindow& video;
    MciChannel& mci;
    WindowLayer& windows;
    PlayState play_state_ = PlayState::Stopped;
};
