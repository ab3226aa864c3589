#pragma once

struct xcb_connection_t;

// The X server going away, met on whichever thread meets it first: Qt's window thread finds its
// own connection broken (and would call exit() at once), libmpv's output thread gets Xlib's I/O
// error on its connection (whose default handler calls exit() from there). Either way the
// program's put-back runs once, on that thread, while the other threads that find the loss wait
// for it; then the process ends with status 1, before anything of it is torn down: two threads
// in exit() at once would end the process in the middle of the put-back.
namespace x11_server_lost {

// From now on (QApplication has connected to X): `qtConnection` is Qt's connection, `putBack`
// what must be done before the end.
void watch(xcb_connection_t* qtConnection, void (*putBack)());
// The program has ended in its orderly way: an exit now is an ordinary one.
void release();

}  // namespace x11_server_lost
