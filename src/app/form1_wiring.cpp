// The control window (Form1), part: its handlers connected to its controls and to the movie
// window's menu and drops.
#include "app/form1.h"
#include "app/services.h"
#include "audio/master_volume.h"
#include "controls/check_box.h"
#include "controls/dir_list_box.h"
#include "controls/file_drop.h"
#include "controls/file_list_box.h"
#include "controls/list_box.h"
#include "controls/menu_item.h"
#include "controls/scroll_bar.h"
#include "movie/form2.h"
#include "movie/full_screen.h"
#include "movie/geometry.h"
#include "playback/playback.h"
#include "playlist/playlist_handlers.h"
#include "videocd/video_cd.h"
#include "shell/background_color.h"
#include "shell/help_about.h"
#include "shell/tray.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

void Form1::Dir1_Change() { File1->setPath(Dir1->Path()); }

// Every handler of the control window is connected here, once, with typed connections.
void Form1::connectHandlers()
{
    connect(Check3, &CheckBox::Click, this, &Form1::Check3_Click);
    connect(Check7, &CheckBox::Click, this, &Form1::Check7_Click);
    connect(Check4, &CheckBox::Click, this, [this] { form2().Check4_Click(); });
    connect(Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);
    connect(Dir1, &DirListBox::Change, this, &Form1::Dir1_Change);

    Playback* p = playback.get();
    connect(List2, &ListBox::Click, p, &Playback::List2_Click);
    connect(Command2, &QPushButton::clicked, p, &Playback::Command2_Click);
    connect(Command9, &QPushButton::clicked, p, &Playback::Command9_Click);
    connect(Command5, &QPushButton::clicked, p, &Playback::Command5_Click);
    connect(Command6, &QPushButton::clicked, p, &Playback::Command6_Click);
    connect(Command3, &QPushButton::clicked, p, &Playback::Command3_Click);
    connect(Command14, &QPushButton::clicked, p, &Playback::Command14_Click);
    connect(HScroll1, &ScrollBar::Change, p, &Playback::HScroll1_Change);
    connect(HScroll1, &ScrollBar::Scroll, p, &Playback::HScroll1_Scroll);
    connect(Timer1, &QTimer::timeout, p, &Playback::Timer1_Timer);
    connect(Check6, &CheckBox::Click, p, &Playback::Check6_Click);
    connect(Command10, &QPushButton::clicked, p, &Playback::Command10_Click);
    connect(Command11, &QPushButton::clicked, p, &Playback::Command11_Click);

    Geometry* g = geometry.get();
    connect(Command4, &QPushButton::clicked, this, [g] { g->Command4_Click(); });
    connect(Command7, &QPushButton::clicked, this, [g] { g->Command7_Click(); });
    connect(Command8, &QPushButton::clicked, this, [g] { g->Command8_Click(); });
    connect(Command23, &QPushButton::clicked, this, [g] { g->Command23_Click(); });
    FullScreen* f = fullScreen.get();
    connect(Command22, &QPushButton::clicked, this, [f] { f->Command22_Click(); });

    PlaylistHandlers* l = playlistHandlers.get();
    const auto click = [this, l](QPushButton* button, void (PlaylistHandlers::*handler)()) {
        connect(button, &QPushButton::clicked, this, [l, handler] { (l->*handler)(); });
    };
    click(Command1, &PlaylistHandlers::Command1_Click);
    click(Command12, &PlaylistHandlers::Command12_Click);
    click(cmdUp, &PlaylistHandlers::cmdUp_Click);
    click(cmdDown, &PlaylistHandlers::cmdDown_Click);
    click(Command15, &PlaylistHandlers::Command15_Click);
    click(Command13, &PlaylistHandlers::Command13_Click);
    click(Command21, &PlaylistHandlers::Command21_Click);
    click(Command19, &PlaylistHandlers::Command19_Click);
    click(Command20, &PlaylistHandlers::Command20_Click);
    connectDrops(List2->viewport());

    VideoCd* vcd = videoCd.get();
    connect(Check5, &CheckBox::Click, vcd, &VideoCd::Check5_Click);
    connect(Timer2, &QTimer::timeout, vcd, &VideoCd::Timer2_Timer);
    // The user's pick, even of the drive already shown; the program's own selections run
    // Combo1_Click themselves.
    connect(Combo1, &QComboBox::activated, vcd, &VideoCd::Combo1_Click);

    MasterVolume* v = volume.get();
    connect(HScroll2, &ScrollBar::Change, this, [v] { v->HScroll2_Change(); });
    connect(HScroll2, &ScrollBar::Scroll, this, [v] { v->HScroll2_Scroll(); });
    connect(Command16, &QPushButton::clicked, tray.get(), &Tray::Command16_Click);
    HelpAndAbout* h = helpAbout.get();
    connect(Command17, &QPushButton::clicked, this, [h] { h->Command17_Click(); });
    connect(Command18, &QPushButton::clicked, this, [h] { h->Command18_Click(); });
}

// List2, the movie window and its two labels take dropped files, all with one body.
void Form1::connectDrops(QWidget* target)
{
    PlaylistHandlers* l = playlistHandlers.get();
    connect(new FileDropTarget(target), &FileDropTarget::dropped, this,
        [l](const QStringList& paths) { l->OLEDragDrop(paths); });
}

// The movie window's menu items that run the control window's handlers.
void Form1::connectMovieMenu(Form2& movie)
{
    Playback* p = playback.get();
    connect(movie.me_s_t, &MenuItem::Click, p, &Playback::Command2_Click);
    connect(movie.me_teisi, &MenuItem::Click, p, &Playback::Command9_Click);
    connect(movie.m_mae, &MenuItem::Click, p, &Playback::Command10_Click);
    connect(movie.m_yugi, &MenuItem::Click, p, &Playback::Command11_Click);
    Geometry* g = geometry.get();
    connect(movie.me_wari, &MenuItem::Click, this, [g] { g->Command7_Click(); });
    connect(movie.me_kake, &MenuItem::Click, this, [g] { g->Command8_Click(); });
    // The movie window asks for full screen only while Command22 is enabled.
    FullScreen* f = fullScreen.get();
    connect(movie.me_full, &MenuItem::Click, this, [f] { f->requested(); });
    connect(&movie, &Form2::fullScreenToggleRequested, this, [f] { f->requested(); });
    for (QWidget* target : {static_cast<QWidget*>(&movie), static_cast<QWidget*>(movie.Label1),
             static_cast<QWidget*>(movie.Label2)})
        connectDrops(target);
    connect(movie.c_hyouji, &MenuItem::Click, tray.get(), &Tray::c_hyouji_Click);
    connect(movie.ch_col, &MenuItem::Click, this,
        [this, &movie] { ch_col_Click(movie, *this, services.dialogs); });
    HelpAndAbout* h = helpAbout.get();
    connect(movie.me_about, &MenuItem::Click, this, [h] { h->me_about_Click(); });
}
