#include "platform/mpv/decode_ahead.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <limits>
#include <utility>

namespace {

// Below the window's thread and mpv's: decoding ahead yields to whatever the user sees. The
// decoder's own threads, started from this one, inherit it.
constexpr int WorkerNice = 10;

}  // namespace

DecodeAhead::DecodeAhead(std::function<void()> ready) : ready_(std::move(ready))
{
    cache_.setCancel(&cancelled_);
    cache_.onPicture([this](std::int64_t k) { decoded(k); });
}

DecodeAhead::~DecodeAhead()
{
    {
        std::unique_lock<std::mutex> lock(mutex_);
        cancelLocked(lock);
        quit_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void DecodeAhead::wake(std::unique_lock<std::mutex>& lock)
{
    // Started on the first range: a movie only played never starts it.
    if (!thread_.joinable())
        thread_ = std::thread([this] { run(); });
    lock.unlock();
    changed_.notify_all();
}

void DecodeAhead::run()
{
    setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), WorkerNice);
    pthread_setname_np(pthread_self(), "decode-ahead");  // as top -H and play_cpu.sh show it
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return quit_ || waiting_ || releasing_; });
        if (quit_)
            return;
        if (std::exchange(releasing_, false)) {
            running_ = Releasing;  // busy with the cache: open() and close() wait for it
            lock.unlock();
            cache_.release();
            lock.lock();
            running_.reset();
            changed_.notify_all();
            if (!waiting_ || quit_)
                continue;
        }
        const std::int64_t n = *std::exchange(waiting_, std::nullopt);
        decode(n, lock);
        if (!wanted_ || cancelled_.load() || cache_.has(*wanted_))
            continue;
        // The range ended without the frame waited for (it began after it, or the file gave
        // less than it said): a range toward it is next, or the caller hears it will not come.
        if (*wanted_ != n && !unusable_) {
            if (!reaches(waiting_, *wanted_))
                waiting_ = *wanted_;
            continue;
        }
        missed_ = wanted_;
        lock.unlock();
        if (ready_)
            ready_();
        lock.lock();
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
    // The file is read and its decoder made on the first range, not at open: a movie that is
    // only played costs nothing here.
    if (opening && !cache_.open(path, fps))
        useless = !cancelled_.load();
    if (!useless && cache_.isOpen()) {
        // First the frames nearest n, on memory already in hand: out soonest after playing.
        cache_.frame(n, cache_.quickKeep());
        // A file whose first picture cannot be found is closed: no use trying it again.
        useless = !cache_.isOpen() && !cancelled_.load();
        if (!useless && !cancelled_.load())
            cache_.fillBefore(n);  // then as many before them as the budget holds
    }
    lock.lock();
    unusable_ = unusable_ || useless;
    running_.reset();
    changed_.notify_all();
}

void DecodeAhead::decoded(std::int64_t k)
{
    // Most pictures concern no one: the mutex, which the window's thread takes, is left alone.
    if (k < wantedFrom_.load(std::memory_order_acquire))
        return;
    bool tell = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!wanted_ || k < *wanted_ || cancelled_.load())
            return;
        if (cache_.has(*wanted_)) {
            tell = k == *wanted_;  // the rest of the range goes on, for the steps after
        } else if (*wanted_ != running_) {
            // Past the frame waited for without keeping it: this range began after it, or keeps
            // too few. One toward it takes over.
            cancelled_.store(true);
            waiting_ = wanted_;
        }
    }
    if (tell && ready_)
        ready_();
}

void DecodeAhead::setWanted(std::optional<std::int64_t> n)
{
    wanted_ = n;
    wantedFrom_.store(n ? *n : std::numeric_limits<std::int64_t>::max());
}

bool DecodeAhead::reaches(std::optional<std::int64_t> toward, std::int64_t n) const
{
    const int capacity = cache_.capacity();
    return toward && n <= *toward && (capacity == 0 || n > *toward - capacity);
}

void DecodeAhead::cancelLocked(std::unique_lock<std::mutex>& lock)
{
    waiting_.reset();
    setWanted(std::nullopt);
    missed_.reset();
    if (running_)
        cancelled_.store(true);
    changed_.wait(lock, [this] { return !running_; });
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
    waiting_.reset();
    setWanted(std::nullopt);
    missed_.reset();
    if (!thread_.joinable())
        return;  // nothing decoded, nothing held
    if (running_)
        cancelled_.store(true);
    releasing_ = true;
    lock.unlock();
    changed_.notify_all();
}

bool DecodeAhead::usable()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !unusable_;
}

void DecodeAhead::request(std::int64_t n, bool elsewhere)
{
    std::unique_lock<std::mutex> lock(mutex_);
    const bool forWanted = wanted_ && !cancelled_.load() && reaches(running_, *wanted_);
    if (elsewhere && running_ && !forWanted && !reaches(running_, n))
        cancelled_.store(true);
    if (n < 0 || unusable_ || cache_.has(n) || reaches(waiting_, n) ||
        (reaches(running_, n) && !cancelled_.load()))
        return;
    if (wanted_ && reaches(waiting_, *wanted_))
        return;  // the range the caller waits for comes first
    waiting_ = n;
    wake(lock);
}

DecodeAhead::Wanted DecodeAhead::want(std::int64_t n)
{
    std::unique_lock<std::mutex> lock(mutex_);
    // Set before looking: a picture kept meanwhile is either seen here or told.
    setWanted(n);
    if (n >= 0 && cache_.has(n)) {
        setWanted(std::nullopt);
        return Wanted::Kept;
    }
    if (n < 0 || unusable_ || missed_ == n) {
        setWanted(std::nullopt);
        return Wanted::Never;
    }
    if ((reaches(running_, n) && !cancelled_.load()) || reaches(waiting_, n))
        return Wanted::Coming;
    // Nothing under way reaches it: whatever is gives way, without waiting for it here.
    if (running_)
        cancelled_.store(true);
    waiting_ = n;
    wake(lock);
    return Wanted::Coming;
}

void DecodeAhead::unwant()
{
    std::lock_guard<std::mutex> lock(mutex_);
    setWanted(std::nullopt);
}
