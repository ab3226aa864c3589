#pragma once

#include "platform/media_engine.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <mpv/client.h>
#include <mpv/stream_cb.h>

// The URI of a stream of our own that reads `path`: the path travels in the URI, so the stream,
// opened on mpv's thread, needs nothing else of the engine's.
inline QByteArray streamUri(const char* protocol, const QString& path)
{
    return QByteArray(protocol) + "://" + QFile::encodeName(path).toPercentEncoding();
}

// The path streamUri() put in `uri`.
inline QString pathOfStreamUri(const char* uri)
{
    const QByteArray text(uri);
    const qsizetype start = text.indexOf("://");
    return QFile::decodeName(
        QByteArray::fromPercentEncoding(start < 0 ? text : text.mid(start + 3)));
}

// Hands mpv an opened stream: its reader and the functions that work on it. Returns 0 (success).
inline int streamOpened(mpv_stream_cb_info* info, void* cookie, mpv_stream_cb_read_fn read,
    mpv_stream_cb_seek_fn seek, mpv_stream_cb_size_fn size, mpv_stream_cb_close_fn close)
{
    info->cookie = cookie;
    info->read_fn = read;
    info->seek_fn = seek;
    info->size_fn = size;
    info->close_fn = close;
    return 0;
}

// Makes `protocol` open through `open` on this handle and gives the URI that opens `path` with it.
// Registered once per handle; a second registration is refused and changes nothing.
inline MediaError streamTarget(mpv_handle* mpv, const char* protocol, mpv_stream_cb_open_ro_fn open,
    const QString& path, QByteArray& target)
{
    const int rc = mpv_stream_cb_add_ro(mpv, protocol, nullptr, open);
    if (rc < 0 && rc != MPV_ERROR_INVALID_PARAMETER)
        return MediaError::Driver;
    target = streamUri(protocol, path);
    return MediaError::None;
}
