#pragma once

#include <QString>
#include <cstdint>

class ControlWindow;
class Dialogs;
class MciChannel;
class QPushButton;
class WindowLayer;

// The picture size of the movie and the control window's geometry handlers: stored size or 4:3
// (Command4), halving (Command7), doubling (Command8), the size dialog (Command23, re_size).
// Sizes are pixels towards the device and the window system, twips inside the forms.
class Geometry {
public:
    // `Command4` is the Org/4:3 button, whose caption names the size its next click selects,
    // written from next_original.
    Geometry(ControlWindow& form1, QPushButton& Command4, MciChannel& mci, WindowLayer& windows,
        Dialogs& dialogs);

    std::int32_t mov_w = 0;  // picture width in pixels
    std::int32_t mov_h = 0;  // picture height in pixels

    // Up to four blank-separated numbers of a rectangle reply ("x y w h"); missing ones are 0.
    static void wind_xywh(
        const QString& a, std::int32_t& xs, std::int32_t& ys, std::int32_t& w, std::int32_t& h);
    // Applies mov_w x mov_h to the video window and sizes the movie window around it.
    void place_movie();

    void Command4_Click();
    void Command7_Click();
    void Command8_Click();
    void Command23_Click();
    void re_size(std::int16_t re_flg, const QString& re_w, const QString& re_h);

private:
    // Reads a rectangle from the device ("where avfile source" / "... destination") into
    // mov_w x mov_h.
    void readPictureSize(const QString& query);
    // Which size Command4's next click selects: the stored one ("Org") or 4:3 ("4:3").
    void setNextOriginal(bool original);

    ControlWindow& form1;
    QPushButton& Command4;
    MciChannel& mci;
    WindowLayer& windows;
    Dialogs& dialogs;
    bool next_original = true;
};
