#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <vector>

class QWidget;

// Keeps X11 top-level windows on top across hide and show. The window manager drops a window's
// state when it is hidden, and Qt writes the state from its own flags (which we leave alone)
// when it shows the window again, so a window meant to stay on top asks again each time it
// is shown: into its state before it is mapped, and once more when it is exposed.
class StayOnTopKeeper : public QObject {
public:
    using QObject::QObject;

    // Sets or clears stay-on-top of `window` (created natively if need be) and remembers it.
    void set(QWidget* window, bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kept {
        QPointer<QWidget> widget;
        QPointer<QWindow> handle;
        bool exposePending = false;
    };
    std::vector<Kept>::iterator find(QObject* watched);
    void forget(std::vector<Kept>::iterator it);

    std::vector<Kept> kept_;
};
