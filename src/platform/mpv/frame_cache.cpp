#include "platform/mpv/frame_cache.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// Small pictures need not fill the budget: a few keyframe ranges are plenty.
constexpr int MaxKept = 600;
// How far back a seek goes again, in frames, when it landed after the keyframe it needed (seeks
// in MPEG program streams go by time stamps, not by keyframes).
constexpr std::int64_t RetryBackFrames = 60;
constexpr int Retries = 5;

// What a decoded picture's buffers take.
std::int64_t bytesOf(const AVFrame* picture)
{
    std::int64_t bytes = 0;
    for (const AVBufferRef* buffer : picture->buf)
        bytes += buffer ? std::int64_t(buffer->size) : 0;
    return bytes;
}

struct PacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

// The file with only its video stream read; null when it has none libavformat can read.
// `interrupt` ends reading at once.
AVFormatContext* openVideo(const QByteArray& path, int& stream, const AVIOInterruptCB& interrupt)
{
    AVFormatContext* format = avformat_alloc_context();
    if (!format)
        return nullptr;
    format->interrupt_callback = interrupt;
    if (avformat_open_input(&format, path.constData(), nullptr, nullptr) < 0)
        return nullptr;
    stream = avformat_find_stream_info(format, nullptr) < 0
                 ? -1
                 : av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0) {
        avformat_close_input(&format);
        return nullptr;
    }
    for (unsigned i = 0; i < format->nb_streams; ++i)
        format->streams[i]->discard = int(i) == stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    return format;
}

}  // namespace

void FrameDeleter::operator()(AVFrame* f) const { av_frame_free(&f); }

FrameCache::~FrameCache() { close(); }

bool FrameCache::open(const QByteArray& path, double fps)
{
    close();
    if (!(fps > 0) || !(format_ = openVideo(path, stream_, {&FrameCache::interrupted, this})))
        return false;
    const AVStream* s = format_->streams[stream_];
    path_ = path;
    fps_ = fps;
    timeBase_ = av_q2d(s->time_base);
    capacity_.store(capacityFor(s->codecpar->width, s->codecpar->height));
    return true;
}

void FrameCache::close()
{
    release();
    avformat_close_input(&format_);
    stream_ = -1;
    firstKnown_ = false;
    capacity_.store(0);
}

void FrameCache::release()
{
    clearKept();
    avcodec_free_context(&decoder_);
    buffers_.trim();
}

int FrameCache::interrupted(void* self)
{
    return static_cast<FrameCache*>(self)->stopped() ? 1 : 0;
}

void FrameCache::clearKept()
{
    std::lock_guard<std::mutex> lock(lock_);
    for (Kept& k : kept_)
        av_frame_free(&k.picture);
    kept_.clear();
    keptBytes_ = 0;
}

const AVFrame* FrameCache::keptLocked(std::int64_t n) const
{
    const auto it = std::lower_bound(
        kept_.begin(), kept_.end(), n, [](const Kept& k, std::int64_t m) { return k.n < m; });
    return it != kept_.end() && it->n == n ? it->picture : nullptr;
}

bool FrameCache::has(std::int64_t n) const
{
    std::lock_guard<std::mutex> lock(lock_);
    return keptLocked(n) != nullptr;
}

AVFrame* FrameCache::copyOf(std::int64_t n) const
{
    std::lock_guard<std::mutex> lock(lock_);
    const AVFrame* picture = keptLocked(n);
    return picture ? av_frame_clone(picture) : nullptr;
}

std::int64_t FrameCache::firstKept() const
{
    std::lock_guard<std::mutex> lock(lock_);
    return kept_.empty() ? -1 : kept_.front().n;
}

std::int64_t FrameCache::lastKept() const
{
    std::lock_guard<std::mutex> lock(lock_);
    return kept_.empty() ? -1 : kept_.back().n;
}

std::int64_t FrameCache::keptBytes() const
{
    std::lock_guard<std::mutex> lock(lock_);
    return keptBytes_;
}

