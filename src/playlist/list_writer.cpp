#include "playlist/list_writer.h"

#include "platform/native_file_name.h"
#include "playlist/playlist.h"
#include "settings/file_save.h"

namespace list_writer {

QByteArray content(const Playlist& playlist)
{
    QString text;
    for (int i = 0; i < playlist.count(); ++i) {
        text += playlist.path(i);
        text += u'=';
        text += playlist.name(i);
        text += u"\r\n";
    }
    return toNativeFileName(text);
}

int save(const QString& filePath, const Playlist& playlist)
{
    return saveFile(filePath, content(playlist));
}

}  // namespace list_writer
