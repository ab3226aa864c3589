#include "platform/linux/x11_server_lost.h"

#include <X11/Xlib.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>

namespace {

std::atomic<xcb_connection_t*> watched{nullptr};
std::atomic<void (*)()> action{nullptr};
std::once_flag putBackOnce;

[[noreturn]] void lost()
{
    std::call_once(putBackOnce, [] {
        std::fputs("reelbox: the X server has gone away\n", stderr);
        if (void (*putBack)() = action.load())
            putBack();
    });
    std::fflush(nullptr);
    std::_Exit(1);
}

extern "C" int onIoError(Display*) { lost(); }

}  // namespace

// Stands in for libxcb's for the whole process: Qt asks it before each round of its window
// thread's events, and exits when it answers an error.
extern "C" int xcb_connection_has_error(xcb_connection_t* connection)
{
    using Fn = int (*)(xcb_connection_t*);
    static const auto real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "xcb_connection_has_error"));
    const int error = real(connection);
    if (error != 0 && connection && connection == watched.load())
        lost();
    return error;
}

namespace x11_server_lost {

void watch(xcb_connection_t* qtConnection, void (*putBack)())
{
    action = putBack;
    watched = qtConnection;
    XSetIOErrorHandler(onIoError);
    // Any other exit() while the program runs: put back all the same.
    static const bool atExit = std::atexit([] {
        if (action.load())
            lost();
    }) == 0;
    (void)atExit;
}

void release()
{
    action = nullptr;
    watched = nullptr;
}

}  // namespace x11_server_lost
