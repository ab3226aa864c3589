#pragma once

#include <QString>
#include <optional>

// What can hold a disc: a drive's device node, or a disc image (a .cue file that names its .bin).
enum class DiscSourceKind { None, Drive, Image };

// Which of them `path` names. Anything else (a folder, a FIFO, a character device, another kind
// of file) is None, so that nothing is opened that could block or is not a disc.
DiscSourceKind discSourceKind(const QString& path);

// A path that names something on a disc: the disc's source and the path inside the disc.
struct DiscPath {
    QString source;  // "/dev/sr0" or "/home/me/disc.cue"
    QString inner;  // "MPEGAV/AVSEQ01.DAT"; "" for the root itself
};

// Splits "/dev/sr0/MPEGAV/AVSEQ01.DAT" at the first part of the path that is a disc source
// rather than a folder. Nothing for an ordinary path of the file system.
std::optional<DiscPath> splitDiscPath(const QString& path);
