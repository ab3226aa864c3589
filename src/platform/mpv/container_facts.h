#pragma once

#include <QSize>

struct mpv_handle;

// What a movie's container says about its picture before anything is decoded: enough to answer
// an open at once, the first picture following. Read while mpv waits for us after opening the
// file (its "on_preloaded" hook), when reading costs nothing.
struct ContainerFacts {
    QSize size;
    double fps = 0;
    double duration = 0;
    // One video track a decoder exists for, with a size, a rate and a length. Anything else
    // (no picture, cover art, several pictures to choose from, a codec we cannot decode, a
    // stream that does not say) is answered the long way, from its first decoded picture.
    bool complete = false;

    static ContainerFacts read(mpv_handle* mpv);
};
