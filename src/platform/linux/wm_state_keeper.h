#pragma once

#include "platform/linux/x11_wm_state.h"

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <vector>

class QWidget;

// Keeps window-manager states (stay-on-top, full screen) of X11 top-level windows across hide
// and show. The window manager drops a window's state when it is hidden, and Qt writes the state
// from its own flags (which we leave alone) when it shows the window again, so a window keeps
// asking each time it is shown: into its state before it is mapped, and once more when it is
// exposed.
class WmStateKeeper : public QObject {
public:
    using QObject::QObject;

    // Sets or clears `state` of `window` (created natively if need be) and remembers it.
    void set(QWidget* window, x11::WmState state, bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kept {
        QPointer<QWidget> widget;
        QPointer<QWindow> handle;
        unsigned states = 0;  // bits of x11::WmState
        bool exposePending = false;
    };
    std::vector<Kept>::iterator find(QObject* watched);
    void forget(std::vector<Kept>::iterator it);
    static void ask(const Kept& kept);

    std::vector<Kept> kept_;
};
