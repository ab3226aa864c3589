#pragma once

#include <QString>
#include <QtGui/qwindowdefs.h>
#include <optional>

class Form2;

namespace geometry {

// The video window's handle from the reply of "status avfile window handle": a positive whole
// decimal number, nothing otherwise (a device without a video window, or an error text).
std::optional<WId> handleFromReply(const QString& reply);

// Lays Form2's Label1 along the bottom edge: top = height - 200 twips, left 130 twips, width of
// Form2 (its own height unchanged).
void placeStripLabel(Form2& movie);

}  // namespace geometry
