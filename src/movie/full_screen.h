#pragma once

#include <QString>
#include <cstdint>

class CheckBox;
class ControlWindow;
class Geometry;
class MciChannel;
class QPushButton;
class QWidget;
class WindowLayer;

// Command22's caption shows the mode, written from it: "F解" in full screen, "Full" otherwise.
namespace full_screen {
inline const QString On = QStringLiteral("F解");
inline const QString Off = QStringLiteral("Full");
}  // namespace full_screen

// Full-screen mode: the movie window black over its whole screen with the movie fitted 4:3, the
// control window hidden, the movie window on top of all others and its menu cut down to the
// playback commands; and back, to exactly where and what it was.
class FullScreen {
public:
    // `controlWindow` is the control window itself (hidden while full screen lasts); `Check4`
    // decides the topmost state afterwards.
    FullScreen(ControlWindow& form1, QWidget& controlWindow, QPushButton& Command22,
        CheckBox& Check4, Geometry& geometry, MciChannel& mci, WindowLayer& windows);

    // Saved on entering, given back on leaving.
    std::int32_t fs_saved_w = 0, fs_saved_h = 0;  // picture size, pixels
    std::int32_t fs_saved_top = 0, fs_saved_left = 0;  // movie window's place, twips
    std::int32_t fs_saved_visible = 0;  // -1: the control window was visible
    std::int32_t fs_saved_back = 0;  // movie window's background colour

    // Whether the movie window is in full screen.
    bool isOn() const { return on_; }

    // Enters full screen, or leaves it when on.
    void Command22_Click();
    // The way the movie window's menu and presses ask: only while Command22 is enabled.
    void requested();

private:
    void enter();
    void leave();

    ControlWindow& form1;
    QWidget& controlWindow;
    QPushButton& Command22;
    CheckBox& Check4;
    Geometry& geometry;
    MciChannel& mci;
    WindowLayer& windows;
    bool on_ = false;
};
