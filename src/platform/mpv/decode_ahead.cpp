#include "platform/mpv/decode_ahead.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Below the window's thread and mpv's: decoding ahead yields to whatever the user sees.
constexpr int WorkerNice = 10;

}  // namespace

DecodeAhead::DecodeAhead()
{
    cache_.setCancel(&cancelled_);
    cache_.onKept([this] {
        // Taken and dropped so that a waiter between its check and its sleep hears this.
        {
            std::lock_guard<std::mutex> lock(mutex_);
        }
        changed_.notify_all();
    });
    thread_ = std::thread([this] { run(); });
}

DecodeAhead::~DecodeAhead()
{
    {
        std::unique_lock<std::mutex> lock(mutex_);
        cancelLocked(lock);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void DecodeAhead::run()
{
    setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), WorkerNice);
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return quit_ || waiting_; });
        if (quit_)
            return;
        decode(*std::exchange(waiting_, std::nullopt), lock);
    }
}

void DecodeAhead::decode(std::int64_t n, std::unique_lock<std::mutex>& lock)
{
    running_ = n;
    cancelled_.store(false);
    const bool opening = !cache_.isOpen();
    const QByteArray path = path_;
    const double fps = fps_;
    lock.unlock();
    bool useless = false;
    if (opening && !cache_.open(path, fps))
        useless = !cancelled_.load();
    if (!useless && cache_.isOpen()) {
        cache_.frame(n);
        // A file whose first picture cannot be found is closed: no use trying it again.
        useless = !cache_.isOpen() && !cancelled_.load();
    }
    lock.lock();
    unusable_ = unusable_ || useless;
    running_.reset();
    changed_.notify_all();
}

void DecodeAhead::cancelLocked(std::unique_lock<std::mutex>& lock)
{
    waiting_.reset();
    if (running_)
        cancelled_.store(true);
    changed_.wait(lock, [this] { return !running_; });
}

void DecodeAhead::cancel()
{
    std::unique_lock<std::mutex> lock(mutex_);
    cancelLocked(lock);
}

void DecodeAhead::open(const QByteArray& path, double fps)
{
    std::unique_lock<std::mutex> lock(mutex_);
    cancelLocked(lock);
    cache_.close();
    path_ = path;
    fps_ = fps;
    unusable_ = path.isEmpty();
}

void DecodeAhead::close() { open(QByteArray(), 0); }

void DecodeAhead::release()
{
    std::unique_lock<std::mutex> lock(mutex_);
    cancelLocked(lock);
    cache_.release();
}

bool DecodeAhead::usable()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !unusable_;
}

void DecodeAhead::request(std::int64_t n)
{
    if (n < 0 || cache_.has(n))
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (unusable_ || running_ == n || waiting_ == n)
            return;
        waiting_ = n;
    }
    changed_.notify_all();
}

AVFrame* DecodeAhead::picture(std::int64_t n)
{
    if (n < 0)
        return nullptr;
    std::unique_lock<std::mutex> lock(mutex_);
    if (AVFrame* kept = cache_.copyOf(n))
        return kept;
    if (unusable_)
        return nullptr;
    // Not ready: decoded here and now rather than waited for, since the thread's low priority
    // may leave it far behind on a busy machine.
    cancelLocked(lock);
    decode(n, lock);
    return cache_.copyOf(n);
}
