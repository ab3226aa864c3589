#pragma once

#include <clocale>
#include <malloc.h>

// Settings of the whole process that a program playing movies makes once, at the start of
// main(), after the QApplication (which sets the locale from the environment).
inline void setUpMoviePlayerProcess()
{
    // Decoders and the video output free large buffers, which makes glibc raise its mmap and
    // trim thresholds to their size: from then on such buffers come from the threads' arenas,
    // which keep megabytes of free memory after every file (tens of MB over a hundred files,
    // never given back). Fixed thresholds give large buffers back as they are freed; the
    // engine's trim at close gives back what is left free between the blocks still in use.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    // libmpv refuses to start under a locale whose decimal point is not ".".
    std::setlocale(LC_NUMERIC, "C");
}
