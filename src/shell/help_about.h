#pragma once

#include <QString>

class ControlWindow;
class Desktop;
class Dialogs;

// The help page (reelbox.htm beside the program, in the desktop's browser) and the About box,
// which the control window's "A" and the movie window's menu both show.
class HelpAndAbout {
public:
    HelpAndAbout(Desktop& desktop, Dialogs& dialogs, ControlWindow& form1, QString programDir);

    void Command18_Click();
    void Command17_Click();
    void me_about_Click();

private:
    void showAbout();

    Desktop& desktop_;
    Dialogs& dialogs_;
    ControlWindow& form1_;
    QString programDir_;
};
