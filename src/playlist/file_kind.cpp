#include "playlist/file_kind.h"

namespace {

QString asciiLower(QString text)
{
    for (QChar& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return text;
}

}  // namespace

FileKind fileKindOf(const QString& path)
{
    const QString last = asciiLower(path.right(4));
    if (last == u".mpg" || last == u".dat" || last == u"mpeg")
        return FileKind::MpegVideo;
    if (last == u".avi")
        return FileKind::AviVideo;
    if (last == u".vep")
        return FileKind::ListFile;
    if (last == u".cue")
        return FileKind::DiscImage;
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot >= 0 && otherVideoExtensions().contains(asciiLower(path.mid(dot + 1))))
        return FileKind::OtherVideo;
    return FileKind::Other;
}

const QStringList& otherVideoExtensions()
{
    static const QStringList extensions{QStringLiteral("mp4"), QStringLiteral("m4v"),
        QStringLiteral("mkv"), QStringLiteral("webm"), QStringLiteral("mov"), QStringLiteral("ts"),
        QStringLiteral("m2ts"), QStringLiteral("mts"), QStringLiteral("wmv"), QStringLiteral("asf"),
        QStringLiteral("flv"), QStringLiteral("ogv"), QStringLiteral("3gp")};
    return extensions;
}

QString allMoviesPattern()
{
    QString pattern = QStringLiteral("*.dat;*.mpg;*.mpeg;*.avi");
    for (const QString& extension : otherVideoExtensions())
        pattern += QStringLiteral(";*.") + extension;
    return pattern;
}
