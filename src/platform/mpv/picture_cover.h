#pragma once

#include <QImage>
#include <QWidget>

struct AVFrame;
struct SwsContext;

// A decoded picture shown in the video window, over what mpv draws there, until hidden.
//
// mpv shows only what its own decoder reached; a picture decoded beside it (FrameCache) is shown
// by this native child of the video window, raised above mpv's window and sized with it. It is
// painted before show() returns, so it is on screen when the step is answered.
class PictureCover : public QWidget {
public:
    explicit PictureCover(QWidget* video);
    ~PictureCover() override;

    // Converts `picture` to the window's size and shows it; false when it cannot be converted.
    bool cover(const AVFrame* picture);
    // Hides the picture; the memory it was drawn in stays, for the next one.
    void uncover();
    // Makes ready the memory a picture of the window's size is drawn in: the first step back
    // after a pause then finds it in hand. At a window's size, 8 MB at 1080p.
    void prepare();
    bool covering() const { return shown_ != nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool convert();

    AVFrame* shown_ = nullptr;  // a reference to the picture shown, to convert again on resizes
    SwsContext* scaler_ = nullptr;
    QImage image_;
};
