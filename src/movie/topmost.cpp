#include "movie/topmost.h"

#include "platform/window_layer.h"

std::int32_t SetTopMost(WindowLayer& windows, QWidget* form, int mode)
{
    if (mode != 0 && mode != 1)
        return 0;
    windows.setTopMost(form, mode == 1);
    return 1;
}
