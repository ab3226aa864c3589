#include "app/controls/check_box.h"
#include "app/controls/list_box.h"
#include "app/controls/menu_item.h"
#include "app/controls/scroll_bar.h"
#include "app/form1.h"
#include "movie/form2.h"

#include <QPushButton>
#include <QTimer>

// Connects the transport, position and geometry handlers to the controls that run them.
void Form1::connectPlaybackHandlers()
{
    connect(List2, &ListBox::Click, this, &Form1::List2_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command14, &QPushButton::clicked, this, &Form1::Command14_Click);
    connect(HScroll1, &ScrollBar::Change, this, &Form1::HScroll1_Change);
    connect(HScroll1, &ScrollBar::Scroll, this, &Form1::HScroll1_Scroll);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Check6, &CheckBox::Click, this, &Form1::Check6_Click);
    connect(Command10, &QPushButton::clicked, this, &Form1::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &Form1::Command11_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(Command23, &QPushButton::clicked, this, &Form1::Command23_Click);
}

// Connects the movie window's menu items that run Form1's playback and geometry handlers.
void Form1::connectPlaybackMenu(Form2& movie)
{
    connect(movie.me_s_t, &MenuItem::Click, this, &Form1::Command2_Click);
    connect(movie.me_teisi, &MenuItem::Click, this, &Form1::Command9_Click);
    connect(movie.m_mae, &MenuItem::Click, this, &Form1::Command10_Click);
    connect(movie.m_yugi, &MenuItem::Click, this, &Form1::Command11_Click);
    connect(movie.me_wari, &MenuItem::Click, this, &Form1::Command7_Click);
    connect(movie.me_kake, &MenuItem::Click, this, &Form1::Command8_Click);
}
