#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct AVCodecContext;

// Memory for the pictures a decoder makes, kept between keyframe ranges.
//
// Fresh memory is slow the first time it is written: a 1080p picture is 760 pages, each faulted
// in by the kernel, and on a virtual machine that costs more than decoding the picture. A decoder
// of its own would start each range on fresh memory; here the blocks it gave back are handed out
// again, and a reserve of them stays when the rest are given back to the system (trim()), so a
// range decoded after playing starts on pictures already in memory.
//
// Blocks may come back on any thread, even after this is gone: pictures outlive their decoder.
// Once it is gone, none is kept idle: each is given back to the system as it comes back.
class PictureBuffers {
public:
    explicit PictureBuffers(std::int64_t reserveBytes);
    ~PictureBuffers();
    PictureBuffers(const PictureBuffers&) = delete;
    PictureBuffers& operator=(const PictureBuffers&) = delete;

    // The decoder takes its pictures from here (codecs that cannot take memory from outside keep
    // their own). Before avcodec_open2().
    void serve(AVCodecContext* decoder);
    // Gives back to the system every idle block past the reserve.
    void trim();

    struct Store;

private:
    std::shared_ptr<Store> store_;
};
