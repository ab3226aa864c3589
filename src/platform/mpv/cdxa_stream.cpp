#include "platform/mpv/cdxa_stream.h"

#include "platform/mpv/stream_uri.h"

#include <QFile>
#include <mpv/client.h>
#include <mpv/stream_cb.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char CdxaProtocol[] = "cdxa";

std::uint32_t le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

struct Reader {
    CdxaLayout layout;
    std::FILE* file;
    std::int64_t pos = 0;
};

std::int64_t cdxaRead(void* cookie, char* buf, std::uint64_t nbytes)
{
    auto* r = static_cast<Reader*>(cookie);
    if (r->pos >= r->layout.payloadBytes())
        return 0;
    // One sector's payload at most per call; the demuxer asks again.
    const std::int64_t inSector = CdxaLayout::PayloadSize - r->pos % CdxaLayout::PayloadSize;
    const std::int64_t want = std::min<std::int64_t>(std::int64_t(nbytes), inSector);
    if (std::fseek(r->file, long(r->layout.fileOffset(r->pos)), SEEK_SET) != 0)
        return -1;
    const std::size_t got = std::fread(buf, 1, std::size_t(want), r->file);
    if (got == 0)
        return std::ferror(r->file) ? -1 : 0;
    r->pos += std::int64_t(got);
    return std::int64_t(got);
}

std::int64_t cdxaSeek(void* cookie, std::int64_t offset)
{
    auto* r = static_cast<Reader*>(cookie);
    if (offset < 0 || offset > r->layout.payloadBytes())
        return MPV_ERROR_GENERIC;
    r->pos = offset;
    return offset;
}

std::int64_t cdxaSize(void* cookie) { return static_cast<Reader*>(cookie)->layout.payloadBytes(); }

void cdxaClose(void* cookie)
{
    auto* r = static_cast<Reader*>(cookie);
    std::fclose(r->file);
    delete r;
}

// Runs on mpv's demuxer thread: the file is probed again there, from the path in the URI.
int cdxaOpen(void*, char* uri, mpv_stream_cb_info* info)
{
    const std::optional<CdxaLayout> layout = probeCdxa(pathOfStreamUri(uri));
    std::FILE* file = layout ? std::fopen(layout->path.constData(), "rb") : nullptr;
    if (!file)
        return MPV_ERROR_LOADING_FAILED;
    return streamOpened(info, new Reader{*layout, file}, cdxaRead, cdxaSeek, cdxaSize, cdxaClose);
}

}  // namespace

std::optional<CdxaLayout> probeCdxa(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    unsigned char head[12];
    if (file.read(reinterpret_cast<char*>(head), 12) != 12 || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "CDXA", 4) != 0)
        return std::nullopt;

    // Walk the chunks to "data"; its declared size is not trusted beyond the file's end.
    std::int64_t pos = 12;
    for (int chunk = 0; chunk < 16; ++chunk) {
        unsigned char hdr[8];
        if (!file.seek(pos) || file.read(reinterpret_cast<char*>(hdr), 8) != 8)
            return std::nullopt;
        const std::int64_t size = le32(hdr + 4);
        if (std::memcmp(hdr, "data", 4) == 0) {
            CdxaLayout layout;
            layout.path = QFile::encodeName(path);
            layout.dataOffset = pos + 8;
            const std::int64_t available = file.size() - layout.dataOffset;
            layout.sectors = std::min(size, available) / CdxaLayout::SectorSize;
            static const unsigned char sync[12] = {
                0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};
            unsigned char first[12];
            if (layout.sectors == 0 || !file.seek(layout.dataOffset) ||
                file.read(reinterpret_cast<char*>(first), 12) != 12 ||
                std::memcmp(first, sync, 12) != 0)
                return std::nullopt;
            return layout;
        }
        pos += 8 + size + (size & 1);
    }
    return std::nullopt;
}

MediaError cdxaTarget(mpv_handle* mpv, const QString& path, QByteArray& target)
{
    target.clear();
    if (!probeCdxa(path))
        return MediaError::None;
    return streamTarget(mpv, CdxaProtocol, cdxaOpen, path, target);
}
