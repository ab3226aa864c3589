// The movie window (Form2), part: the keep-in-front switch.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "movie/form2.h"
#include "movie/topmost.h"

// "手前に表示": the control window's Check4 owns the state, topw1 mirrors it.
void Form2::Check4_Click()
{
    switch (form1Controls.Check4->Value()) {
    case 1:
        topw1->setChecked(true);
        SetTopMost(windows, this, 1);
        break;
    case 0:
        topw1->setChecked(false);
        SetTopMost(windows, this, 0);
        break;
    default:
        break;
    }
}
