#pragma once

#include <QByteArray>
#include <QObject>

// Gives every window of the program the same X11 WM_CLASS (instance and class), as each is
// created: docks, taskbars and the desktop entry's StartupWMClass group the control window, the
// movie window and the dialogs under the one launcher. Qt would take the class from the
// application's name, which also names the config folder and untitled windows.
class X11WindowClass : public QObject {
public:
    X11WindowClass(QByteArray instance, QByteArray className, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QByteArray instance_, class_;
};
