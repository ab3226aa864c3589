#pragma once

#include "platform/linux/wm_state_keeper.h"
#include "platform/linux/x11_map_keeper.h"
#include "platform/window_layer.h"

#include <QObject>
#include <QPointer>
#include <map>

// The window layer over Qt: windows are found by their native id; stay-on-top and full screen
// are X11 window-manager states (never Qt's window flag, whose change re-creates the native
// window and the video window inside it), a plain raise elsewhere; a procedure installed on a window hears
// the presses on it (and on its children, native ones included) as ParentNotify messages.
class QtWindowLayer : public QObject, public WindowLayer {
    Q_OBJECT
public:
    explicit QtWindowLayer(QObject* parent = nullptr);
    ~QtWindowLayer() override;

    bool MoveWindow(WId hwnd, int x, int y, int width, int height, bool repaint) override;
    void setTopMost(QWidget* window, bool topmost) override;
    void setFullScreen(QWidget* window, bool on) override;
    WndProc SetWindowProc(WId hwnd, WndProc proc) override;
    void startSystemMove(QWidget* window) override;
    QMargins frameToCome(QWidget* window) override;
    QSize screenSize() override;
    QList<QRect> screenRects() override;
    QRect screenOf(QWidget* window) override;
    QPoint cursorPos() override;
    void setCursorPos(QPoint pos) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Hook {
        QPointer<QWidget> window;
        WndProc proc;
    };
    void watch(QWidget* widget);
    void unwatch(QWidget* widget);
    std::map<WId, Hook>::iterator hookOf(QObject* watched);

    std::map<WId, Hook> hooks_;
    WmStateKeeper wmStates_;
    X11MapKeeper mapKeeper_;
};
