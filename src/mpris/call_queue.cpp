#include "mpris/call_queue.h"

namespace mpris {

CallQueue::CallQueue(std::function<bool()> busy, QObject* parent)
    : QObject(parent), busy_(std::move(busy))
{
}

void CallQueue::post(std::function<void()> action)
{
    if (pending_.size() >= MaxPending)
        return;
    pending_.push_back(std::move(action));
    QMetaObject::invokeMethod(this, &CallQueue::runNext, Qt::QueuedConnection);
}

void CallQueue::runNext()
{
    if (pending_.empty())
        return;
    const std::function<void()> action = std::move(pending_.front());
    pending_.pop_front();
    if (running_ || busy_())
        return;
    running_ = true;
    action();
    running_ = false;
}

}  // namespace mpris
