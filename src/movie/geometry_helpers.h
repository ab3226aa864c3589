#pragma once

#include <QString>
#include <QtGui/qwindowdefs.h>
#include <optional>

namespace geometry {

// The video window's handle from the reply of "status avfile window handle": a positive whole
// decimal number, nothing otherwise (a device without a video window, or an error text).
std::optional<WId> handleFromReply(const QString& reply);

}  // namespace geometry
