#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QtGui/qwindowdefs.h>
#include <cstdint>
#include <optional>

namespace geometry {

// The video window's handle from the reply of "status avfile window handle": a positive whole
// decimal number, nothing otherwise (a device without a video window, or an error text).
std::optional<WId> handleFromReply(const QString& reply);

// The full-screen picture: the largest 4:3 size that leaves 22 pixels of the screen free in the
// limiting direction, and where the video window stands in a window covering the screen
// (centred, then one pixel left and three down). Pixels.
struct FullScreenFit {
    std::int32_t w = 0, h = 0;
    QPoint video;
};
FullScreenFit fullScreenFit(QSize screenPixels);

// The strip's tool tip naming the stored picture size.
QString originalSizeTip(std::int32_t w, std::int32_t h);

}  // namespace geometry
