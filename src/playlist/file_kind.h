#pragma once

#include <QString>

// What a file is, by the last four characters of its name, ASCII case ignored (the extensions
// are ASCII, and nothing else should match them): ".mpg", ".dat" and "mpeg" are MPEG video,
// ".avi" AVI video, ".vep" a list file, ".cue" a disc image (a Video-CD kept as .cue/.bin).
enum class FileKind { MpegVideo, AviVideo, ListFile, DiscImage, Other };

FileKind fileKindOf(const QString& path);

inline bool isMovie(FileKind kind)
{
    return kind == FileKind::MpegVideo || kind == FileKind::AviVideo;
}
