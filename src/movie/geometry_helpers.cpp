#include "movie/geometry_helpers.h"

#include "vbnum/vb_number.h"

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

FullScreenFit fullScreenFit(QSize screenPixels)
{
    constexpr double twips = vbnum::TwipsPerPixel;
    const double screenW = screenPixels.width() * twips;
    const double screenH = screenPixels.height() * twips;
    FullScreenFit fit;
    fit.w = vbnum::roundToInt32((screenW - 330) / twips);
    fit.h = vbnum::roundToInt32(fit.w * 3.0 / 4.0);
    if (screenH < fit.h * twips) {
        fit.h = vbnum::roundToInt32((screenH - 330) / twips);
        fit.w = vbnum::roundToInt32(fit.h * 4.0 / 3.0);
    }
    const double fx = (screenW - fit.w * twips) / 2;
    const double fy = (screenH - fit.h * twips) / 2;
    fit.video = QPoint(vbnum::roundToInt32(fx / twips - 1), vbnum::roundToInt32(fy / twips + 3));
    return fit;
}

QString originalSizeTip(std::int32_t w, std::int32_t h)
{
    return QStringLiteral("ｵﾘｼﾞﾅﾙｻｲｽﾞ：") + QString::number(w) + QStringLiteral("×") +
           QString::number(h);
}

}  // namespace geometry
