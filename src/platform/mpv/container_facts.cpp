#include "platform/mpv/container_facts.h"

#include <mpv/client.h>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstring>

namespace {

const mpv_node* field(const mpv_node& map, const char* key)
{
    if (map.format != MPV_FORMAT_NODE_MAP)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i) {
        if (std::strcmp(map.u.list->keys[i], key) == 0)
            return &map.u.list->values[i];
    }
    return nullptr;
}

bool flag(const mpv_node& map, const char* key)
{
    const mpv_node* n = field(map, key);
    return n && n->format == MPV_FORMAT_FLAG && n->u.flag;
}

double number(const mpv_node& map, const char* key)
{
    const mpv_node* n = field(map, key);
    if (!n)
        return 0;
    if (n->format == MPV_FORMAT_INT64)
        return double(n->u.int64);
    return n->format == MPV_FORMAT_DOUBLE ? n->u.double_ : 0;
}

bool isVideo(const mpv_node& track)
{
    const mpv_node* type = field(track, "type");
    return type && type->format == MPV_FORMAT_STRING && std::strcmp(type->u.string, "video") == 0;
}

// mpv names a file's codecs as FFmpeg does.
bool decodable(const mpv_node& track)
{
    const mpv_node* codec = field(track, "codec");
    if (!codec || codec->format != MPV_FORMAT_STRING)
        return false;
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get_by_name(codec->u.string);
    return descriptor && avcodec_find_decoder(descriptor->id);
}

}  // namespace

ContainerFacts ContainerFacts::read(mpv_handle* mpv)
{
    ContainerFacts facts;
    mpv_get_property(mpv, "duration", MPV_FORMAT_DOUBLE, &facts.duration);
    mpv_node tracks { };
    if (mpv_get_property(mpv, "track-list", MPV_FORMAT_NODE, &tracks) < 0)
        return facts;
    int videos = 0;
    bool usable = false;
    if (tracks.format == MPV_FORMAT_NODE_ARRAY) {
        for (int i = 0; i < tracks.u.list->num; ++i) {
            const mpv_node& track = tracks.u.list->values[i];
            if (!isVideo(track))
                continue;
            ++videos;
            facts.size = QSize(int(number(track, "demux-w")), int(number(track, "demux-h")));
            facts.fps = number(track, "demux-fps");
            usable = !flag(track, "albumart") && !flag(track, "image") && decodable(track);
        }
    }
    mpv_free_node_contents(&tracks);
    facts.complete = videos == 1 && usable && !facts.size.isEmpty() && facts.fps > 0 &&
                     facts.fps < 1000 && facts.duration > 0;
    return facts;
}
