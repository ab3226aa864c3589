#include "platform/linux/stay_on_top_keeper.h"

#include "platform/linux/x11_stay_on_top.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

void StayOnTopKeeper::set(QWidget* window, bool on)
{
    const WId id = window->winId();
    auto it = find(window);
    if (on && it == kept_.end()) {
        kept_.push_back(Kept{window, window->windowHandle()});
        window->installEventFilter(this);
        if (QWindow* handle = window->windowHandle())
            handle->installEventFilter(this);
    } else if (!on && it != kept_.end()) {
        forget(it);
    }
    x11::setStayOnTop(id, on);
}

std::vector<StayOnTopKeeper::Kept>::iterator StayOnTopKeeper::find(QObject* watched)
{
    std::erase_if(kept_, [](const Kept& k) { return !k.widget; });
    return std::find_if(kept_.begin(), kept_.end(), [&](const Kept& k) {
        return k.widget.data() == watched || (k.handle && k.handle.data() == watched);
    });
}

void StayOnTopKeeper::forget(std::vector<Kept>::iterator it)
{
    if (it->widget)
        it->widget->removeEventFilter(this);
    if (it->handle)
        it->handle->removeEventFilter(this);
    kept_.erase(it);
}

bool StayOnTopKeeper::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Expose)
        return false;
    auto it = find(watched);
    if (it == kept_.end())
        return false;
    if (type == QEvent::Show && watched == it->widget) {
        // Not mapped yet: the state goes into the window, where the window manager reads it.
        x11::setStayOnTop(it->widget->winId(), true);
        if (QWindow* handle = it->widget->windowHandle(); handle && handle != it->handle) {
            it->handle = handle;  // a new native window (the widget was re-created)
            handle->installEventFilter(this);
        }
        it->exposePending = true;
    } else if (type == QEvent::Expose && it->exposePending && it->handle &&
               it->handle->isExposed()) {
        // Mapped now: ask once more, in case the window manager dropped the state while it
        // took the window down.
        it->exposePending = false;
        x11::setStayOnTop(it->widget->winId(), true);
    }
    return false;
}
