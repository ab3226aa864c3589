#include "playlist/file_kind.h"

FileKind fileKindOf(const QString& path)
{
    QString last = path.right(4);
    for (QChar& c : last) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    if (last == u".mpg" || last == u".dat" || last == u"mpeg")
        return FileKind::MpegVideo;
    if (last == u".avi")
        return FileKind::AviVideo;
    if (last == u".vep")
        return FileKind::ListFile;
    if (last == u".cue")
        return FileKind::DiscImage;
    return FileKind::Other;
}
