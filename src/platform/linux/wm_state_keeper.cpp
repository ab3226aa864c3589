#include "platform/linux/wm_state_keeper.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace {

constexpr x11::WmState AllStates[] = {x11::WmState::StayOnTop, x11::WmState::FullScreen};

unsigned bitOf(x11::WmState state) { return 1u << unsigned(state); }

}  // namespace

void WmStateKeeper::set(QWidget* window, x11::WmState state, bool on)
{
    const WId id = window->winId();
    auto it = find(window);
    if (on && it == kept_.end()) {
        kept_.push_back(Kept{window, window->windowHandle()});
        window->installEventFilter(this);
        if (QWindow* handle = window->windowHandle())
            handle->installEventFilter(this);
        it = kept_.end() - 1;
    }
    if (it != kept_.end()) {
        it->states = on ? it->states | bitOf(state) : it->states & ~bitOf(state);
        if (it->states == 0)
            forget(it);
    }
    x11::setWmState(id, state, on);
}

std::vector<WmStateKeeper::Kept>::iterator WmStateKeeper::find(QObject* watched)
{
    std::erase_if(kept_, [](const Kept& k) { return !k.widget; });
    return std::find_if(kept_.begin(), kept_.end(), [&](const Kept& k) {
        return k.widget.data() == watched || (k.handle && k.handle.data() == watched);
    });
}

void WmStateKeeper::forget(std::vector<Kept>::iterator it)
{
    if (it->widget)
        it->widget->removeEventFilter(this);
    if (it->handle)
        it->handle->removeEventFilter(this);
    kept_.erase(it);
}

void WmStateKeeper::ask(const Kept& kept)
{
    for (const x11::WmState state : AllStates)
        if (kept.states & bitOf(state))
            x11::setWmState(kept.widget->winId(), state, true);
}

bool WmStateKeeper::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Expose)
        return false;
    auto it = find(watched);
    if (it == kept_.end())
        return false;
    if (type == QEvent::Show && watched == it->widget) {
        // Not mapped yet: the states go into the window, where the window manager reads them.
        ask(*it);
        if (QWindow* handle = it->widget->windowHandle(); handle && handle != it->handle) {
            it->handle = handle;  // a new native window (the widget was re-created)
            handle->installEventFilter(this);
        }
        it->exposePending = true;
    } else if (type == QEvent::Expose && it->exposePending && it->handle &&
               it->handle->isExposed()) {
        // Mapped now: ask once more, in case the window manager dropped the states while it
        // took the window down.
        it->exposePending = false;
        ask(*it);
    }
    return false;
}
