#pragma once

#include <QByteArray>
#include <QString>

class Playlist;

// Writing list files (.vep): one line per entry in playlist order, the path, "=" and the display
// name with nothing around them, each line ended by CR LF. UTF-8; the bytes of a file name that
// is not UTF-8 are written as they are, so the path still names the file.
namespace list_writer {

QByteArray content(const Playlist& playlist);

// Saves the playlist to filePath as saveFile() saves (a failed save leaves the previous file
// intact). Returns 0, or the errno value of the failure.
int save(const QString& filePath, const Playlist& playlist);

}  // namespace list_writer
