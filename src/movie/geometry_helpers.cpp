#include "movie/geometry_helpers.h"

namespace geometry {

std::optional<WId> handleFromReply(const QString& reply)
{
    const QString text = reply.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || value == 0)
        return std::nullopt;
    return static_cast<WId>(value);
}

}  // namespace geometry
