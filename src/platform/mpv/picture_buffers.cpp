#include "platform/mpv/picture_buffers.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
}

#include <sys/mman.h>
#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// Planes start on this boundary (the widest vector loads libavcodec makes), and each is followed
// by as much again, for decoders that read past a line's end.
constexpr std::size_t PlaneAlign = 64;
constexpr std::size_t PlanePadding = 2 * PlaneAlign;

std::size_t roundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

// Mapped with its pages already in: the kernel fills them in one go, cheaper than one fault a page.
std::uint8_t* mapBlock(std::size_t size)
{
    void* p = mmap(
        nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    return p == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(p);
}

}  // namespace

struct PictureBuffers::Store : std::enable_shared_from_this<PictureBuffers::Store> {
    struct Block {
        std::uint8_t* data;
        std::size_t size;
    };

    explicit Store(std::int64_t reserve) : reserve(reserve) { }

    std::uint8_t* take(std::size_t size)
    {
        std::vector<Block> gone;
        std::uint8_t* data = nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex);
            // Blocks of another size belong to pictures of another size: not wanted any more.
            const auto other = std::partition(
                idle.begin(), idle.end(), [size](const Block& b) { return b.size == size; });
            gone.assign(other, idle.end());
            idle.erase(other, idle.end());
            if (!idle.empty()) {
                data = idle.back().data;
                idle.pop_back();
            }
        }
        for (const Block& b : gone)
            munmap(b.data, b.size);
        return data ? data : mapBlock(size);
    }

    void giveBack(std::uint8_t* data, std::size_t size)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (owned) {
                idle.push_back({data, size});
                return;
            }
        }
        munmap(data, size);
    }

    // Keeps idle blocks up to `bytes`; with none kept, blocks that come back later are unmapped.
    void trim(std::int64_t bytes, bool stillOwned = true)
    {
        std::vector<Block> gone;
        {
            std::lock_guard<std::mutex> lock(mutex);
            owned = stillOwned;
            std::int64_t kept = 0;
            for (auto it = idle.begin(); it != idle.end();) {
                if (kept + std::int64_t(it->size) <= bytes) {
                    kept += std::int64_t(it->size);
                    ++it;
                } else {
                    gone.push_back(*it);
                    it = idle.erase(it);
                }
            }
        }
        for (const Block& b : gone)
            munmap(b.data, b.size);
    }

    const std::int64_t reserve;
    mutable std::mutex mutex;
    std::vector<Block> idle;
    bool owned = true;  // false once PictureBuffers is gone: blocks coming back are unmapped
};

namespace {

// What a picture out holds: its block's size and the store it goes back to.
struct Lease {
    std::shared_ptr<PictureBuffers::Store> store;
    std::size_t size;
};

void giveBack(void* opaque, std::uint8_t* data)
{
    const std::unique_ptr<Lease> lease(static_cast<Lease*>(opaque));
    lease->store->giveBack(data, lease->size);
}

// The planes of `frame` in one block, laid out as libavcodec's own buffers are: lines widened
// until each plane's are aligned as the codec asks, planes aligned and padded.
int getBuffer(AVCodecContext* decoder, AVFrame* frame, int flags)
{
    const auto format = AVPixelFormat(frame->format);
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
    if (!(decoder->codec->capabilities & AV_CODEC_CAP_DR1) || !desc ||
        (desc->flags & (AV_PIX_FMT_FLAG_HWACCEL | AV_PIX_FMT_FLAG_PAL)))
        return avcodec_default_get_buffer2(decoder, frame, flags);
    int w = frame->width;
    int h = frame->height;
    int lineAlign[AV_NUM_DATA_POINTERS] = {};
    avcodec_align_dimensions2(decoder, &w, &h, lineAlign);
    int linesize[4] = {};
    for (bool unaligned = true; unaligned; w += w & ~(w - 1)) {
        if (av_image_fill_linesizes(linesize, format, w) < 0)
            return AVERROR(EINVAL);
        unaligned = false;
        for (int i = 0; i < 4; ++i)
            unaligned = unaligned || (lineAlign[i] > 0 && linesize[i] % lineAlign[i] != 0);
    }
    const std::ptrdiff_t lines[4] = {linesize[0], linesize[1], linesize[2], linesize[3]};
    std::size_t planeSize[4] = {};
    if (av_image_fill_plane_sizes(planeSize, format, h, lines) < 0)
        return AVERROR(EINVAL);
    std::size_t offset[4] = {};
    std::size_t total = 0;
    for (int i = 0; i < 4 && planeSize[i] > 0; ++i) {
        offset[i] = total;
        total = roundUp(total + planeSize[i] + PlanePadding, PlaneAlign);
    }
    auto* store = static_cast<PictureBuffers::Store*>(decoder->opaque);
    std::uint8_t* data = store->take(total);
    if (!data)
        return AVERROR(ENOMEM);
    auto* lease = new Lease{store->shared_from_this(), total};
    frame->buf[0] = av_buffer_create(data, total, giveBack, lease, 0);
    if (!frame->buf[0]) {
        giveBack(lease, data);
        return AVERROR(ENOMEM);
    }
    for (int i = 0; i < 4 && planeSize[i] > 0; ++i) {
        frame->data[i] = data + offset[i];
        frame->linesize[i] = linesize[i];
    }
    frame->extended_data = frame->data;
    return 0;
}

}  // namespace

PictureBuffers::PictureBuffers(std::int64_t reserveBytes)
    : store_(std::make_shared<Store>(reserveBytes))
{
}

PictureBuffers::~PictureBuffers() { store_->trim(0, false); }

void PictureBuffers::serve(AVCodecContext* decoder)
{
    decoder->opaque = store_.get();
    decoder->get_buffer2 = getBuffer;
}

void PictureBuffers::trim() { store_->trim(store_->reserve); }
