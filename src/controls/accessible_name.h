#pragma once

class QWidget;

// A control without a caption (a list, a picture button, a bare tick box), or whose caption is
// only a glyph (|<, ■, II, A), is named for screen readers by its tool tip, and the name follows
// the tool tip whenever the program changes it.
void nameByToolTip(QWidget& control);
