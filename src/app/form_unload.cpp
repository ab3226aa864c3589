// The control window (Form1), part: shutdown (Form_Unload) and the screen-saver keeper.
#include "app/form1.h"
#include "app/services.h"
#include "audio/master_volume.h"
#include "movie/form2.h"
#include "platform/screen_saver.h"
#include "shell/tray.h"

#include <QTimer>

// Shutdown: whatever was changed in the system is put back, the device closed, both windows
// closed. Runs once, whichever way the program ends (window closed, menu, signal).
void Form1::Form_Unload()
{
    if (unloading_)
        return;
    unloading_ = true;

    // 1.
    tray->unload();
    // 2.
    volume->close();

    // 3.
    services.screenSaver.setActive(true);

    // 4.
    closeDevice(services.mci, services.windows, video);

    // Nothing may tick into a closed device while the windows go away.
    for (QTimer* t : {Timer1, Timer2, Timer3})
        t->stop();

    // 5. and 6.
    if (form2_) {
        form2_->stopTimers();
        form2_->close();
    }
    close();
    emit unloaded();
}

// The keeper: somebody may have switched the screen saver on again while we run.
void Form1::Timer3_Timer()
{
    if (services.screenSaver.isActive())
        services.screenSaver.setActive(false);
}
