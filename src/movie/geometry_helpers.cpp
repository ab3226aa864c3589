#include "movie/geometry_helpers.h"

#include "app/vb_number.h"
#include "movie/form2.h"

#include <QLabel>

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

namespace {
int toPixels(int twips)
{
    return qRound(double(twips) / vbnum::TwipsPerPixel);
}
}  // namespace

void placeStripLabel(Form2& movie)
{
    QLabel& label = *movie.Label1;
    label.setGeometry(toPixels(130), toPixels(movie.Height() - 200), toPixels(movie.Width()),
                      label.height());
}

}  // namespace geometry
