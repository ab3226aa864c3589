#include "platform/mpv/picture_cover.h"

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <QEvent>
#include <QPainter>

namespace {

// mpv's guess for pictures that do not say: HD sizes are BT.709, the rest BT.601.
int coefficientsOf(const AVFrame& f)
{
    switch (f.colorspace) {
    case AVCOL_SPC_BT709:
        return SWS_CS_ITU709;
    case AVCOL_SPC_BT470BG:
    case AVCOL_SPC_SMPTE170M:
        return SWS_CS_ITU601;
    case AVCOL_SPC_SMPTE240M:
        return SWS_CS_SMPTE240M;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
        return SWS_CS_BT2020;
    default:
        return f.width >= 1280 || f.height > 576 ? SWS_CS_ITU709 : SWS_CS_ITU601;
    }
}

}  // namespace

PictureCover::PictureCover(QWidget* video) : QWidget(video)
{
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);  // clicks go where they went without it
    setGeometry(video->rect());
    video->installEventFilter(this);
    hide();
}

PictureCover::~PictureCover()
{
    av_frame_free(&shown_);
    sws_freeContext(scaler_);
}

bool PictureCover::cover(const AVFrame* picture)
{
    av_frame_free(&shown_);
    shown_ = av_frame_clone(picture);
    if (!shown_ || !convert()) {
        uncover();
        return false;
    }
    if (isHidden())
        show();
    raise();  // mpv makes its own window in the video window when its output starts
    repaint();
    return true;
}

void PictureCover::uncover()
{
    hide();
    av_frame_free(&shown_);
}

void PictureCover::prepare()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = (QSizeF(this->size()) * ratio).toSize().expandedTo(QSize(1, 1));
    if (image_.size() != size) {
        image_ = QImage(size, QImage::Format_RGB32);  // blue, green, red, unused: BGRA in memory
        image_.fill(Qt::black);  // its pages in memory now, not at the step
    }
    image_.setDevicePixelRatio(ratio);
}

bool PictureCover::convert()
{
    prepare();
    scaler_ = sws_getCachedContext(scaler_, shown_->width, shown_->height,
        AVPixelFormat(shown_->format), image_.width(), image_.height(), AV_PIX_FMT_BGRA,
        SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler_)
        return false;
    const int* table = sws_getCoefficients(coefficientsOf(*shown_));
    sws_setColorspaceDetails(
        scaler_, table, shown_->color_range == AVCOL_RANGE_JPEG, table, 1, 0, 1 << 16, 1 << 16);
    uint8_t* dst[] = {image_.bits()};
    const int dstStride[] = {int(image_.bytesPerLine())};
    return sws_scale(scaler_, shown_->data, shown_->linesize, 0, shown_->height, dst, dstStride) >
           0;
}

void PictureCover::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (image_.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(QPoint(0, 0), image_);
}

bool PictureCover::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        if (shown_ && convert())
            update();
    }
    return QWidget::eventFilter(watched, event);
}
