#pragma once

#include <QObject>
#include <deque>
#include <functional>

namespace mpris {

// What the media controls ask for, done after the call has been answered. A handler may show a
// message box, and a box runs an event loop of its own: acting inside the call would hold the
// caller's reply until the box closes, and every further call would nest one more box.
// Actions run one at a time, in order of arrival. One whose turn comes while the player is busy
// (a box or dialog is up, or another action is still running) is refused, as a button behind a
// box refuses a click; so is one that finds MaxPending actions already waiting.
class CallQueue : public QObject {
public:
    static constexpr std::size_t MaxPending = 16;

    explicit CallQueue(std::function<bool()> busy, QObject* parent = nullptr);

    void post(std::function<void()> action);

private:
    void runNext();

    std::function<bool()> busy_;
    std::deque<std::function<void()>> pending_;
    bool running_ = false;
};

}  // namespace mpris
