#include "movie/video_window.h"

#include "mci/mci_channel.h"

void closeDevice(MciChannel& mci, WindowLayer& windows, const VideoWindow& video)
{
    QString reply;
    if (mci.MciSend(QStringLiteral("close avfile"), reply) == 0)
        windows.SetWindowProc(video.mci_hwnd, video.old_proc);
}
