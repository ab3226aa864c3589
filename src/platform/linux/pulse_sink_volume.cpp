#include "platform/linux/pulse_sink_volume.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <chrono>
#include <functional>
#include <string>

namespace {

// One short connection to the server, driven here until a condition holds or the time is up.
class Session {
public:
    Session() : loop_(pa_mainloop_new())
    {
        context_ = pa_context_new(pa_mainloop_get_api(loop_), "reelbox");
        connected_ = context_ &&
                     pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
                     runUntil([this] {
                         return !PA_CONTEXT_IS_GOOD(state()) || state() == PA_CONTEXT_READY;
                     }) &&
                     state() == PA_CONTEXT_READY;
    }
    ~Session()
    {
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        pa_mainloop_free(loop_);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool connected() const { return connected_; }
    pa_context* context() const { return context_; }

    // Runs the operation (its callbacks set `done`) to its end.
    bool complete(pa_operation* operation, const bool& done)
    {
        if (!operation)
            return false;
        const bool ok = runUntil(
            [&] { return done || pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
        pa_operation_unref(operation);
        return ok && done;
    }

    std::string defaultSink()
    {
        struct Answer {
            std::string name;
            bool done = false;
        } answer;
        auto onInfo = [](pa_context*, const pa_server_info* info, void* data) {
            auto* a = static_cast<Answer*>(data);
            if (info && info->default_sink_name)
                a->name = info->default_sink_name;
            a->done = true;
        };
        complete(pa_context_get_server_info(context_, onInfo, &answer), answer.done);
        return answer.name;
    }

    // The sink's volume and channels; false when there is no such sink.
    bool sink(const std::string& name, pa_cvolume& volume, pa_channel_map& map)
    {
        struct Answer {
            pa_cvolume* volume;
            pa_channel_map* map;
            bool found = false;
            bool done = false;
        } answer{&volume, &map};
        auto onSink = [](pa_context*, const pa_sink_info* info, int eol, void* data) {
            auto* a = static_cast<Answer*>(data);
            if (info && !a->found) {
                *a->volume = info->volume;
                *a->map = info->channel_map;
                a->found = true;
            }
            if (eol)
                a->done = true;
        };
        return !name.empty() &&
               complete(pa_context_get_sink_info_by_name(context_, name.c_str(), onSink, &answer),
                   answer.done) &&
               answer.found;
    }

private:
    pa_context_state_t state() const { return pa_context_get_state(context_); }

    bool runUntil(const std::function<bool()>& done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
                end - std::chrono::steady_clock::now());
            if (left.count() <= 0 || pa_mainloop_prepare(loop_, int(left.count())) < 0 ||
                pa_mainloop_poll(loop_) < 0 || pa_mainloop_dispatch(loop_) < 0)
                return false;
        }
        return true;
    }

    pa_mainloop* loop_;
    pa_context* context_ = nullptr;
    bool connected_ = false;
};

}  // namespace

bool PulseSinkVolume::save()
{
    Session session;
    saved_ = session.connected() && session.sink(session.defaultSink(), volume_, map_);
    return saved_;
}

bool PulseSinkVolume::aboveFull() const
{
    return saved_ && pa_cvolume_max(&volume_) > PA_VOLUME_NORM;
}

bool PulseSinkVolume::restore() const
{
    if (!saved_)
        return false;
    Session session;
    pa_cvolume current;
    pa_channel_map map;
    const std::string name = session.connected() ? session.defaultSink() : std::string();
    if (!session.sink(name, current, map))
        return false;
    pa_cvolume volume = volume_;
    pa_cvolume_remap(&volume, &map_, &map);
    bool done = false;
    auto onSet = [](pa_context*, int success, void* data) {
        *static_cast<bool*>(data) = success != 0;
    };
    return session.complete(
        pa_context_set_sink_volume_by_name(session.context(), name.c_str(), &volume, onSet, &done),
        done);
}
