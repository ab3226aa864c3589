#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>

class QLabel;
class QWidget;
class CheckBox;
class ControlWindow;
class TrayIcon;
class WindowLayer;

// Hiding the control window to a tray icon and bringing it back. Whether it is hidden is the
// check mark of the movie window's menu item c_hyouji; the icon is there exactly while it is.
//
// The user is never left without a window: the movie window stays on the screen while the
// control window is hidden (shown again when hiding, should it be away), its menu brings the
// control window back with or without a tray, and closing the movie window while the control
// window is hidden brings the control window back.
class Tray : public QObject {
    Q_OBJECT
public:
    Tray(TrayIcon& icon, WindowLayer& windows, ControlWindow& form1, QWidget& form1Window,
        QLabel& Picture1, CheckBox& Check4);

    // Mode 0 adds the icon (the picture of `GetPic`, the tip), 2 removes it; other modes nothing.
    void SysTrayIcon(QLabel& GetPic, const QString& GetTip, std::int32_t GetMode);

    // Shutdown: the icon goes, whether or not there is one.
    void unload();

    void Command16_Click();
    // The movie window's "ｺﾝﾄﾛｰﾙ非表示": hides the control window, or shows it when hidden.
    void c_hyouji_Click();
    // A mouse message of the icon (the picture box gets the tray's notifications).
    void Picture1_MouseMove(std::uint32_t message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void hideControlWindow();
    // The movie window watched for being closed while the control window is hidden.
    void watch(QWidget* movie);

    TrayIcon& icon_;
    WindowLayer& windows_;
    ControlWindow& form1_;
    QWidget& form1Window_;
    QLabel& Picture1_;
    CheckBox& Check4_;
    QPointer<QWidget> watched_;
};
