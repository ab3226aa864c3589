// The control window (Form1), part: the loop options, mirrored in the movie window's menu.
#include "app/form1.h"
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "movie/form2.h"

// Loop: the movie window's menu mirrors it; the "selected only" option exists only under Loop.
void Form1::Check3_Click()
{
    Form2& movie = form2();
    switch (Check3->Value()) {
    case 0:
        movie.me_loop->setChecked(false);
        movie.me_loop_only->setChecked(false);
        movie.me_loop_only->setEnabled(false);
        Check7->setValue(0);
        Check7->setEnabled(false);
        break;
    case 1:
        movie.me_loop->setChecked(true);
        movie.me_loop_only->setEnabled(true);
        Check7->setEnabled(true);
        break;
    default:
        break;
    }
}

void Form1::Check7_Click()
{
    switch (Check7->Value()) {
    case 0:
        form2().me_loop_only->setChecked(false);
        break;
    case 1:
        form2().me_loop_only->setChecked(true);
        break;
    default:
        break;
    }
}
