#include "playlist/list_writer.h"

#include "platform/native_file_name.h"
#include "playlist/list_reader.h"
#include "playlist/playlist.h"
#include "settings/file_save.h"

namespace list_writer {

QString line(const QString& path, const QString& name)
{
    const QString text = path + u'=' + name;
    if (text.contains(u',') || text.startsWith(u' '))
        return u'"' + text + u'"';
    return text;
}

bool readsBack(const QString& path, const QString& name)
{
    const QStringList fields = list_reader::fields(line(path, name) + QStringLiteral("\r\n"));
    if (fields.size() != 1)
        return false;
    const std::optional<list_reader::Entry> entry = list_reader::listEntry(fields.front());
    return entry && entry->path == path && entry->name == name;
}

Content content(const Playlist& playlist)
{
    Content content;
    QString text;
    for (int i = 0; i < playlist.count(); ++i) {
        if (!readsBack(playlist.path(i), playlist.name(i))) {
            content.leftOut << i;
            continue;
        }
        text += line(playlist.path(i), playlist.name(i));
        text += u"\r\n";
    }
    content.bytes = toNativeFileName(text);
    return content;
}

int save(const QString& filePath, const QByteArray& bytes) { return saveFile(filePath, bytes); }

}  // namespace list_writer
