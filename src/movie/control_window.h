#pragma once

#include "platform/modal_host.h"

class CheckBox;
class Form2;
class QPushButton;

// The control window as the movie window and the geometry handlers use it. Form1 implements it.
class ControlWindow : public ModalHost {
public:
    // The movie window, created (and loaded) on first use.
    virtual Form2& form2() = 0;

    // Place and size of the control window's outer frame, in twips.
    virtual int Top() const = 0;
    virtual int Left() const = 0;
    virtual int Width() const = 0;

    // Whether the movie window is in full screen.
    virtual bool fullScreenOn() const = 0;

    // The program's one orderly end.
    virtual void Form_Unload() = 0;

protected:
    ~ControlWindow() = default;
};

// The control window's controls that the movie window mirrors or asks.
struct MirroredControls {
    CheckBox* Check3;  // Loop, mirrored by me_loop
    CheckBox* Check4;  // keep in front, mirrored by topw1
    CheckBox* Check7;  // Loop only the selected entry, mirrored by me_loop_only
    QPushButton* Command22;  // full screen: a double press asks for it only while it is enabled
};