int FrameCache::capacityFor(int width, int height)
{
    const std::int64_t bytes = std::int64_t(std::max(width, 16)) * std::max(height, 16) * 3 / 2;
    return int(std::clamp<std::int64_t>(BudgetBytes / bytes, 2, MaxKept));
}

bool FrameCache::startDecoder()
{
    if (decoder_)
        return true;
    const AVCodecParameters* par = format_->streams[stream_]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    decoder_ = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!decoder_ || avcodec_parameters_to_context(decoder_, par) < 0) {
        avcodec_free_context(&decoder_);
        return false;
    }
    decoder_->pkt_timebase = format_->streams[stream_]->time_base;
    // One thread: on a two-core machine frame threads made a range slower, each holding a
    // picture more, on fresh memory.
    decoder_->thread_count = 1;
    buffers_.serve(decoder_);
    if (avcodec_open2(decoder_, codec, nullptr) < 0) {
        avcodec_free_context(&decoder_);
        return false;
    }
    return true;
}

std::int64_t FrameCache::frameAt(std::int64_t pts) const
{
    return std::llround(double(pts - firstPts_) * timeBase_ * fps_);
}

std::int64_t FrameCache::ptsOf(std::int64_t frame) const
{
    return firstPts_ + std::llround(double(frame) / fps_ / timeBase_);
}

// The first picture's time stamp, where the counting starts.
bool FrameCache::findFirstPicture()
{
    // Read once, straight after opening: the file is still at its start.
    if (firstKnown_)
        return true;
    std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameDeleter> picture(av_frame_alloc());
    bool draining = false;
    while (true) {
        const int got = avcodec_receive_frame(decoder_, picture.get());
        if (got == 0 && picture->best_effort_timestamp != AV_NOPTS_VALUE) {
            firstPts_ = picture->best_effort_timestamp;
            firstKnown_ = true;
            return true;
        }
        if (got == AVERROR_EOF || (got == AVERROR(EAGAIN) && draining) || stopped())
            return false;
        if (got == 0)
            continue;
        feed(packet.get(), draining);
    }
}

// Gives the decoder the next packet of the picture stream, or, at the end of the file, the
// signal to hand out what it still holds (`draining` from then on).
void FrameCache::feed(AVPacket* packet, bool& draining)
{
    if (av_read_frame(format_, packet) < 0) {
        avcodec_send_packet(decoder_, nullptr);
        draining = true;
        return;
    }
    if (packet->stream_index == stream_)
        avcodec_send_packet(decoder_, packet);
    av_packet_unref(packet);
}

bool FrameCache::prepare()
{
    if (!format_ || !startDecoder())
        return false;
    if (findFirstPicture())
        return true;
    if (!stopped())
        close();  // no counting to go by: the file is no use here
    return false;
}

const AVFrame* FrameCache::frame(std::int64_t n, int keep)
{
    if (!format_ || n < 0)
        return nullptr;
    // Read without the lock: only the decoding thread changes what is kept.
    if (const AVFrame* f = keptLocked(n))
        return f;
    if (!prepare())
        return nullptr;
    target_ = n;
    if (!fill(n, keep > 0 ? std::min(keep, capacity()) : capacity()))
        return nullptr;
    return keptLocked(n);
}

void FrameCache::fillBefore(std::int64_t n)
{
    if (!format_ || !decoder_ || n < 0 || !cut_ || keep_ >= capacity() || target_ != n || stopped())
        return;
    fill(n, capacity());
}

int FrameCache::quickKeep() const
{
    // The reserve holds the budget's share of pictures, less the decoder's own meanwhile (up to
    // four: references, the one out).
    constexpr int DecoderHolds = 4;
    const int reserved = int(capacity() * ReserveBytes / BudgetBytes);
    return std::clamp(reserved - DecoderHolds, 2, std::max(capacity(), 2));
}

