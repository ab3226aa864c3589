#pragma once

#include "platform/window_layer.h"

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
class ListBox;
class Playlist;
class ScrollBar;
struct Services;

// The control window. It owns its controls (named as in the program's design, each control's
// objectName equal to its member name) and the state the windows share. The handlers are
// implemented in the folder of the subsystem they belong to:
//   app/       construction, Form_Load, Form_Unload, Timer3_Timer, reset_all, MsgBox,
//              Check3_Click, Check7_Click
//   playback/  List2_Click, the transport and position handlers
//   movie/     geometry handlers, Check4_Click
class Form1 : public QWidget {
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
    QLabel* Image1;    // the volume picture
    QTimer *Timer1, *Timer2, *Timer3;

    // ---- shared state -----------------------------------------------------------------------
    std::int32_t mov_w = 0;      // picture width in pixels
    std::int32_t mov_h = 0;      // picture height in pixels
    std::int32_t media_len = 0;  // length of the open movie in the current time format
    QString len_text;            // that length as hh:mm:ss
    std::int16_t seek_lock = 0;  // 1 while the program itself writes HScroll1
    std::int16_t move_flg = 0;   // 1: the next List2_Click is a reselection after a move
    std::int16_t mode_flg = 0;   // 1 while the program itself ticks Check5
    QString cmd_item;            // command-line token being examined / rest after "1"
    QString cmd_vcd;             // "1" when the whole command line was "1"
    // program-wide
    QString list_dir, file_dir, save_dir;  // folders offered by the dialogs, ending in "/"
    QString list_file;                     // list file last opened or saved
    WId mci_hwnd = 0;                      // the open device's video window
    WindowLayer::WndProc old_proc;         // its procedure before ours was installed

    std::unique_ptr<Playlist> playlist;

    // The movie window, created (and loaded) on first use.
    Form2& form2();
    bool hasForm2() const { return form2_ != nullptr; }

    // Place and size of the outer frame in twips (15 per pixel).
    int Top() const;
    int Left() const;
    int Width() const;
    int Height() const;
    void setTop(int twips);
    void setLeft(int twips);

    // True once Form_Unload has run.
    bool isUnloaded() const { return unloading_; }

    // A message box under the topmost rule: the movie window is lifted before it and made
    // topmost again afterwards only when Check4 is ticked. Every message box goes through here.
    int MsgBox(const QString& text, int buttons, int icon, const QString& title = {});
    // The same rule around any other modal dialog.
    void beforeModal();
    void afterModal();

    // ---- app ------------------------------------------------------------------------------
    void Form_Load(const QString& commandLine);
    void Form_Unload();
    void Timer3_Timer();
    void reset_all();

    // ---- playback ---------------------------------------------------------------------------
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
    void Check3_Click();
    void Check7_Click();
    void Command10_Click();
    void Command11_Click();

    // ---- movie ------------------------------------------------------------------------------
    static void wind_xywh(const QString& a, std::int32_t& xs, std::int32_t& ys, std::int32_t& w,
                          std::int32_t& h);
    void place_movie();
    void Command4_Click();
    void Command7_Click();
    void Command8_Click();
    void Command23_Click();
    void re_size(std::int16_t re_flg, const QString& re_w, const QString& re_h);
    void Check4_Click();

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
    void layoutControls();
    void connectHandlers();
    // Wiring of the playback and geometry handlers to Form1's controls, and of the movie
    // window's menu items that call them (playback/playback_wiring.cpp).
    void connectPlaybackHandlers();
    void connectPlaybackMenu(Form2& movie);

    Form2* form2_ = nullptr;
    bool unloading_ = false;
};
