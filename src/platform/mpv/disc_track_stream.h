#pragma once

#include "platform/media_engine.h"

#include <QByteArray>
#include <QString>

struct mpv_handle;

// Video-CD tracks on a disc or disc image ("/dev/sr0/MPEGAV/AVSEQ01.DAT"): the system would read
// them as 2048-byte Form 1 sectors and lose the movie data, so they are read raw, Form 2, and
// handed to mpv through a stream of their own.
//
// Whether `path` lies on a disc or disc image.
bool isDiscTrackPath(const QString& path);

// For such a path: registers the stream on `mpv` and sets `target` to the URI to load, or
// answers FileNotFound when the disc or the file on it cannot be read. For any other path:
// None, and `target` is left empty.
MediaError discTrackTarget(mpv_handle* mpv, const QString& path, QByteArray& target);
