#include "playlist/list_writer.h"

#include "platform/native_file_name.h"
#include "playlist/list_reader.h"
#include "playlist/playlist.h"
#include "settings/file_save.h"
#include "settings/text_file.h"

#include <QUtf8StringView>

namespace list_writer {

QString line(const QString& path, const QString& name)
{
    const QString text = path + u'=' + name;
    if (text.contains(u',') || text.startsWith(u' '))
        return u'"' + text + u'"';
    return text;
}

namespace {

// The file's bytes for `text` (see the header).
QByteArray encode(const QString& text)
{
    QByteArray bytes = toNativeFileName(text);
    if (!QUtf8StringView(bytes).isValidUtf8())
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

// True when the readers read the entries back from `bytes` as `paths` and `names`, in order.
bool readsBack(const QByteArray& bytes, const QStringList& paths, const QStringList& names)
{
    qsizetype i = 0;
    bool same = true;
    list_reader::readFields(bytes, [&](const QString& field) {
        const std::optional<list_reader::Entry> entry = list_reader::listEntry(field);
        same = i < paths.size() && entry && entry->path == paths[i] && entry->name == names[i];
        ++i;
        return same;
    });
    return same && i == paths.size();
}

Refusal refusal(const QString& path, const QString& name)
{
    const QString text = line(path, name);
    const QByteArray bytes = toNativeFileName(text);
    if (fromNativeFileName(bytes) != text)
        return Refusal::Unwritable;
    const bool tooLong = bytes.size() > text_file::MaxLineBytes ||
                         toNativeFileName(path).size() > list_reader::MaxFieldBytes ||
                         toNativeFileName(name).size() > list_reader::MaxFieldBytes;
    return tooLong ? Refusal::TooLong : Refusal::Separators;
}

}  // namespace

Content content(const Playlist& playlist)
{
    // The whole file is read back as the readers will read it; only when an entry does not come
    // back is each one tried on its own, to leave out just those that do not.
    QStringList paths, names;
    QString text;
    for (int i = 0; i < playlist.count(); ++i) {
        paths << playlist.path(i);
        names << playlist.name(i);
    }
    for (qsizetype i = 0; i < paths.size(); ++i)
        text += line(paths[i], names[i]) + QStringLiteral("\r\n");
    Content content{encode(text), {}};
    if (readsBack(content.bytes, paths, names))
        return content;

    text.clear();
    for (int i = 0; i < paths.size(); ++i) {
        const QString lineText = line(paths[i], names[i]);
        if (readsBack(encode(lineText + QStringLiteral("\r\n")), {paths[i]}, {names[i]}))
            text += lineText + QStringLiteral("\r\n");
        else
            content.leftOut << LeftOut{i, refusal(paths[i], names[i])};
    }
    content.bytes = encode(text);
    return content;
}

int save(const QString& filePath, const QByteArray& bytes) { return saveFile(filePath, bytes); }

}  // namespace list_writer
