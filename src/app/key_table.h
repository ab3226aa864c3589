#pragma once

#include "controls/press.h"

#include <Qt>

// The keys of the movie window and the media keys: each presses one control of the control
// window (by its name), so it acts exactly as that control does, and only while it is enabled.
// The help page's table of keys lists these same rows.
namespace key_table {

enum class Where {
    MovieWindow,  // while the movie window has the focus (it has no control that takes keys)
    Anywhere,  // while either window has the focus: the keyboard's media keys
};

struct Key {
    Qt::Key key;
    const char* control;  // objectName of a control of the control window
    Press press;
    Where where;
    bool repeats;  // held down, the key acts again and again
};

using enum Press;
using enum Where;
inline constexpr Key keys[] = {
    {Qt::Key_Space, "Command2", Click, MovieWindow, false},
    {Qt::Key_Left, "Command6", Click, MovieWindow, true},
    {Qt::Key_Comma, "Command6", Click, MovieWindow, true},
    {Qt::Key_Right, "Command5", Click, MovieWindow, true},
    {Qt::Key_Period, "Command5", Click, MovieWindow, true},
    {Qt::Key_PageUp, "Command10", Click, MovieWindow, false},
    {Qt::Key_PageDown, "Command11", Click, MovieWindow, false},
    {Qt::Key_Home, "Command9", Click, MovieWindow, false},
    {Qt::Key_F, "Command22", Click, MovieWindow, false},
    {Qt::Key_Return, "Command22", Click, MovieWindow, false},
    {Qt::Key_Enter, "Command22", Click, MovieWindow, false},
    {Qt::Key_Up, "HScroll2", Up, MovieWindow, true},
    {Qt::Key_Down, "HScroll2", Down, MovieWindow, true},
    // Keyboards send Play for their one play/pause key; like other players, Pause toggles too.
    {Qt::Key_MediaPlay, "Command2", Click, Anywhere, false},
    {Qt::Key_MediaPause, "Command2", Click, Anywhere, false},
    {Qt::Key_MediaTogglePlayPause, "Command2", Click, Anywhere, false},
    {Qt::Key_MediaStop, "Command9", Click, Anywhere, false},
    {Qt::Key_MediaNext, "Command11", Click, Anywhere, false},
    {Qt::Key_MediaPrevious, "Command10", Click, Anywhere, false},
};

}  // namespace key_table
