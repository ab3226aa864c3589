#pragma once

#include "movie/video_window.h"
#include "playback/player_window.h"
#include "playlist/playlist_window.h"

#include <QMargins>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class CheckBox;
class DirListBox;
class FileListBox;
class Form2;
class FullScreen;
class Geometry;
class HelpAndAbout;
class ListBox;
class MasterVolume;
class Playback;
class Playlist;
class PlaylistHandlers;
class ScrollBar;
class Tray;
class VideoCd;
struct Services;

// The control window. It owns its controls (named as in the program's design, each control's
// objectName equal to its member name), the state the windows share, and the subsystems that
// act on them, each handed the controls it drives:
//   app/       construction, Form_Load, Form_Unload, Timer3_Timer, reset_all, MsgBox,
//              Check3_Click, Check7_Click, and the wiring of every handler
//   playback/  List2_Click, the transport and position handlers (playback)
//   movie/     the geometry handlers (geometry), full screen (fullScreen), Check4_Click (on
//              the movie window)
//   playlist/  adding files, folder import, editing and list files (playlistHandlers)
//   videocd/   Video-CD mode (videoCd)
//   audio/     the volume slider (volume)
//   shell/     the tray (tray), help and About (helpAbout), the background colour
class Form1 : public QWidget, public PlayerWindow, public PlaylistWindow {
    Q_OBJECT
public:
    explicit Form1(Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    Services& services;

    // ---- controls -------------------------------------------------------------------------
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7,
        *Command8, *Command9, *Command10, *Command11, *Command12, *Command13, *Command14,
        *Command15, *Command16, *Command17, *Command18, *Command19, *Command20, *Command21,
        *Command22, *Command23;
    QPushButton *cmdUp, *cmdDown;
    CheckBox *Check1, *Check2, *Check3, *Check4, *Check5, *Check6, *Check7;
    ListBox* List1;  // paths, never shown
    ListBox* List2;  // display names
    QComboBox* Combo1;
    ScrollBar* HScroll1;  // position
    ScrollBar* HScroll2;  // volume
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QFrame *Line1, *Line2;
    DirListBox* Dir1;
    FileListBox* File1;
    QLabel* Picture1;  // the tray icon's picture
    QLabel* Image1;  // the volume picture
    QTimer *Timer1, *Timer2, *Timer3;

    // ---- shared state -----------------------------------------------------------------------
    // mov_w, mov_h live in geometry; media_len, len_text, seek_lock, move_flg in playback.
    std::int16_t mode_flg = 0;  // 1 while the program itself ticks Check5
    QString cmd_item;  // command-line token being examined / rest after "1"
    QString cmd_vcd;  // "1" when the whole command line was "1"
    // program-wide; list_dir, file_dir, save_dir, list_file live in playlistHandlers.
    VideoWindow video;  // mci_hwnd and old_proc

    std::unique_ptr<Playlist> playlist;
    std::unique_ptr<Geometry> geometry;
    std::unique_ptr<FullScreen> fullScreen;
    std::unique_ptr<Playback> playback;
    std::unique_ptr<PlaylistHandlers> playlistHandlers;
    std::unique_ptr<VideoCd> videoCd;
    std::unique_ptr<MasterVolume> volume;
    std::unique_ptr<Tray> tray;
    std::unique_ptr<HelpAndAbout> helpAbout;

    // The movie window, created (and loaded) on first use.
    Form2& form2() override;
    bool hasForm2() const { return form2_ != nullptr; }

    // Place and size of the outer frame in twips (15 per pixel).
    int Top() const override;
    int Left() const override;
    int Width() const override;
    bool fullScreenOn() const override;
    int Height() const;
    void setTop(int twips);
    void setLeft(int twips);

    // True once Form_Unload has run.
    bool isUnloaded() const override { return unloading_; }

    // A message box under the topmost rule: the movie window is lifted before it and made
    // topmost again afterwards only when Check4 is ticked. Every message box goes through here.
    int MsgBox(const QString& text, int buttons, int icon, const QString& title = {},
        const QString& informative = {}) override;
    // The same rule around any other modal dialog.
    void beforeModal() override;
    void afterModal() override;

    // ---- what the playlist's handlers use ------------------------------------------------------
    std::int16_t& move_flg() override;
    void showMovieName(const QString& name) override;
    QWidget* dialogOwner() override { return this; }
    void appendDiscImage(const QString& path) override;

    // ---- app ------------------------------------------------------------------------------
    void Form_Load(const QString& commandLine);
    void Form_Unload() override;
    void Timer3_Timer();
    void reset_all() override;
    void Check3_Click();
    void Check7_Click();
    // The file list follows the folder browser: it always lists what Dir1's folder holds.
    void Dir1_Change();

    // The controls that act on an open movie, off while nothing is open (Command2 and HScroll1
    // have rules of their own).
    QList<QWidget*> movieControls() const;
    void setMovieControlsEnabled(bool on) override;

signals:
    // Form_Unload has finished: both windows are closed and the program may end.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Start-up's command line (app/form_load.cpp). True when the Video-CD branch of a longer
    // command line was taken, which brings up the movie window itself.
    bool runCommandLine(const QString& text);
    void addStartupToken(const QString& token);
    void readStartupList(const QString& path);
    void enterVideoCdAtStart();
    void showMovieWindow();

    void createControls();
    // The captions Form_Load gives, and the labels' captions of the nothing-open state.
    void setCaptions();
    void setLabelCaptions();
    void layoutControls();
    void setFocusOrder();
    // Every handler is wired here, once (form1_wiring.cpp); the movie window's menu items when
    // the movie window is created.
    void connectHandlers();
    void connectMovieMenu(Form2& movie);
    // The movie window's keys and the media keys, from the key table (key_bindings.cpp).
    void bindKeys(Form2& movie);
    void connectDrops(QWidget* target);

    Form2* form2_ = nullptr;
    bool unloading_ = false;
    // The frame the window manager said it will draw once the window is shown (start-up asks).
    QMargins frame_to_come_;
};
