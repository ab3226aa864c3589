#pragma once

class QWidget;

// What a press of a control does: a button's click, or a slider moved one SmallChange up or down.
enum class Press { Click, Up, Down };

// Presses the control as the user's click (or arrow key on a slider) would, and only while it is
// enabled: every other way in to a control's handler (keys, shortcuts) comes through here, so a
// control that is off refuses it. Returns whether the control took the press.
bool press(QWidget& control, Press how);
