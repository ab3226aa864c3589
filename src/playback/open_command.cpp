#include "playback/open_command.h"

namespace open_command {

namespace {
// Only ASCII letters fold: the comparison must not depend on the locale.
QString asciiLower(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return out;
}
}  // namespace

QString typePart(const QString& path)
{
    const QString tail = asciiLower(path.right(4));
    if (tail == u".mpg" || tail == u".dat" || tail == u"mpeg")
        return QStringLiteral(" type mpegvideo alias avfile style child parent ");
    if (tail == u".avi")
        return QStringLiteral(" type avivideo alias avfile style child parent ");
    return QStringLiteral(" alias avfile style child parent ");
}

QString build(const QString& path, WId parent)
{
    return QStringLiteral("open \"") + path + QLatin1Char('"') + typePart(path) +
           QString::number(parent);
}

}  // namespace open_command
