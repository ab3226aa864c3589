#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

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
