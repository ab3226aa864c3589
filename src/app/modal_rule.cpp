// The control window (Form1), part: message boxes and dialogs, with the movie window out of
// their way while they are shown.
#include "app/form1.h"
#include "app/services.h"
#include "controls/check_box.h"
#include "movie/form2.h"
#include "movie/topmost.h"
#include "platform/dialogs.h"

int Form1::MsgBox(
    const QString& text, int buttons, int icon, const QString& title, const QString& informative)
{
    beforeModal();
    const int answer = services.dialogs.MsgBox(text, buttons, icon, title, informative);
    afterModal();
    return answer;
}

// A box shown before the movie window exists (the mixer's message at the very start) has no
// movie window to lift, and must not create it early: its default place depends on the control
// window's, which is set only afterwards.
void Form1::beforeModal()
{
    if (form2_)
        SetTopMost(services.windows, form2_, 0);
}

void Form1::afterModal()
{
    if (form2_ && Check4->Value() == 1)
        SetTopMost(services.windows, form2_, 1);
}
