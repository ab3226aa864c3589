// The program: the real services put together, the control window loaded and shown, and one
// orderly end (Form_Unload) whichever way the program is asked to stop.
#include "app/command_line.h"
#include "app/form1.h"
#include "app/mpris_bridge.h"
#include "app/services.h"
#include "audio/master_volume.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "mpris/mpris_service.h"
#include "playback/playback.h"
#include "platform/cdio/linux_drive_table.h"
#include "platform/linux/alsa_mixer.h"
#include "platform/linux/linux_desktop.h"
#include "platform/linux/qt_bell.h"
#include "platform/linux/qt_dialogs.h"
#include "platform/linux/qt_tray_icon.h"
#include "platform/linux/qt_window_layer.h"
#include "platform/linux/termination_signals.h"
#include "platform/linux/x11_errors.h"
#include "platform/linux/x11_server_lost.h"
#include "platform/linux/x11_screen_saver.h"
#include "platform/linux/x11_window_class.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/process_setup.h"
#include "platform/startup_trace.h"
#include "shell/program_icon.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    startup_trace::mark("main: libraries loaded");
    // First: it talks to the sound server on a thread of its own while Qt starts and the windows
    // are made (start-up's first step then takes what it found).
    AlsaMixer mixer;
    // Placing windows and the cursor needs X11 (XWayland on a Wayland desktop).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // The sound server's clients (the movie's stream among them) show the program's icon in the
    // desktop's sound settings.
    if (qEnvironmentVariableIsEmpty("PULSE_PROP"))
        qputenv("PULSE_PROP", "application.icon_name=reelbox");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("reelbox"));  // ~/.config/reelbox
    QApplication::setApplicationVersion(QStringLiteral(REELBOX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(REELBOX_APP_ID));
    QApplication::setWindowIcon(programIcon());
    // Both windows under the one launcher (the desktop entry's StartupWMClass).
    const X11WindowClass windowClass("reelbox", "ReelBox");
    setUpMoviePlayerProcess();
    QApplication::setQuitOnLastWindowClosed(false);  // the end is Form_Unload's
    startup_trace::mark("Qt: application and X connection");
    // Qt's own texts (the file dialogs, the buttons of message boxes) in the program's language,
    // whatever the desktop's.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    x11_errors::install();
    TerminationSignals termination;

    MpvEngine engine;
    MciInterpreter interpreter(engine);
    QtBell bell;
    MciChannel mci(interpreter, bell);
    QtWindowLayer windows;
    QtDialogs dialogs;
    X11ScreenSaver screenSaver;
    LinuxDriveTable drives;
    QtTrayIcon tray;
    LinuxDesktop desktop;
    Services services{mci, windows, dialogs, screenSaver, drives, mixer, tray, desktop,
        QCoreApplication::applicationDirPath()};
    startup_trace::mark("services (tray, drives, screen saver objects)");

    Form1 form1(services);
    startup_trace::mark("control window built");
    engine.whenLost([&form1] { form1.playback->openedMovieLost(); });
    QObject::connect(&form1, &Form1::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // A signal may come at any moment: before the event loop runs, inside a message box's or a
    // menu's own loop, between two steps of start-up. Form_Unload puts the system back, then
    // the process ends at once: whatever the signal interrupted would otherwise carry on after
    // shutdown (start-up switching the screen saver off again, the next list entry opened).
    QObject::connect(&termination, &TerminationSignals::received, &form1, [&form1](int) {
        form1.Form_Unload();
        std::fflush(nullptr);
        std::_Exit(0);
    });

    // The display server gone, at any moment from here on (a message box of start-up included):
    // the volume found at start is put back by the thread that finds the loss, and the process
    // ends there, before destructors meet the dead display. The screen saver's setting died
    // with that server; the desktop's inhibition ends with the program's bus connection.
    static MasterVolume* volumeToRestore = form1.volume.get();
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    x11_server_lost::watch(x11 ? x11->connection() : nullptr, [] { volumeToRestore->putBack(); });
    QObject::connect(&form1, &Form1::unloaded, [] { x11_server_lost::release(); });

    form1.Form_Load(command_line::join(command_line::arguments(argc, argv)));
    startup_trace::mark("start-up (Form_Load) done");
    if (form1.isUnloaded())  // asked to end while starting
        return 0;
    form1.show();
    startup_trace::mark("control window shown");

    // The desktop's media controls, once the windows are there to answer them.
    MprisBridge mprisBridge(form1, engine);
    MprisService mpris(mprisBridge, QApplication::desktopFileName());
    if (mpris.isRegistered())
        mprisBridge.attach(mpris);
    startup_trace::mark("D-Bus: media controls (MPRIS) registered");
    QTimer::singleShot(0, [] { startup_trace::finish("event loop running"); });

    const int rc = QApplication::exec();
    // However the loop ended, the system's settings are put back.
    form1.Form_Unload();
    return rc;
}
