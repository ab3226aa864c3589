#include "app/controls/check_box.h"
#include "app/controls/menu_item.h"
#include "app/form1.h"
#include "app/services.h"
#include "movie/form2.h"
#include "movie/topmost.h"

// "手前に表示": Check4 owns the state, the movie window's topw1 mirrors it.
void Form1::Check4_Click()
{
    Form2& movie = form2();
    switch (Check4->Value()) {
    case 1:
        movie.topw1->setChecked(true);
        SetTopMost(services.windows, &movie, 1);
        break;
    case 0:
        movie.topw1->setChecked(false);
        SetTopMost(services.windows, &movie, 0);
        break;
    default:
        break;
    }
}
