#include "playback/open_command.h"

#include "playlist/file_kind.h"

namespace open_command {

QString typePart(const QString& path)
{
    switch (fileKindOf(path)) {
    case FileKind::MpegVideo:
        return QStringLiteral(" type mpegvideo alias avfile style child parent ");
    case FileKind::AviVideo:
        return QStringLiteral(" type avivideo alias avfile style child parent ");
    case FileKind::OtherVideo:  // no device type of its own: the engine knows it by its content
    default:
        return QStringLiteral(" alias avfile style child parent ");
    }
}
QString build(const QString& path, WId parent)
{
    return QStringLiteral("open \"") + path + QLatin1Char('"') + typePart(path) +
           QString::number(parent);
}

}  // namespace open_command
