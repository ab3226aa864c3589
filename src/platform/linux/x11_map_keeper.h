#pragma once

#include <QObject>

// Keeps every shown top-level window of the program really on the screen. A window hidden and
// shown again at once (start-up shows the movie window that way) races the window manager: the
// manager may still take the window down for the hide after it was asked to show it, and then
// the window stays unmapped while Qt believes it visible, for good. Such a window is mapped
// again once the manager has had its turn.
class X11MapKeeper : public QObject {
public:
    explicit X11MapKeeper(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
