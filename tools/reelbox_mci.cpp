// reelbox-mci: sends MCI command strings, one per line of standard input, through the player's
// own media channel (MciSend over the libmpv engine) and prints, for each line, the result
// code, a TAB and the reply text. Empty lines are skipped. Ends at the end of input.
//
//   reelbox-mci [--window]
//
// --window opens a 640x480 window and prints "window <handle>" on standard error, for
// "open ... style child parent <handle>"; parent 0 opens without video output. Without a
// display the Qt platform is "offscreen" (no picture; the video output is then null).
// REELBOX_VO / REELBOX_AO choose mpv's video and audio outputs.
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "platform/linux/qt_bell.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/process_setup.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

class Session {
public:
    Session() : interpreter_(engine_), mci_(interpreter_, bell_) { }

    // Reads what standard input has; handles every complete line. False at the end of input.
    bool readInput()
    {
        char chunk[4096];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n > 0) {
            pending_.append(chunk, n);
            qsizetype nl;
            while ((nl = pending_.indexOf('\n')) >= 0) {
                handle(pending_.left(nl));
                pending_.remove(0, nl + 1);
            }
            return true;
        }
        if (n < 0 && errno == EINTR)
            return true;
        if (!pending_.isEmpty())
            handle(pending_);
        pending_.clear();
        return false;
    }

    void finish() { engine_.close(); }

private:
    void handle(QByteArray line)
    {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            return;
        QString reply;
        const int rc = mci_.MciSend(QString::fromUtf8(line), reply);
        std::printf("%d\t%s\n", rc, reply.toUtf8().constData());
        std::fflush(stdout);
    }

    MpvEngine engine_;
    MciInterpreter interpreter_;
    QtBell bell_;
    MciChannel mci_;
    QByteArray pending_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpMoviePlayerProcess();

    std::unique_ptr<QWidget> window;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--window") {
            window = std::make_unique<QWidget>();
            window->setWindowTitle(QStringLiteral("reelbox-mci"));
            window->resize(640, 480);
            window->show();
            std::fprintf(stderr, "window %llu\n", static_cast<unsigned long long>(window->winId()));
            std::fflush(stderr);
        } else {
            std::fprintf(stderr, "usage: reelbox-mci [--window] < commands\n");
            return 2;
        }
    }

    Session session;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        if (!session.readInput()) {
            input.setEnabled(false);
            QApplication::quit();
        }
    });
    const int rc = app.exec();
    session.finish();
    return rc;
}
