#include "platform/cdio/disc_path.h"

#include <QFile>

#include <sys/stat.h>

namespace {

bool statPath(const QString& path, struct stat& st)
{
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

}  // namespace

DiscSourceKind discSourceKind(const QString& path)
{
    struct stat st { };
    if (!statPath(path, st))
        return DiscSourceKind::None;
    if (S_ISBLK(st.st_mode))
        return DiscSourceKind::Drive;
    if (S_ISREG(st.st_mode) && path.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
        return DiscSourceKind::Image;
    return DiscSourceKind::None;
}

std::optional<DiscPath> splitDiscPath(const QString& path)
{
    for (qsizetype slash = path.indexOf(QLatin1Char('/'), 1); slash > 0;
         slash = path.indexOf(QLatin1Char('/'), slash + 1)) {
        const QString prefix = path.left(slash);
        struct stat st { };
        if (!statPath(prefix, st))
            return std::nullopt;
        if (S_ISDIR(st.st_mode))
            continue;
        if (discSourceKind(prefix) == DiscSourceKind::None)
            return std::nullopt;
        return DiscPath{prefix, path.mid(slash + 1)};
    }
    return std::nullopt;
}
