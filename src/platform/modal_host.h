// The window that shows message boxes and modal dialogs under the topmost rule; the control
// window is the one, and its parts above the platform use it through this.
#pragma once

#include <QString>

class ModalHost {
public:
    // A message box under the topmost rule: the movie window is lifted before it and made
    // topmost again afterwards only when Check4 is ticked. `informative`: the file it is about,
    // under the text (Dialogs::MsgBox).
    virtual int MsgBox(const QString& text, int buttons, int icon, const QString& title = {},
        const QString& informative = {}) = 0;
    // The same rule around any other modal dialog: before it opens, and once it has closed.
    virtual void beforeModal() = 0;
    virtual void afterModal() = 0;

protected:
    ~ModalHost() = default;
};
