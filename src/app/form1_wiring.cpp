#include "app/controls/check_box.h"
#include "app/controls/dir_list_box.h"
#include "app/controls/file_list_box.h"
#include "app/form1.h"

#include <QTimer>

// Every handler of the control window is connected here, once, with typed connections. The
// playback and geometry handlers are wired by their own folder (playback_wiring.cpp).
void Form1::connectHandlers()
{
    connect(Check3, &CheckBox::Click, this, &Form1::Check3_Click);
    connect(Check7, &CheckBox::Click, this, &Form1::Check7_Click);
    connect(Check4, &CheckBox::Click, this, &Form1::Check4_Click);
    connect(Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);
    // The file list always shows what the folder browser's folder holds.
    connect(Dir1, &DirListBox::Change, this, [this] { File1->setPath(Dir1->Path()); });
    // Check5 (Video-CD mode), Combo1, Timer2, HScroll2, Command16..18 and the list buttons are
    // connected by the issues that bring their handlers.
    connectPlaybackHandlers();
}