bool FrameCache::fill(std::int64_t n, int keep)
{
    keep_ = keep;
    cut_ = false;
    std::int64_t back = 0;
    for (int attempt = 0; attempt < Retries; ++attempt) {
        bool tooLate = false;
        // A seek to the first frame can land on a later keyframe too: the start is where a file
        // just opened stands.
        const std::int64_t from = n - back > 0 ? n - back : attempt > 0 ? -1 : 0;
        if (decodeFrom(from, n, tooLate))
            return true;
        if (!tooLate || from < 0 || stopped())
            return false;
        back = back ? back * 2 : RetryBackFrames;
    }
    return false;
}

bool FrameCache::reopen()
{
    int stream = -1;
    AVFormatContext* again = openVideo(path_, stream, {&FrameCache::interrupted, this});
    if (!again || stream != stream_) {
        avformat_close_input(&again);
        return false;
    }
    avformat_close_input(&format_);
    format_ = again;
    return true;
}

// Seeks to the keyframe at or before `seekFrame` (-1: the start of the file) and decodes on to
// frame n. `tooLate` when the seek has to go further back: it failed, or the first whole picture
// came after n.
bool FrameCache::decodeFrom(std::int64_t seekFrame, std::int64_t n, bool& tooLate)
{
    if (seekFrame < 0 && !reopen())
        return false;
    // Seeks by time stamps (MPEG program streams) fail close to the end of the file.
    if (seekFrame >= 0 &&
        av_seek_frame(format_, stream_, ptsOf(seekFrame), AVSEEK_FLAG_BACKWARD) < 0) {
        tooLate = true;
        return false;
    }
    avcodec_flush_buffers(decoder_);
    std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameDeleter> picture(av_frame_alloc());
    bool whole = false;  // from a keyframe on, every picture is complete
    bool reached = false;  // a whole picture at or before n
    bool draining = false;
    while (!stopped()) {
        const int got = avcodec_receive_frame(decoder_, picture.get());
        if (got == 0) {
            const std::int64_t pts = picture->best_effort_timestamp;
            const std::int64_t k = pts == AV_NOPTS_VALUE ? -1 : frameAt(pts);
            whole = whole || picture->key_frame;
            if (whole && k > n)
                break;
            reached = reached || (whole && k >= 0);
            cut_ = cut_ || (reached && k <= n - keep_);
            if (reached && k >= std::max<std::int64_t>(0, n - keep_ + 1))
                keep(k, av_frame_clone(picture.get()));
            av_frame_unref(picture.get());
            if (whole && k >= 0 && onPicture_)
                onPicture_(k);
            continue;
        }
        if (got == AVERROR_EOF || (got == AVERROR(EAGAIN) && draining))
            break;  // the end of the file: n is its last picture, or past it
        if (got != AVERROR(EAGAIN))
            return false;
        feed(packet.get(), draining);
    }
    tooLate = !reached && !stopped();
    return keptLocked(n) != nullptr;
}

void FrameCache::keep(std::int64_t n, AVFrame* picture)
{
    if (!picture)
        return;
    std::vector<AVFrame*> gone;  // freed after the lock: readers on other threads wait for none
    {
        std::lock_guard<std::mutex> lock(lock_);
        const auto at = std::lower_bound(
            kept_.begin(), kept_.end(), n, [](const Kept& k, std::int64_t m) { return k.n < m; });
        // A picture that repeats a number (time stamps rounded onto the same frame) replaces
        // none: the first one is what a seek shows.
        if (at != kept_.end() && at->n == n) {
            gone.push_back(picture);
        } else {
            kept_.insert(at, {n, picture});
            keptBytes_ += bytesOf(picture);
        }
        // Over the budget, the pictures past the frame asked for go first, then the earliest.
        while (kept_.size() > 1 && (int(kept_.size()) > capacity() || keptBytes_ > BudgetBytes)) {
            const bool last = kept_.back().n > target_;
            gone.push_back(last ? kept_.back().picture : kept_.front().picture);
            keptBytes_ -= bytesOf(gone.back());
            if (last)
                kept_.pop_back();
            else
                kept_.pop_front();
        }
    }
    for (AVFrame* f : gone)
        av_frame_free(&f);
}
