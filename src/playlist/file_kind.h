#pragma once

#include <QString>
#include <QStringList>

// What a file is. The program's first kinds go by the last four characters of the name, ASCII
// case ignored (the extensions are ASCII, and nothing else should match them): ".mpg", ".dat"
// and "mpeg" are MPEG video, ".avi" AVI video, ".vep" a list file, ".cue" a disc image (a
// Video-CD kept as .cue/.bin). The other movie containers libmpv plays (MP4, Matroska, WebM ...)
// go by the extension after the last ".", ASCII case ignored: see otherVideoExtensions().
enum class FileKind { MpegVideo, AviVideo, OtherVideo, ListFile, DiscImage, Other };

FileKind fileKindOf(const QString& path);

inline bool isMovie(FileKind kind)
{
    return kind == FileKind::MpegVideo || kind == FileKind::AviVideo ||
           kind == FileKind::OtherVideo;
}

// The extensions of OtherVideo, lower case, without the dot.
const QStringList& otherVideoExtensions();
// A file box's pattern that lists every movie kind: "*.dat;*.mpg;*.mpeg;*.avi;*.mp4;...".
QString allMoviesPattern();
