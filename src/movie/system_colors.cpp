#include "movie/system_colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The system colour indexes in their classic order, each with the palette role that plays the
// same part on this desktop.
QColor systemColor(std::uint32_t index)
{
    static constexpr QPalette::ColorRole roles[] = {
        QPalette::Button,  // 0 scroll bar
        QPalette::Dark,  // 1 desktop
        QPalette::Highlight,  // 2 active caption
        QPalette::Mid,  // 3 inactive caption
        QPalette::Window,  // 4 menu
        QPalette::Base,  // 5 window
        QPalette::Shadow,  // 6 window frame
        QPalette::WindowText,  // 7 menu text
        QPalette::Text,  // 8 window text
        QPalette::HighlightedText,  // 9 caption text
        QPalette::Window,  // 10 active border
        QPalette::Window,  // 11 inactive border
        QPalette::Mid,  // 12 application workspace
        QPalette::Highlight,  // 13 highlight
        QPalette::HighlightedText,  // 14 highlight text
        QPalette::Button,  // 15 button face
        QPalette::Dark,  // 16 button shadow
        QPalette::PlaceholderText,  // 17 gray text
        QPalette::ButtonText,  // 18 button text
        QPalette::Midlight,  // 19 inactive caption text
        QPalette::Light,  // 20 button highlight
        QPalette::Shadow,  // 21 3D dark shadow
        QPalette::Midlight,  // 22 3D light
        QPalette::ToolTipText,  // 23 tool tip text
        QPalette::ToolTipBase,  // 24 tool tip background
    };
    if (index >= std::size(roles))
        return Qt::black;
    return QGuiApplication::palette().color(QPalette::Active, roles[index]);
}

}  // namespace

QColor colorFromStored(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if (bits & 0x80000000u)
        return systemColor(bits & 0x00FFFFFFu);
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}
