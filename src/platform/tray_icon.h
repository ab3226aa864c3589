#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>
#include <functional>

// Mouse messages of a tray icon, numbered as the icon's notifications have always been.
namespace traymsg {
constexpr std::uint32_t MouseMove = 0x0200;
constexpr std::uint32_t LButtonDown = 0x0201;  // a press of the left button
constexpr std::uint32_t LButtonDblClk = 0x0203;  // a double click
constexpr std::uint32_t RButtonDown = 0x0204;
constexpr std::uint32_t MButtonDown = 0x0207;
}  // namespace traymsg

// The icon in the desktop's notification area that stands for the hidden control window.
class TrayIcon {
public:
    using Handler = std::function<void(std::uint32_t mouseMessage)>;

    virtual ~TrayIcon() = default;

    // Puts the icon into the tray (or replaces the one there).
    virtual void add(const QIcon& icon, const QString& tip) = 0;
    // Takes it out; nothing happens when there is none.
    virtual void remove() = 0;
    // Where the icon's mouse messages go.
    virtual void setHandler(Handler handler) = 0;
};
