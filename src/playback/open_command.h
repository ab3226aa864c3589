#pragma once

#include <QString>
#include <QtGui/qwindowdefs.h>

// The command that opens a movie under the alias avfile as a child of the movie window.
namespace open_command {

// The device part chosen by the last four characters of the path, ASCII case ignored:
// ".mpg", ".dat", "mpeg" -> mpegvideo, ".avi" -> avivideo, anything else (MP4, Matroska and the
// other containers too) -> none.
QString typePart(const QString& path);

// "open " + quoted path + type part + decimal parent handle.
QString build(const QString& path, WId parent);

}  // namespace open_command
