#include "platform/linux/alsa_mixer.h"

#include <alsa/asoundlib.h>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// ALSA prints every failure (no card, a server that went away) to stderr; the program reports
// what matters itself.
extern "C" void quiet(const char*, int, const char*, int, const char*, ...) { }

int codeOf(int alsaError)
{
    switch (-alsaError) {
    case ENOMEM:
        return mmsyserr::NoMem;
    case EBUSY:
        return mmsyserr::Allocated;
    default:
        return mmsyserr::NoDriver;
    }
}

snd_mixer_elem_t* findNamed(snd_mixer_t* handle, const char* name)
{
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_name(id, name);
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_elem_t* element = snd_mixer_find_selem(handle, id);
    return element && snd_mixer_selem_has_playback_volume(element) ? element : nullptr;
}

snd_mixer_elem_t* findMaster(snd_mixer_t* handle)
{
    for (const char* name : {"Master", "PCM"})
        if (snd_mixer_elem_t* element = findNamed(handle, name))
            return element;
    for (snd_mixer_elem_t* e = snd_mixer_first_elem(handle); e; e = snd_mixer_elem_next(e))
        if (snd_mixer_selem_is_active(e) && snd_mixer_selem_has_playback_volume(e))
            return e;
    return nullptr;
}

}  // namespace

AlsaMixer::AlsaMixer()
{
    snd_lib_error_set_handler(quiet);
    opening_ = std::async(std::launch::async, [this] {
        Early early{openNow(), mmsyserr::InvalHandle, {}};
        if (early.open == mmsyserr::NoError)
            early.control = controlNow(early.found);
        return early;
    });
}

AlsaMixer::~AlsaMixer() { mixerClose(); }

void AlsaMixer::settle()
{
    if (!opening_.valid())
        return;
    const Early early = opening_.get();
    earlyOpen_ = early.open;
    if (early.open == mmsyserr::NoError)
        earlyControl_.emplace(early.control, early.found);
}

int AlsaMixer::mixerOpen()
{
    settle();
    if (const std::optional<int> rc = std::exchange(earlyOpen_, std::nullopt))
        return *rc;
    return openNow();
}

int AlsaMixer::openNow()
{
    closeNow();
    snd_mixer_t* handle = nullptr;
    int rc = snd_mixer_open(&handle, 0);
    if (rc < 0)
        return codeOf(rc);
    if ((rc = snd_mixer_attach(handle, "default")) < 0 ||
        (rc = snd_mixer_selem_register(handle, nullptr, nullptr)) < 0 ||
        (rc = snd_mixer_load(handle)) < 0) {
        snd_mixer_close(handle);
        return codeOf(rc);
    }
    handle_ = handle;
    return mmsyserr::NoError;
}

std::vector<int> AlsaMixer::channels() const
{
    std::vector<int> found;
    for (int c = SND_MIXER_SCHN_FRONT_LEFT; c <= SND_MIXER_SCHN_LAST; ++c)
        if (snd_mixer_selem_has_playback_channel(element_, snd_mixer_selem_channel_id_t(c)))
            found.push_back(c);
    return found;
}

bool AlsaMixer::findElement()
{
    element_ = handle_ ? findMaster(handle_) : nullptr;
    if (!element_ || snd_mixer_selem_get_playback_volume_range(element_, &min_, &max_) < 0 ||
        max_ <= min_)
        element_ = nullptr;
    return element_ != nullptr;
}

int AlsaMixer::GetVolumeControl(VolumeControl& control)
{
    settle();
    earlyOpen_.reset();
    if (const auto early = std::exchange(earlyControl_, std::nullopt)) {
        control = early->second;
        return early->first;
    }
    return controlNow(control);
}

int AlsaMixer::controlNow(VolumeControl& control)
{
    if (!handle_)
        return mmsyserr::InvalHandle;
    if (!findElement())
        return mmsyserr::InvalControl;
    balance_.clear();
    for (int c : channels()) {
        long v = min_;
        snd_mixer_selem_get_playback_volume(element_, snd_mixer_selem_channel_id_t(c), &v);
        balance_.push_back(std::clamp(v, min_, max_) - min_);
    }
    found_ = balance_.empty() ? 0 : *std::max_element(balance_.begin(), balance_.end());
    // At its maximum the element may stand for more (a sound server at 150 %).
    serverKept_ = found_ == max_ - min_ && server_.save() && server_.aboveFull();
    control.id = 0;
    control.maximum = std::uint32_t(std::min<long>(max_ - min_, UINT32_MAX));
    return mmsyserr::NoError;
}

std::uint32_t AlsaMixer::GetVolume(std::uint32_t)
{
    settle();
    if (!element_)
        return 0;
    snd_mixer_handle_events(handle_);  // take in changes made by others since
    long loudest = 0;
    for (int c : channels()) {
        long v = min_;
        if (snd_mixer_selem_get_playback_volume(element_, snd_mixer_selem_channel_id_t(c), &v) < 0)
            return 0;
        loudest = std::max(loudest, std::clamp(v, min_, max_) - min_);
    }
    return std::uint32_t(loudest);
}

int AlsaMixer::SetVolumeControl(std::uint32_t, std::uint32_t value)
{
    settle();
    if (serverKept_ && long(value) == found_ && server_.restore())
        return mmsyserr::NoError;
    if (element_ && setAlsa(value) == mmsyserr::NoError)
        return mmsyserr::NoError;
    // The device went away (a sound server stopped or was replaced): once more on a new one.
    if (mixerOpen() != mmsyserr::NoError || !findElement())
        return mmsyserr::InvalHandle;
    return setAlsa(value);
}

int AlsaMixer::setAlsa(std::uint32_t value)
{
    const long target = std::min<long>(value, max_ - min_);
    const auto [low, peak] = std::minmax_element(balance_.begin(), balance_.end());
    if (balance_.empty() || *low == *peak) {  // level channels: one change, not one per channel
        const int rc = snd_mixer_selem_set_playback_volume_all(element_, min_ + target);
        return rc < 0 ? codeOf(rc) : mmsyserr::NoError;
    }
    const std::vector<int> list = channels();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const long share = i < balance_.size()
                               ? std::lround(double(target) * double(balance_[i]) / double(*peak))
                               : target;
        const int rc = snd_mixer_selem_set_playback_volume(
            element_, snd_mixer_selem_channel_id_t(list[i]), min_ + share);
        if (rc < 0)
            return codeOf(rc);
    }
    return mmsyserr::NoError;
}

void AlsaMixer::mixerClose()
{
    settle();
    earlyOpen_.reset();
    earlyControl_.reset();
    closeNow();
}

void AlsaMixer::closeNow()
{
    if (handle_)
        snd_mixer_close(handle_);
    handle_ = nullptr;
    element_ = nullptr;
}
